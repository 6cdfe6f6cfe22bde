#pragma once

#include "richtext/richtext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace jwtest {

/// A random well-formed document: text drawn from all of Unicode (astral
/// characters, controls, RTF's special characters; no NUL or lone
/// surrogates, which are not text), random runs, fonts and sizes.
jw::rtf::Document randomDocument(std::uint32_t seed, std::size_t maxLength = 400);

/// UTF-8 of UTF-16 text, for readable failure messages.
std::string utf8(std::u16string_view text);

/// The format at text position `pos` (which must be inside a run).
const jw::rtf::CharFormat &formatAt(const jw::rtf::Document &doc, std::size_t pos);

/// Checks the document invariants: sorted contiguous runs covering the text,
/// no empty runs, no equal neighbours, no empty text with runs.
::testing::AssertionResult wellFormed(const jw::rtf::Document &doc);

} // namespace jwtest
