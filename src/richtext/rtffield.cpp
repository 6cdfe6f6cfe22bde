#include "richtext/rtffield.h"

#include "richtext/unicode.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace jw::rtf::detail {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/// The text of an instruction's RTF: groups and control words drop out,
/// escaped characters, \'hh (as Windows-1252's Latin range) and \uN stay.
std::u16string instructionText(std::string_view rtf)
{
    std::u16string out;
    bool skipFallback = false;
    auto put = [&](char16_t c) {
        if (!std::exchange(skipFallback, false))
            out.push_back(c);
    };
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{' || c == '}' || c == '\r' || c == '\n')
            continue;
        if (c != '\\' || i + 1 == rtf.size()) {
            put(static_cast<unsigned char>(c));
            continue;
        }
        const char d = rtf[++i];
        if (d == '\'' && i + 2 < rtf.size() && hexDigit(rtf[i + 1]) >= 0 && hexDigit(rtf[i + 2]) >= 0) {
            put(static_cast<char16_t>(hexDigit(rtf[i + 1]) * 16 + hexDigit(rtf[i + 2])));
            i += 2;
        } else if (!isLetter(d)) {
            put(static_cast<unsigned char>(d));
        } else {
            const std::size_t word = i;
            while (i < rtf.size() && isLetter(rtf[i]))
                ++i;
            const bool unicode = i - word == 1 && d == 'u';
            const bool negative = i < rtf.size() && rtf[i] == '-';
            long value = 0;
            for (i += negative ? 1 : 0; i < rtf.size() && rtf[i] >= '0' && rtf[i] <= '9'; ++i)
                value = std::min(value * 10 + (rtf[i] - '0'), 0xFFFFL);
            if (i < rtf.size() && rtf[i] != ' ')
                --i; // the delimiter belongs to the text
            if (unicode && value > 0) {
                put(static_cast<char16_t>(negative ? 0x10000 - value : value));
                skipFallback = true;
            }
        }
    }
    return out;
}

/// The next word of a field instruction: a quoted text (where a backslash
/// takes the next character as it is) or a run up to a space. False at the end.
bool nextArgument(std::u16string_view text, std::size_t &pos, std::u16string &arg, bool &quoted)
{
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t' || text[pos] == u'\u00a0'))
        ++pos;
    if (pos >= text.size())
        return false;
    arg.clear();
    quoted = text[pos] == u'"';
    if (!quoted) {
        while (pos < text.size() && text[pos] != u' ' && text[pos] != u'\t')
            arg.push_back(text[pos++]);
        return true;
    }
    for (++pos; pos < text.size() && text[pos] != u'"'; ++pos) {
        if (text[pos] == u'\\' && pos + 1 < text.size())
            ++pos;
        arg.push_back(text[pos]);
    }
    // An unclosed quote runs to the end; the position must not pass it, or
    // the next call would read beyond the text.
    if (pos < text.size())
        ++pos;
    return true;
}

bool isHyperlinkWord(const std::u16string &word)
{
    constexpr std::string_view kWord = "HYPERLINK";
    if (word.size() != kWord.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if ((word[i] & ~0x20) != kWord[i])
            return false;
    }
    return true;
}

/// Escapes a field argument: quoted, with backslashes before '"' and '\'.
void putArgument(std::string &out, std::u16string_view arg)
{
    out += '"';
    for (const char16_t c : arg) {
        if (c < 0x20)
            continue; // an address holds no breaks or tabs
        if (c == u'"' || c == u'\\')
            out += "\\\\";
        if (c == u'\\' || c == u'{' || c == u'}')
            out += '\\';
        if (c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            out += "\\u" + std::to_string(c >= 0x8000 ? int(c) - 0x10000 : int(c)) + '?';
        }
    }
    out += '"';
}

} // namespace

bool startsFieldInstruction(const unsigned char *p, const unsigned char *end)
{
    constexpr std::string_view kWord = "\\fldinst";
    const auto left = static_cast<std::size_t>(end - p);
    return left >= kWord.size() && std::memcmp(p, kWord.data(), kWord.size()) == 0
           && (left == kWord.size() || !isLetter(static_cast<char>(p[kWord.size()])));
}

std::string hyperlinkAddress(std::string_view instruction)
{
    const std::u16string text = instructionText(instruction);
    std::size_t pos = 0;
    std::u16string arg;
    bool quoted = false;
    if (!nextArgument(text, pos, arg, quoted) || quoted || !isHyperlinkWord(arg))
        return {};
    std::u16string address;
    std::u16string place;
    while (nextArgument(text, pos, arg, quoted)) {
        if (quoted || arg.size() != 2 || arg[0] != u'\\') {
            if (address.empty())
                address = arg;
            continue;
        }
        // \l names a place in the target; \o and \t take a text too.
        const char16_t option = arg[1] | 0x20;
        std::u16string value;
        if ((option == u'l' || option == u'o' || option == u't') && nextArgument(text, pos, value, quoted)
            && option == u'l')
            place = value;
    }
    if (!place.empty())
        address += u'#' + place;
    // No address holds control characters, and the writer leaves them out.
    std::erase_if(address, [](char16_t c) { return c < 0x20; });
    return utf16ToUtf8(address);
}

std::string openHyperlink(std::string_view href)
{
    std::string out = "{\\field{\\*\\fldinst{HYPERLINK ";
    const std::u16string text = utf8ToUtf16Lossy(href);
    const std::u16string_view address(text);
    if (!address.empty() && address.front() == u'#') {
        out += "\\\\l ";
        putArgument(out, address.substr(1));
    } else {
        putArgument(out, address);
    }
    out += "}}{\\fldrslt{";
    return out;
}

} // namespace jw::rtf::detail
