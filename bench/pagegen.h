#pragma once

#include "richtext/richtext.h"

#include <cstdint>
#include <string>

namespace jwbench {

/// A deterministic page of mixed formatting: mostly ASCII words with some
/// accented, Cyrillic, CJK and astral text, runs changing every few words,
/// paragraphs, tabs and line breaks.
jw::rtf::Document makePage(std::size_t textUnits, std::uint64_t seed = 1);

/// A page whose RTF form is close to `rtfBytes` long.
jw::rtf::Document makePageOfRtfSize(std::size_t rtfBytes);

} // namespace jwbench
