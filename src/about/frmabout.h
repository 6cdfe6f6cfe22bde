#pragma once

#include <QDialog>
#include <QKeySequence>

#include <functional>

class QLabel;
class QPushButton;

namespace jw {

namespace registry {
class IRegistry;
}

/// The About box: the program's name and version, and a button that starts
/// the system information program. While it is open the main window is hidden.
class frmAbout final : public QDialog {
    Q_OBJECT

public:
    /// Starts the program at `sPath` as a process of its own, without
    /// waiting for it; throws std::exception, saying why, when it cannot.
    using Launcher = std::function<void(const QString &sPath)>;

    /// Loads the box at `mainWindow`'s corner and hides `mainWindow` until
    /// the box closes. `registry` tells where the system information program is;
    /// `hotKey` is the key that shows the pad (empty: none is in use).
    frmAbout(QWidget &mainWindow, registry::IRegistry &registry, Launcher launcher,
             const QKeySequence &hotKey = QKeySequence(Qt::ALT | Qt::Key_V));

    /// The launcher of the program: a detached process.
    static void startDetached(const QString &sPath);

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;

    void Form_Load();
    void Form_Unload();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    /// Finds and starts the system information program; tells the user when
    /// there is none or it cannot be started (the reason goes to the log).
    /// The box stays open.
    void StartSysInfo();

protected:
    void paintEvent(QPaintEvent *event) override;
    void done(int result) override;

private:
    void buildControls(const QKeySequence &hotKey);

    QWidget &m_main;
    registry::IRegistry &m_registry;
    Launcher m_launcher;
    bool m_unloaded = false;
};

} // namespace jw
