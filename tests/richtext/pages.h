#pragma once

#include "richtext/richtext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace jwtest {

/// A random well-formed page: text from all of Unicode (astral characters,
/// controls, RTF's own special characters; no NUL or lone surrogates),
/// random runs, fonts and sizes.
jw::rtf::Document randomPage(std::uint32_t seed, std::size_t maxLength = 400);

/// A page's runs as "length:font:halfPoints:flags" joined by "; ", flags
/// being any of "biu"; the short form the tables below are written in.
std::string runsOf(const jw::rtf::Document &doc);

/// A page from its text and runs in that short form.
jw::rtf::Document page(std::u16string text, std::string_view runs);

std::string utf8(std::u16string_view text);
std::string readFile(const std::string &path);

/// Sorted contiguous runs covering the text, none empty, no equal neighbours.
::testing::AssertionResult wellFormed(const jw::rtf::Document &doc);

} // namespace jwtest

namespace jw::rtf {
/// Readable failure messages: the text and runsOf().
void PrintTo(const Document &doc, std::ostream *os);
} // namespace jw::rtf
