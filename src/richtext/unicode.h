#pragma once

#include <string>
#include <string_view>

namespace jw::rtf::detail {

/// Appends code point `cp` as UTF-8.
void appendUtf8(std::string &out, char32_t cp);

/// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

/// Strict UTF-8 to UTF-16 (no overlongs, surrogates or values past
/// U+10FFFF). Returns false, leaving `out` unspecified, on invalid input.
bool utf8ToUtf16Strict(std::string_view bytes, std::u16string &out);

/// UTF-8 to UTF-16 where every invalid byte becomes U+FFFD.
std::u16string utf8ToUtf16Lossy(std::string_view bytes);

} // namespace jw::rtf::detail
