#pragma once

#include <QTimer>
#include <QWidget>

class QPushButton;

namespace jw {

class frmMain;

/// The mini window: a small always-on-top stand-in for the main window.
class frmMin final : public QWidget {
    Q_OBJECT

public:
    /// Created on first use; its load places it where a window last stood.
    explicit frmMin(frmMain &main);

    QPushButton *cmdExpand = nullptr;

    void Form_Load();
    void Form_Paint();
    void cmdExpand_Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    frmMain &m_main;
    bool m_paintQueued = false;
    QTimer m_moveSettled;
};

} // namespace jw
