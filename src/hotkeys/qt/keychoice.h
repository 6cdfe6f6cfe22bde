#pragma once

#include "hotkeys/hotkeybackend.h"

#include <QKeySequence>
#include <QString>

#include <optional>

namespace jw {

/// The backends' form of `sequence`: one key with Alt, Ctrl or the logo key
/// (Shift may be added). Empty, with the reason in `why`, for anything else:
/// a key alone or with Shift alone would be taken from every program's typing.
std::optional<KeyChord> keyChord(const QKeySequence &sequence, QString *why = nullptr);

/// The default: Alt+V.
inline constexpr KeyChord kDefaultHotKey{0x56, 0x1};

} // namespace jw
