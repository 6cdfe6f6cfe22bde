#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text rules shared by the registry and the backends. Names travel as UTF-8,
// but their limits are counted the way the desktop counts them: in UTF-16 units.
namespace jw::hotkeytext {

/// Number of UTF-16 units the UTF-8 text `text` needs; a malformed byte counts as one unit.
std::size_t utf16Length(std::string_view text);

/// The longest leading part of `text` that fits into `units` UTF-16 units,
/// never ending inside a character.
std::string utf16Prefix(std::string_view text, std::size_t units);

/// `text` with the ASCII letters A-Z turned into a-z.
std::string asciiLower(std::string_view text);

/// The file name of `path` (after the last '/' or '\') without its extension
/// (from the last '.', unless that dot starts the name).
std::string fileStem(std::string_view path);

} // namespace jw::hotkeytext
