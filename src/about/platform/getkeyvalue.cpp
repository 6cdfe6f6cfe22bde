#include "about/platform/getkeyvalue.h"

#include <array>

namespace jw::registry {

namespace {

// The value's bytes from the last to the first, two hex digits each, so a
// little-endian DWORD reads as its number.
std::string hexFromLastByte(const unsigned char *bytes, std::uint32_t count)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text = "&h";
    for (std::uint32_t i = count; i > 0; --i) {
        text += digits[bytes[i - 1] >> 4];
        text += digits[bytes[i - 1] & 0x0F];
    }
    return text;
}

} // namespace

bool GetKeyValue(IRegistry &registry, std::uint32_t KeyRoot, const std::string &KeyName, const std::string &SubKeyRef,
                 std::string &KeyVal)
{
    IRegistry::Handle key = 0;
    if (registry.OpenKey(KeyRoot, KeyName, kKeyAccess, key) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    std::array<unsigned char, kValueBufferSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = kValueBufferSize;
    if (registry.QueryValue(key, SubKeyRef, type, buffer.data(), size) != kErrorSuccess) {
        KeyVal.clear();
        registry.CloseKey(key);
        return false;
    }
    // A backend that reports more than the buffer holds is not believed.
    if (size > kValueBufferSize)
        size = kValueBufferSize;

    switch (type) {
    case kRegSz: {
        std::string text(reinterpret_cast<const char *>(buffer.data()), size);
        if (!text.empty() && text.back() == '\0')
            text.pop_back();
        KeyVal = std::move(text);
        break;
    }
    case kRegDword: KeyVal = hexFromLastByte(buffer.data(), size); break;
    default: break;
    }
    registry.CloseKey(key);
    return true;
}

} // namespace jw::registry
