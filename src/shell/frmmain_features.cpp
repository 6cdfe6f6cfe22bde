// The features the main window hosts, and what it offers them: the current
// page and its own place on the desktop.
#include "shell/frmmain.h"

#include "about/helpcommands.h"
#include "editing/editcommands.h"
#include "editing/formatcontrols.h"
#include "editing/searchcommands.h"
#include "editing/writingaids.h"
#include "miniwindow/hotkeycommands.h"
#include "miniwindow/minicommands.h"
#include "pages/historycommands.h"
#include "pages/pagecommands.h"
#include "pages/pagefiles.h"
#include "pages/pagekeeper.h"
#include "shell/commandline.h"
#include "pages/printexport.h"
#include "search/findallcommands.h"
#include "shell/commandregistry.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/twips.h"

#include <QMenuBar>
#include <QPushButton>

namespace jw {

void frmMain::buildFeatures()
{
    m_commands = std::make_unique<CommandRegistry>(*menuBar());
    const ui::FeatureContext context{*m_commands, *txtPad, *oTabs, *this, *this, m_store};
    // Each feature brings its own commands into the menus' places.
    auto add = [this](QObject *feature) {
        m_features.emplace_back(feature);
        return feature;
    };
    auto *printExport = static_cast<PrintExportCommands *>(add(new PrintExportCommands(context, this)));
    auto *pageCommands = static_cast<PageCommands *>(add(new PageCommands(context, m_pages, m_files, this)));
    auto *history =
        static_cast<PageHistoryCommands *>(add(new PageHistoryCommands(context, *m_history, m_journal, this)));
    pageCommands->setVersions(history);
    printExport->setPageFileGuard(history->saveAsGuard());
    connect(m_keeper.get(), &PageKeeper::aboutToReload, history, &PageHistoryCommands::beforeReload);
    ui::addCommand(*m_commands, this, "mnuExit", tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q),
                   &frmMain::mnuExit_Click, ui::Place::FileExit);
    add(new EditCommands(*m_commands, *txtPad, this));
    add(new SearchCommands(context, vSearch, this));
    add(new WritingAids(context, this));
    add(new search::FindAllCommands(context, m_pages, m_files, this));
    m_format = static_cast<FormatControls *>(
        add(new FormatControls(*Toolbar1, *cmbFont, *cmbFontSize, *txtPad, *m_commands, this)));
    m_mini = static_cast<MiniWindowCommands *>(
        add(new MiniWindowCommands(context, *this, *cmdShink, m_position, iTop, iLeft, this)));
    m_hotKeys = static_cast<HotKeyCommands *>(add(new HotKeyCommands(
        context,
        [this](const QString &sName, qint32 eModifiers, qint32 eKey, quint32 time) {
            m_mini->m_cHK_HotKeyPress(sName, eModifiers, eKey, time);
        },
        this)));
    add(new HelpCommands(
        *m_commands, *this, [this] { return m_hotKeys->hotKey(); }, this));
}

QString frmMain::handOverCommand(const QString &command)
{
    const HandOver line = splitHandOver(command);
    return m_mini->handOverCommand(line.command, line.launchToken);
}

// ---------------------------------------------------------- the current page

QString frmMain::title() const { return oTabs->caption(oTabs->selectedIndex()); }

bool frmMain::switchTo(const QString &title)
{
    const int index = int(tabCaptions().indexOf(title)) + 1;
    return index > 0 && (index == oTabs->selectedIndex() || oTabs->requestTab(index));
}

void frmMain::showTitles(const QStringList &titles, const QString &current)
{
    setTabs(titles, int(titles.indexOf(current)) + 1);
}

void frmMain::renamed(const QString &oldTitle, const QString &newTitle)
{
    m_keeper->forget(oldTitle);
    oData.renamedTo(pageFileName(newTitle));
    txtPad->document()->setModified(false);
    m_keeper->pageShown();
}

// ----------------------------------------------------------- the host window

QWidget *frmMain::messageParent()
{
    if (isVisible())
        return this;
    frmMin *mini = m_mini->existingMiniWindow();
    return mini && mini->isVisible() ? mini : nullptr;
}

void frmMain::tell(const QString &text)
{
    if (m_noticesTold)
        ui::MsgBox(messageParent(), text);
    else
        m_startNotices << text;
}

bool frmMain::atShortHeight() const
{
    // Compared in whole pixels: a window cannot take 960 twips exactly at every DPI.
    return ui::toPixelsY(this, ui::Height(this)) == ui::toPixelsY(this, iShortHeight);
}

void frmMain::RestoreHeight() { ui::setHeight(this, iFullHeight); }

} // namespace jw
