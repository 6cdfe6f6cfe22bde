#pragma once

#include "hotkeys/win/creghotkey.h"
#include "hotkeys/win/hotkeyerror.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace jwtest {

/// One HotKeyPress event: name, modifiers, key.
using Press = std::tuple<std::string, std::int32_t, std::int32_t>;
using Presses = std::vector<Press>;

/// Notes every press of `registry` in `log`.
inline void recordPresses(jw::cRegHotKey &registry, Presses &log)
{
    registry.HotKeyPress = [&log](const std::string &n, std::int32_t m, std::int32_t k) { log.push_back({n, m, k}); };
}

/// The HotKeyError that `action` throws.
template <typename Action>
jw::HotKeyError errorFrom(Action action)
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
