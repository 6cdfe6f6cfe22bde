#include "hotkeys/qt/keychoice.h"

#include "hotkeys/win32codes.h"

#include <QCoreApplication>

#include <map>

namespace jw {

namespace {

using namespace jw::win32;

std::optional<std::int32_t> virtualKey(Qt::Key key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return std::int32_t(key); // Qt and the registry agree on letters and digits
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + std::int32_t(key - Qt::Key_F1);
    static const std::map<Qt::Key, std::int32_t> named = {{Qt::Key_Backspace, VK_BACK},
                                                          {Qt::Key_Tab, VK_TAB},
                                                          {Qt::Key_Return, VK_RETURN},
                                                          {Qt::Key_Enter, VK_RETURN},
                                                          {Qt::Key_Pause, VK_PAUSE},
                                                          {Qt::Key_Escape, VK_ESCAPE},
                                                          {Qt::Key_Space, VK_SPACE},
                                                          {Qt::Key_PageUp, VK_PRIOR},
                                                          {Qt::Key_PageDown, VK_NEXT},
                                                          {Qt::Key_End, VK_END},
                                                          {Qt::Key_Home, VK_HOME},
                                                          {Qt::Key_Left, VK_LEFT},
                                                          {Qt::Key_Up, VK_UP},
                                                          {Qt::Key_Right, VK_RIGHT},
                                                          {Qt::Key_Down, VK_DOWN},
                                                          {Qt::Key_Print, VK_SNAPSHOT},
                                                          {Qt::Key_Insert, VK_INSERT},
                                                          {Qt::Key_Delete, VK_DELETE},
                                                          {Qt::Key_Menu, VK_APPS},
                                                          {Qt::Key_ScrollLock, VK_SCROLL},
                                                          {Qt::Key_Semicolon, VK_OEM_1},
                                                          {Qt::Key_Plus, VK_OEM_PLUS},
                                                          {Qt::Key_Equal, VK_OEM_PLUS},
                                                          {Qt::Key_Comma, VK_OEM_COMMA},
                                                          {Qt::Key_Minus, VK_OEM_MINUS},
                                                          {Qt::Key_Period, VK_OEM_PERIOD},
                                                          {Qt::Key_Slash, VK_OEM_2},
                                                          {Qt::Key_QuoteLeft, VK_OEM_3},
                                                          {Qt::Key_BracketLeft, VK_OEM_4},
                                                          {Qt::Key_Backslash, VK_OEM_5},
                                                          {Qt::Key_BracketRight, VK_OEM_6},
                                                          {Qt::Key_Apostrophe, VK_OEM_7}};
    const auto found = named.find(key);
    if (found == named.end())
        return std::nullopt;
    return found->second;
}

} // namespace

std::optional<KeyChord> keyChord(const QKeySequence &sequence, QString *why)
{
    const auto refuse = [why](const QString &reason) -> std::optional<KeyChord> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (sequence.count() != 1)
        return refuse(
            QCoreApplication::translate("jw::HotKey", "A hot key is one key with Alt, Ctrl or the logo key."));
    const QKeyCombination combination = sequence[0];
    const Qt::KeyboardModifiers held = combination.keyboardModifiers();
    std::int32_t modifiers = 0;
    modifiers |= held.testFlag(Qt::AltModifier) ? MOD_ALT : 0;
    modifiers |= held.testFlag(Qt::ControlModifier) ? MOD_CONTROL : 0;
    modifiers |= held.testFlag(Qt::ShiftModifier) ? MOD_SHIFT : 0;
    modifiers |= held.testFlag(Qt::MetaModifier) ? MOD_WIN : 0;
    if ((modifiers & ~MOD_SHIFT) == 0)
        return refuse(QCoreApplication::translate(
            "jw::HotKey", "A hot key needs Alt, Ctrl or the logo key, so that typing never triggers it."));
    const std::optional<std::int32_t> key = virtualKey(combination.key());
    if (!key)
        return refuse(QCoreApplication::translate("jw::HotKey", "%1 cannot be a hot key.")
                          .arg(sequence.toString(QKeySequence::NativeText)));
    return KeyChord{*key, modifiers};
}

} // namespace jw
