#pragma once

#include <QWidget>

#include <functional>

class QPushButton;

namespace jw {

class WindowPosition;

/// The mini window: a small always-on-top stand-in for the main window.
class frmMin final : public QWidget {
    Q_OBJECT

public:
    /// What the mini window asks of the main window.
    struct Actions {
        std::function<void()> expand;       ///< the expand button: swap back to the main window
        std::function<bool()> closeProgram; ///< the close box: end the program; false keeps it running
    };

    /// Created on first use; its load places it where a window last stood.
    frmMin(WindowPosition &position, Actions actions);

    QPushButton *cmdExpand = nullptr;

    /// Places the window at the stored corner (Top 1, Left 1 without one), topmost.
    void Form_Load();
    /// Records the window's corner in the settings.
    void Form_Paint();
    void cmdExpand_Click();

protected:
    /// Pixels the title bar needs to show the caption in full.
    int captionRoom() const;

    void closeEvent(QCloseEvent *event) override;

private:
    WindowPosition &m_position;
    Actions m_actions;
};

} // namespace jw
