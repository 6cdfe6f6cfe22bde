#include "hotkeys/win/hotkeytext.h"

namespace jw::hotkeytext {

namespace {

struct Step {
    std::size_t bytes;
    std::size_t units;
};

// Size in bytes and in UTF-16 units of the character that starts at `pos`.
Step stepAt(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t bytes = 1;
    std::size_t units = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
        bytes = 4;
        units = 2;
    } else if (lead >= 0xE0) {
        bytes = lead <= 0xEF ? 3 : 1;
    } else if (lead >= 0xC2) {
        bytes = 2;
    }
    if (bytes == 1)
        return {1, 1};
    if (pos + bytes > text.size())
        return {1, 1};
    for (std::size_t i = 1; i < bytes; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return {1, 1};
    }
    return {bytes, units};
}

} // namespace

std::size_t utf16Length(std::string_view text)
{
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const Step step = stepAt(text, pos);
        pos += step.bytes;
        units += step.units;
    }
    return units;
}

std::string utf16Prefix(std::string_view text, std::size_t units)
{
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Step step = stepAt(text, pos);
        if (used + step.units > units)
            break;
        used += step.units;
        pos += step.bytes;
    }
    return std::string(text.substr(0, pos));
}

std::string asciiLower(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string fileStem(std::string_view path)
{
    const auto slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(name);
}

} // namespace jw::hotkeytext
