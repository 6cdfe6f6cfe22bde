#pragma once

#include "hotkeys/creghotkey.h"
#include "hotkeys/hotkeyerror.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace jwtest {

/// One HotKeyPress event.
struct Press {
    std::string name;
    std::int32_t modifiers;
    std::int32_t key;
    bool operator==(const Press &) const = default;
};
using Presses = std::vector<Press>;

inline void PrintTo(const Press &p, std::ostream *os)
{
    *os << '"' << p.name << "\" " << p.modifiers << ' ' << p.key;
}

/// Notes every press of `registry` in `log`.
inline void recordPresses(jw::cRegHotKey &registry, Presses &log)
{
    registry.HotKeyPress = [&log](const std::string &n, std::int32_t m, std::int32_t k) { log.push_back({n, m, k}); };
}

/// The HotKeyError that `action` throws.
inline jw::HotKeyError errorFrom(const std::function<void()> &action)
{
    try {
        action();
    } catch (const jw::HotKeyError &error) {
        return error;
    }
    ADD_FAILURE() << "no HotKeyError was thrown";
    return jw::HotKeyError(0, {}, {});
}

} // namespace jwtest
