#include "hotkeys/mini/frmmin.h"

#include "base/windowposition.h"
#include "ui/pictures.h"
#include "ui/positionrecorder.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QPushButton>

namespace jw {

frmMin::frmMin(WindowPosition &position, Actions actions)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      m_position(position), m_actions(std::move(actions))
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
    new ui::PositionRecorder(this, [this] { Form_Paint(); });
    Form_Load();
}

void frmMin::Form_Load()
{
    const WindowPosition::Stored stored = m_position.read();
    // A coordinate that is not a number leaves that one at its default.
    ui::setTop(this, stored.top.value_or(1));
    ui::setLeft(this, stored.left.value_or(1));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void frmMin::Form_Paint()
{
    m_position.recordCorner(ui::Top(this), ui::Left(this));
}

void frmMin::cmdExpand_Click()
{
    if (m_actions.expand)
        m_actions.expand();
}

void frmMin::closeEvent(QCloseEvent *event)
{
    // Closing the mini window ends the program the way the main window's close does.
    if (!m_actions.closeProgram || m_actions.closeProgram())
        event->accept();
    else
        event->ignore();
}

} // namespace jw
