#pragma once

#include "richtext/richtext.h"

#include <string_view>

namespace jw::rtf::detail {

/// A file that is not RTF, read as plain text: UTF-8 when it is valid
/// UTF-8, else Windows-1252; any line end ends a paragraph.
Document readPlainText(std::string_view bytes);

} // namespace jw::rtf::detail
