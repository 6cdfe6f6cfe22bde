#include "hotkeys/frmmin.h"

#include "pages/pagelist.h"
#include "shell/frmmain.h"
#include "base/ioerror.h"
#include "base/placement.h"
#include "base/settingsstore.h"
#include "ui/pictures.h"
#include "ui/richtextedit.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace jw {

frmMin::frmMin(frmMain &main)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_main(main)
{
    setWindowTitle(QStringLiteral("Jotwell"));
    setWindowIcon(ui::programIcon());
    setAttribute(Qt::WA_QuitOnClose, false);

    cmdExpand = new QPushButton(this);
    cmdExpand->setIcon(ui::expandPicture());
    cmdExpand->setIconSize(QSize(16, 16));
    cmdExpand->setToolTip(QStringLiteral("Open the pad"));
    ui::placeTwips(cmdExpand, 1200, 0, 300, 300);
    setFixedSize(ui::toPixelsX(this, 1605), ui::toPixelsY(this, 330));
    connect(cmdExpand, &QPushButton::clicked, this, &frmMin::cmdExpand_Click);
    m_moveSettled.setSingleShot(true);
    m_moveSettled.setInterval(300);
    connect(&m_moveSettled, &QTimer::timeout, this, &frmMin::Form_Paint);
    Form_Load();
}

void frmMin::Form_Load()
{
    double top = 1;
    double left = 1;
    try {
        if (const auto entries = m_main.store().readSection(kApp, kPositionSection)) {
            // A coordinate that is not a number leaves that one at its default.
            if (const auto value = toInt32(entries->at(0).second))
                top = *value;
            if (entries->size() > 1) {
                if (const auto value = toInt32(entries->at(1).second))
                    left = *value;
            }
        }
    } catch (const std::exception &) {
    }
    ui::setTop(this, top);
    ui::setLeft(this, left);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void frmMin::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_paintQueued) {
        m_paintQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_paintQueued = false;
            Form_Paint();
        });
    }
}

void frmMin::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // Record the corner once a drag comes to rest.
    if (isVisible())
        m_moveSettled.start();
}

void frmMin::Form_Paint()
{
    if (!isVisible())
        return;
    try {
        m_main.store().writeEntries(kApp, kPositionSection,
                                    {{QStringLiteral("Top"), twipsText(ui::Top(this))},
                                     {QStringLiteral("Left"), twipsText(ui::Left(this))}});
    } catch (const IoError &error) {
        static bool told = false;
        if (!told) {
            told = true;
            std::fprintf(stderr, "jotwell: cannot record the window position: %s\n", error.what());
        }
    }
}

void frmMin::cmdExpand_Click()
{
    const ExpandPlacement place = expandPlacement({ui::Top(this), ui::Left(this)}, ui::ScreenWidth(this),
                                                  ui::ScreenHeight(this));
    if (place.rememberTop != 0)
        m_main.iTop = place.rememberTop;
    if (place.rememberLeft != 0)
        m_main.iLeft = place.rememberLeft;
    ui::setTop(&m_main, place.main.top);
    ui::setLeft(&m_main, place.main.left);
    hide();
    m_main.show();
    m_main.activateWindow();
    m_main.txtPad->setFocus();
}

void frmMin::closeEvent(QCloseEvent *event)
{
    // Closing the mini window ends the program the way the main window's close does.
    if (m_main.isClosing() || m_main.close())
        event->accept();
    else
        event->ignore();
}

} // namespace jw
