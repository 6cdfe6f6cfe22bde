#pragma once

#include <QByteArray>
#include <QWindow>

#include <memory>

namespace jw {

/// Who has the keyboard: the pad's window the user summons gets it, and it
/// goes back to the window the user came from when the pad steps aside.
/// Desktops refuse the keyboard to a window that asks without a recent user
/// action, so each request carries the time of the action behind it.
class WindowFocus {
public:
    virtual ~WindowFocus() = default;

    /// The desktop's active window (a native id), 0 when none or unknown.
    virtual quintptr activeWindow() = 0;

    /// Asks for the keyboard for `window`, which was just shown, on behalf
    /// of the user's action at `time` (the X server's time; 0: unknown, then
    /// the time of a launcher's startup id is used, if one was given).
    virtual void activate(QWindow &window, quint32 time) = 0;

    /// Gives the keyboard to another program's `window` if it still exists;
    /// false when it does not.
    virtual bool giveBack(quintptr window, quint32 time) = 0;

    /// The next activate() answers a launcher that ran `--show` or `--toggle`:
    /// its startup id (X11: DESKTOP_STARTUP_ID) or activation token (Wayland:
    /// XDG_ACTIVATION_TOKEN).
    virtual void useLaunchToken(const QByteArray &token) = 0;

    /// Notes who has the keyboard before the pad shows a window: nobody
    /// when it is one of the pad's own windows.
    void noteOrigin();

    /// After the pad hid its windows: the keyboard goes back to the noted
    /// window when the pad had it. `padHadKeyboard` is asked before the hiding.
    void returnToOrigin(bool padHadKeyboard, quint32 time);

protected:
    WindowFocus() = default;

private:
    quintptr m_origin = 0;
};

/// Asks Qt only (QWindow::requestActivate); the launch token goes to Qt as
/// XDG_ACTIVATION_TOKEN, which its Wayland plugin hands to the compositor.
class QtWindowFocus final : public WindowFocus {
public:
    quintptr activeWindow() override { return 0; }
    void activate(QWindow &window, quint32 time) override;
    bool giveBack(quintptr, quint32) override { return false; }
    void useLaunchToken(const QByteArray &token) override;
};

/// The focus handling for the running application's desktop.
std::unique_ptr<WindowFocus> createWindowFocus();

} // namespace jw
