#include "about/frmhelp.h"

#include "ui/dialogplacement.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace jw {

frmHelp::frmHelp(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    // Kept above, as the main window is, and owned by it (the dialog type is
    // what tells the window manager so): a click on the pad must not cover
    // its own help.
    if (parent)
        parent->installEventFilter(this);
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Jotwell Pro Help"));
    setWindowIcon(ui::programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    // The help may stay open when the pad is hidden; it never keeps the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(640, 560);

    tbrHelp = new QToolBar(this);
    tbrHelp->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto icon = [this](const QString &themeName, QStyle::StandardPixmap fallback) {
        return QIcon::fromTheme(themeName, style()->standardIcon(fallback));
    };
    cmdBack = tbrHelp->addAction(icon(QStringLiteral("go-previous"), QStyle::SP_ArrowBack), tr("&Back"));
    cmdBack->setShortcut(QKeySequence::Back);
    cmdForward = tbrHelp->addAction(icon(QStringLiteral("go-next"), QStyle::SP_ArrowForward), tr("&Forward"));
    cmdForward->setShortcut(QKeySequence::Forward);
    cmdContents = tbrHelp->addAction(icon(QStringLiteral("go-home"), QStyle::SP_ArrowUp), tr("&Contents"));
    cmdContents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);

    txtHelp = new QTextBrowser(this);
    txtHelp->setAccessibleName(tr("Help page"));
    // Links to the web go to the desktop's browser; the help's own pages stay here (QTextBrowser opens those).
    txtHelp->setOpenExternalLinks(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tbrHelp);
    layout->addWidget(txtHelp);

    connect(cmdBack, &QAction::triggered, txtHelp, &QTextBrowser::backward);
    connect(cmdForward, &QAction::triggered, txtHelp, &QTextBrowser::forward);
    connect(cmdContents, &QAction::triggered, this, &frmHelp::cmdContents_Click);
    connect(txtHelp, &QTextBrowser::backwardAvailable, cmdBack, &QAction::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, cmdForward, &QAction::setEnabled);
    connect(txtHelp, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = txtHelp->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("Jotwell Pro Help") : tr("%1 - Jotwell Pro Help").arg(title));
    });
}

bool frmHelp::eventFilter(QObject *watched, QEvent *event)
{
    // A window manager forgets the owner while it is hidden (shrunk, Alt+V):
    // showing the help again names the owner anew; the keys stay with the pad.
    if (watched == parentWidget() && event->type() == QEvent::Hide)
        m_ownerHidden = true;
    if (watched == parentWidget() && event->type() == QEvent::WindowActivate && m_ownerHidden && isVisible()) {
        m_ownerHidden = false;
        hide();
        // Minimised along with its owner, it comes back with it: mapped
        // minimised, a window manager would minimise the owner again with it.
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        parentWidget()->activateWindow();
    }
    return QWidget::eventFilter(watched, event);
}

void frmHelp::keyPressEvent(QKeyEvent *event)
{
    // Esc closes the help, as it does the pad's other windows.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmHelp::showContents(const QString &file, QString *error)
{
    QFile page(file);
    if (!QFileInfo(file).isFile() || !page.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QFileInfo::exists(file) ? page.errorString() : tr("No such file");
        return false;
    }
    page.close();
    m_contents = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    txtHelp->setSearchPaths({QFileInfo(file).absolutePath()});
    cmdContents_Click();
    return true;
}

void frmHelp::cmdContents_Click()
{
    if (!m_contents.isValid())
        return;
    if (txtHelp->source() == m_contents)
        txtHelp->verticalScrollBar()->setValue(0);
    else
        txtHelp->setSource(m_contents);
}

void showHelp(QWidget *owner, const QString &file)
{
    auto *help = owner ? owner->findChild<frmHelp *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    const bool created = help == nullptr;
    if (created)
        help = new frmHelp(owner);
    QString error;
    if (!help->showContents(file, &error)) {
        if (created)
            delete help;
        ui::MsgBox(owner, QCoreApplication::translate("jw::frmHelp", "The help file %1 cannot be opened: %2.")
                              .arg(QDir::toNativeSeparators(file), error));
        return;
    }
    // Opened beside the pad, where it covers as little of it as the screen allows.
    if (created && owner)
        ui::applyHelpPlacement(help, owner);
    help->show();
    help->raise();
    help->activateWindow();
}

} // namespace jw
