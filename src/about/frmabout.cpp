#include "about/frmabout.h"

#include "about/platform/sysinfopath.h"
#include "base/placement.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/twips.h"

#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QProcess>
#include <QPushButton>

#include <algorithm>
#include <stdexcept>

namespace jw {

namespace {

Q_LOGGING_CATEGORY(lcDialogs, "jotwell.dialogs")

const QString kAppTitle = QStringLiteral("Jotwell Pro");

QLabel *label(QWidget *parent, const QString &text, double left, double top, double width, double height)
{
    auto *l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::placeTwips(l, left, top, width, height);
    return l;
}

} // namespace

frmAbout::frmAbout(QWidget &mainWindow, registry::IRegistry &registry, Launcher launcher, const QKeySequence &hotKey)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_main(mainWindow), m_registry(registry), m_launcher(std::move(launcher))
{
    setModal(true);
    // Above the main window, which is itself kept above others.
    // The main window is hidden while the box is open: closing the box must
    // not count as closing the program's last window.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowIcon(ui::programIcon());
    buildControls(hotKey);
    Form_Load();
}

void frmAbout::buildControls(const QKeySequence &hotKey)
{
    setFixedSize(ui::toPixelsX(this, 5730), ui::toPixelsY(this, 3555));

    picIcon = new QLabel(this);
    ui::placeTwips(picIcon, 240, 240, 540, 540);
    picIcon->setPixmap(ui::programIcon().pixmap(picIcon->size(), devicePixelRatioF()));
    picIcon->setAlignment(Qt::AlignCenter);
    // The icon takes part in the tab order; a dotted frame shows when it has the focus.
    picIcon->setFocusPolicy(Qt::TabFocus);
    picIcon->setAccessibleName(tr("Program icon"));
    picIcon->setStyleSheet(QStringLiteral("QLabel:focus { border: 1px dotted palette(text); }"));

    lblTitle = label(this, QString(), 1050, 240, 3885, 480);
    QFont titleFont = font();
    titleFont.setPointSizeF(13.5);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setWordWrap(false);

    lblVersion = label(this, QString(), 1050, 780, 3885, 225);
    lblVersion->setWordWrap(false);
    lblDescription = label(this,
                           tr("A tabbed notes pad: every page is a rich text file "
                              "that is saved whenever you leave it."),
                           1050, 1125, 3885, 1170);
    // The key actually in use; none is said by saying nothing.
    const QString keys = hotKey.toString(QKeySequence::NativeText);
    Label1 =
        label(this, keys.isEmpty() ? QString() : tr("%1 brings it up from anywhere.").arg(keys), 1080, 2040, 3855, 375);
    lblDisclaimer = label(this, QString(), 255, 2625, 3870, 825);

    cmdOK = new QPushButton(tr("OK"), this);
    ui::placeTwips(cmdOK, 4245, 2625, 1260, 345);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo->setAccessibleDescription(tr("Starts the desktop's system information program"));
    ui::placeTwips(cmdSysInfo, 4260, 3075, 1245, 345);
    ui::fitButtonRow(this, {cmdSysInfo});

    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    cmdOK->setFocus();

    // Esc rejects a QDialog by itself; Enter presses the default button.
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
}

void frmAbout::Form_Load()
{
    const Corner main{ui::Top(&m_main), ui::Left(&m_main)};
    m_main.hide();
    const Corner box = aboutPlacement(main, ui::ScreenHeight(&m_main));
    ui::setTop(this, box.top);
    ui::setLeft(this, box.left);
    setWindowTitle(tr("About %1").arg(kAppTitle));
    lblVersion->setText(tr("Version %1.%2.%3").arg(JW_VERSION_MAJOR).arg(JW_VERSION_MINOR).arg(JW_VERSION_PATCH));
    lblTitle->setText(kAppTitle);
}

void frmAbout::cmdOK_Click() { accept(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo()
{
    try {
        const auto fileExists = [](const std::string &path) {
            return QFileInfo(QString::fromLocal8Bit(path)).isFile();
        };
        const std::optional<std::string> path = registry::findSysInfoPath(m_registry, fileExists);
        if (!path)
            throw std::runtime_error("the registry names no system information program");
        // A value that is not text leaves the path empty.
        if (path->empty())
            throw std::runtime_error("the registry's path of the system information program is empty");
        m_launcher(QString::fromLocal8Bit(*path));
        return;
    } catch (const std::exception &error) {
        qCWarning(lcDialogs, "System Info: %s", error.what());
    }
    ui::MsgBox(this, tr("System Information Is Unavailable At This Time"));
}

void frmAbout::startDetached(const QString &sPath)
{
    QProcess process;
    process.setProgram(sPath);
    if (!process.startDetached())
        throw std::runtime_error(
            QStringLiteral("%1 cannot be started: %2").arg(sPath, process.errorString()).toStdString());
}

void frmAbout::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmAbout::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    hide();
    m_main.show();
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The etched separator above the buttons: a shadow line with a highlight below it.
    QPainter p(this);
    const auto x = [this](double twips) { return ui::toPixelsX(this, twips); };
    const auto y = [this](double twips) { return ui::toPixelsY(this, twips); };
    p.setPen(QPen(palette().color(QPalette::Dark), 1));
    p.drawLine(x(90), y(2445), x(5654), y(2445));
    p.setPen(QPen(palette().color(QPalette::Light), 1));
    const int below = std::max(y(2460), y(2445) + 1);
    p.drawLine(x(105), below, x(5654), below);
}

} // namespace jw
