#pragma once

#include "miniwindow/frmmin.h"

#include <QObject>

#include <memory>

class QAbstractButton;
class QAction;

namespace jw {

class SettingsStore;
class WindowFocus;
class WindowPosition;

namespace ui {
struct FeatureContext;
class ICurrentPage;
class RichTextEdit;
} // namespace ui

/// The mini window and the ways between it and the main window: the shrink
/// button, the mini window's expand button, Hide on Minimize and the show/hide
/// hot key's swap.
class MiniWindowCommands final : public QObject {
    Q_OBJECT

public:
    /// `main` is the main window with its shrink button `cmdShink`; the
    /// remembered mini-window corner `iTop`/`iLeft` and `position` belong to
    /// the main window and outlive the feature.
    MiniWindowCommands(const ui::FeatureContext &context, QWidget &main, QAbstractButton &cmdShink,
                       WindowPosition &position, qint32 &iTop, qint32 &iLeft, QObject *parent = nullptr);
    ~MiniWindowCommands() override;

    /// The mini window, created (and placed by its own load) on first use.
    frmMin &miniWindow();
    frmMin *existingMiniWindow() const { return m_min.get(); }
    /// The program is closing: the mini window goes without asking again.
    void closeMiniWindow();

    void cmdShink_Click();
    /// The mini window's expand button.
    void expandFromMini();
    /// The hot key's swap. The window it shows gets the keyboard for the
    /// user's key press at `time` (the desktop's time, 0: unknown); hiding
    /// gives the keyboard back to the window the user came from.
    void m_cHK_HotKeyPress(const QString &sName, qint32 eModifiers, qint32 eKey, quint32 time = 0);
    /// A command handed over by a later start: "show", "hide" or "toggle"
    /// are answered "ok", anything else "unknown command". `launchToken` is
    /// the launcher's startup id or activation token, for the window it shows.
    QString handOverCommand(const QString &command, const QByteArray &launchToken = {});
    /// Whether Hide on Minimize is ticked.
    bool hideOnMinimize() const;
    /// Whether Edit > Always on Top is ticked (kept in the settings; ticked
    /// unless the user untied it). The mini window stays on top always.
    bool alwaysOnTop() const;
    void mnuOnTop_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Shows the main window, restored from a minimise and raised.
    void bringBack();
    /// With Hide on Minimize ticked, the title bar's minimise shrinks instead.
    void hideMinimized();

    QWidget &m_main;
    ui::RichTextEdit &m_pad;
    ui::ICurrentPage &m_page;
    WindowPosition &m_position;
    qint32 &iTop;
    qint32 &iLeft;
    QAction *mnuHide = nullptr;
    QAction *mnuOnTop = nullptr;
    SettingsStore &m_store;
    std::unique_ptr<frmMin> m_min;
    std::unique_ptr<WindowFocus> m_focus;
    bool m_closing = false;
};

} // namespace jw
