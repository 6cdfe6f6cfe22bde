#pragma once

#include <cstdint>
#include <string_view>

namespace jw::rtf::detail {

/// What a control word does to the reader; words not listed are ignored.
enum class Kw : std::uint8_t {
    Unknown,
    // character format
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Plain,
    Font,
    FontSize,
    // document and font table
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCpg,
    DefFont,
    FontTable,
    FontCharset,
    CodePageWord,
    // text
    Unicode,
    UnicodeSkip,
    Bin,
    Par,
    Line,
    Tab,
    Cell,
    Row,
    Char,
    // destinations
    Skip,
    Field,
    FieldInstruction,
    FieldResult,
};

struct KwInfo {
    Kw kw = Kw::Unknown;
    char16_t ch = 0; ///< the character of a Kw::Char word
};

/// Longest control word the reader knows; longer ones are Kw::Unknown.
inline constexpr std::size_t kMaxKeywordLength = 32;

/// The meaning of control word `word` (letters only, without the backslash
/// and parameter). Allocates nothing.
KwInfo findKeyword(std::string_view word);

} // namespace jw::rtf::detail
