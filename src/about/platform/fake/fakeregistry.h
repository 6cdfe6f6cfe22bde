#pragma once

#include "about/platform/iregistry.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace jw::registry {

/// A registry in memory for tests: keys that may refuse write rights, values
/// of any type, and a record of what was opened and closed.
class FakeRegistry final : public IRegistry {
public:
    /// Adds (or replaces) a value; the key is created when missing.
    void setValue(std::uint32_t root, const std::string &keyName, const std::string &valueName, std::uint32_t type,
                  std::vector<unsigned char> bytes);
    /// A text value with its terminating NUL, as the system stores REG_SZ.
    void setText(std::uint32_t root, const std::string &keyName, const std::string &valueName, const std::string &text);
    /// Creates a key that the user may only read: opening it with any right
    /// beyond reading is refused with kErrorAccessDenied.
    void setReadOnly(std::uint32_t root, const std::string &keyName);

    /// Keys opened and not closed yet.
    std::size_t openKeys() const { return m_open.size(); }
    /// The access rights of every successful or refused open, in order.
    const std::vector<std::uint32_t> &accessAsked() const { return m_accessAsked; }
    /// The key names opened or tried, in order.
    const std::vector<std::string> &keysTried() const { return m_keysTried; }

    long OpenKey(std::uint32_t root, const std::string &keyName, std::uint32_t access, Handle &key) override;
    long QueryValue(Handle key, const std::string &valueName, std::uint32_t &type, unsigned char *data,
                    std::uint32_t &size) override;
    long CloseKey(Handle key) override;

private:
    struct Value {
        std::uint32_t type = 0;
        std::vector<unsigned char> bytes;
    };
    struct Key {
        bool readOnly = false;
        std::map<std::string, Value> values; // by lower-case name
    };
    using KeyId = std::pair<std::uint32_t, std::string>; // root, lower-case name

    std::map<KeyId, Key> m_keys;
    std::map<Handle, KeyId> m_open;
    std::vector<std::uint32_t> m_accessAsked;
    std::vector<std::string> m_keysTried;
    Handle m_next = 100;
};

} // namespace jw::registry
