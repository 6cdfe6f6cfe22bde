#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QTimer;

namespace jw {

/// The picture that greets the user while the pad starts. The first tick of
/// its timer, a click or a key hands over to the mini window, once.
class frmSplash final : public QWidget {
    Q_OBJECT

public:
    /// `showMiniWindow` makes the mini window visible (creating it when needed).
    explicit frmSplash(std::function<void()> showMiniWindow = {});
    /// For a splash shown before the pad that hands over to it existed.
    void setShowMiniWindow(std::function<void()> showMiniWindow) { m_showMiniWindow = std::move(showMiniWindow); }

    QLabel *Picture1 = nullptr;
    QTimer *Timer1 = nullptr;

    void Timer1_Timer();
    void Picture1_Click();
    void Form_KeyPress();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void dismiss();

    std::function<void()> m_showMiniWindow;
    bool m_dismissed = false;
};

} // namespace jw
