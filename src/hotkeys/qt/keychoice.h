#pragma once

#include <QKeySequence>
#include <QString>

#include <cstdint>
#include <optional>

namespace jw {

/// A hot key as the registry takes it: a virtual key code and MOD_ flags.
struct HotKeyChoice {
    std::int32_t key = 0;
    std::int32_t modifiers = 0;
    bool operator==(const HotKeyChoice &) const = default;
};

/// The registry's form of `sequence`: one key with Alt, Ctrl or the logo key
/// (Shift may be added). Empty, with the reason in `why`, for anything else:
/// a key alone or with Shift alone would be taken from every program's typing.
std::optional<HotKeyChoice> hotKeyChoice(const QKeySequence &sequence, QString *why = nullptr);

/// The default: Alt+V.
inline constexpr HotKeyChoice kDefaultHotKey{0x56, 0x1};

} // namespace jw
