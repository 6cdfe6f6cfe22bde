#include "miniwindow/frmmin.h"

#include "base/windowposition.h"
#include "ui/pictures.h"
#include "ui/positionrecorder.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPushButton>

#include <algorithm>

namespace jw {

frmMin::frmMin(WindowPosition &position, Actions actions)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint),
      m_position(position), m_actions(std::move(actions))
{
    setWindowTitle(QStringLiteral("Jotwell"));
    setWindowIcon(ui::programIcon());
    setAttribute(Qt::WA_QuitOnClose, false);

    cmdExpand = new QPushButton(this);
    cmdExpand->setIcon(ui::expandPicture());
    cmdExpand->setIconSize(QSize(16, 16));
    cmdExpand->setToolTip(tr("Open the pad"));
    cmdExpand->setAccessibleName(tr("Expand"));
    cmdExpand->setAccessibleDescription(tr("Opens the main window with your pages in place of this one"));
    // Wide enough for the window manager to show the caption beside its icon
    // and buttons; the expand button keeps its place at the right.
    const double width = std::max(1605.0, captionRoom() * ui::twipsPerPixelX(this));
    ui::placeTwips(cmdExpand, width - 405, 0, 300, 300);
    setFixedSize(ui::toPixelsX(this, width), ui::toPixelsY(this, 330));
    connect(cmdExpand, &QPushButton::clicked, this, &frmMin::cmdExpand_Click);
    new ui::PositionRecorder(this, [this] { Form_Paint(); });
    Form_Load();
}

int frmMin::captionRoom() const
{
    // The title bar's font is the window manager's; the desktop's title font,
    // bold, is the closest guess. Room for an icon and three buttons of about
    // a title bar's height each, and some padding.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(windowTitle()) + 4 * (metrics.height() + 6) + 16;
}

void frmMin::Form_Load()
{
    const WindowPosition::Stored stored = m_position.read();
    // A coordinate that is not a number leaves that one at its default.
    ui::setTop(this, stored.top.value_or(1));
    ui::setLeft(this, stored.left.value_or(1));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // It stands in for the pad and needs no keys: showing it leaves the
    // keyboard where the user is (or where Alt+V gives it back).
    setAttribute(Qt::WA_ShowWithoutActivating, true);
}

void frmMin::Form_Paint() { m_position.recordCorner(ui::Top(this), ui::Left(this)); }

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
