#include "about/platform/fake/fakeregistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace jw::registry {

namespace {

// Registry names ignore letter case.
std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// Rights that only read: KEY_READ (query, enumerate, notify, read control).
constexpr std::uint32_t kKeyRead = 0x20019u;

} // namespace

void FakeRegistry::setValue(std::uint32_t root, const std::string &keyName, const std::string &valueName,
                            std::uint32_t type, std::vector<unsigned char> bytes)
{
    m_keys[{root, lower(keyName)}].values[lower(valueName)] = Value{type, std::move(bytes)};
}

void FakeRegistry::setText(std::uint32_t root, const std::string &keyName, const std::string &valueName,
                           const std::string &text)
{
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    setValue(root, keyName, valueName, kRegSz, std::move(bytes));
}

void FakeRegistry::setReadOnly(std::uint32_t root, const std::string &keyName)
{
    m_keys[{root, lower(keyName)}].readOnly = true;
}

long FakeRegistry::OpenKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, Handle &key)
{
    m_accessAsked.push_back(access);
    m_keysTried.push_back(keyName);
    const auto found = m_keys.find({root, lower(keyName)});
    if (found == m_keys.end())
        return kErrorFileNotFound;
    if (found->second.readOnly && (access & ~kKeyRead) != 0)
        return kErrorAccessDenied;
    key = m_next++;
    m_open[key] = found->first;
    return kErrorSuccess;
}

long FakeRegistry::QueryValue(Handle key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                              std::uint32_t &size)
{
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return kErrorInvalidHandle;
    const Key &entry = m_keys.at(open->second);
    const auto value = entry.values.find(lower(valueName));
    if (value == entry.values.end())
        return kErrorFileNotFound;
    const auto length = static_cast<std::uint32_t>(value->second.bytes.size());
    type = value->second.type;
    if (length > size) {
        size = length;
        return kErrorMoreData;
    }
    if (length > 0)
        std::memcpy(data, value->second.bytes.data(), length);
    size = length;
    return kErrorSuccess;
}

long FakeRegistry::CloseKey(Handle key) { return m_open.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle; }

} // namespace jw::registry
