#pragma once

#include <string>
#include <string_view>

namespace jw::rtf::detail {

/// Whether the bytes at `p` are the control word \fldinst.
bool startsFieldInstruction(const unsigned char *p, const unsigned char *end);

/// The address (UTF-8) that a field instruction links to, from the RTF
/// between its group's braces: `HYPERLINK "url"`, with `\l "name"` as
/// "#name". Empty for other fields and for a HYPERLINK without address.
std::string hyperlinkAddress(std::string_view instruction);

/// The RTF that opens a HYPERLINK field to `href` (UTF-8) up to its
/// result's text, which kCloseHyperlink ends. Pure ASCII.
std::string openHyperlink(std::string_view href);

/// The RTF that ends what openHyperlink() began.
inline constexpr std::string_view kCloseHyperlink = "}}}";

} // namespace jw::rtf::detail
