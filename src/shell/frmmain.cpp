#include "shell/frmmain.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/placement.h"
#include "base/settingsstore.h"
#include "about/frmsplash.h"
#include "about/helpcommands.h"
#include "editing/editcommands.h"
#include "editing/formatcontrols.h"
#include "editing/searchcommands.h"
#include "miniwindow/hotkeycommands.h"
#include "miniwindow/minicommands.h"
#include "pages/historykeeper.h"
#include "pages/pagecommands.h"
#include "pages/pagekeeper.h"
#include "pages/pageplaces.h"
#include "pages/pagefiles.h"
#include "pages/printexport.h"
#include "shell/commandregistry.h"
#include "ui/messagebox.h"
#include "richtext/rtffile.h"
#include "ui/pagereading.h"
#include "ui/pictures.h"
#include "ui/positionrecorder.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>

#include <algorithm>

namespace jw {

namespace {

QString settingsNoticeText(const SettingsNotice &notice)
{
    if (notice.kind == SettingsNotice::Kind::MovedAside)
        return QCoreApplication::translate(
                   "jw::frmMain",
                   "The settings file \"%1\" was not valid (%2), so it was moved to \"%3\". The pad started with "
                   "the default page list; your page files are untouched.")
            .arg(QDir::toNativeSeparators(notice.file), notice.reason, QDir::toNativeSeparators(notice.movedTo));
    if (notice.kind == SettingsNotice::Kind::Unreadable)
        return QCoreApplication::translate(
                   "jw::frmMain",
                   "The settings file \"%1\" could not be read: %2. The pad shows the pages it could find and "
                   "writes nothing over that file; your page files are untouched.")
            .arg(QDir::toNativeSeparators(notice.file), notice.reason);
    if (notice.kind == SettingsNotice::Kind::EntriesDropped)
        return frmMain::tr("The settings file \"%1\" holds entries the pad cannot use as they are: %2.")
            .arg(QDir::toNativeSeparators(notice.file), notice.reason);
    return QCoreApplication::translate(
               "jw::frmMain", "The settings file \"%1\" cannot be written: %2. Changes to the page list and the window "
                              "position are not kept; your page files are untouched.")
        .arg(QDir::toNativeSeparators(notice.file), notice.reason);
}

} // namespace

frmMain::frmMain(SettingsStore &store, const PageFiles &files, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_files(files), oData(files), m_pages(store, files), m_position(store)
{
    setWindowTitle(QStringLiteral("Jotwell Pro"));
    setWindowIcon(ui::programIcon());
    buildControls();
    m_keeper = std::make_unique<PageKeeper>(oData, *txtPad, files, m_journal);
    // Queued: the failure may be found in the middle of a save.
    connect(
        m_keeper.get(), &PageKeeper::journalFailed, this,
        [this](const QString &title, const QString &reason) {
            ui::MsgBox(messageParent(), PageKeeper::journalFailureText(title, reason));
        },
        Qt::QueuedConnection);
    m_history = std::make_unique<HistoryKeeper>(PageHistory(), files.folder());
    // The version each save replaces is kept, while the exchange still holds it.
    oData.setReader([this](const QString &path, const QString &title) {
        // Start-up reads before the windows and the hot key are ready to answer anything.
        return m_loaded ? ui::readPageShowingProgress(messageParent(), path, title) : loadRtfFile(path);
    });
    oData.setReplacedHook([this](const QString &title, const QString &path) { m_history->replaced(title, path); });
    m_places = std::make_unique<PagePlaces>(oData, *txtPad, m_history->history().placesFile(files.folder()));
    buildFeatures();
    // The designed client area lies below the menu bar.
    resize(ui::toPixelsX(this, 4680), ui::toPixelsY(this, 4515) + menuBar()->sizeHint().height());
    qApp->installEventFilter(this);
    new ui::PositionRecorder(this, [this] { Form_Paint(); });
    // The desktop session is ending: the page must not lose its last edits.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &) { endSession(false); });
}

frmMain::~frmMain() { qApp->removeEventFilter(this); }

// ---------------------------------------------------------------- start-up

frmSplash *frmMain::showSplash()
{
    auto *splash = new frmSplash();
    splash->show();
    splash->activateWindow();
    // Put the splash on screen now: the rest of the load (the page, the font
    // list) takes a while and would otherwise run before its first paint.
    QGuiApplication::sync();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return splash;
}

void frmMain::Form_Load(frmSplash *splash)
{
    try {
        ConvertDatPages(m_store, m_files);
    } catch (const IoError &error) {
        qCWarning(lcPages) << "old page files not converted:" << error.what();
    }
    m_hotKeys->registerHotKeys();
    removeLeftovers(m_files, m_journal);
    const QStringList titles = m_pages.load();
    if (const QString text = PageList::leftOutText(m_pages.leftOut()); !text.isEmpty())
        m_startNotices << text;
    // The current page after start-up is the last one.
    setTabs(titles, int(titles.size()));
    restorePosition();
    hide();
    if (!splash)
        splash = showSplash();
    splash->setShowMiniWindow([this] {
        m_mini->miniWindow().show();
        QTimer::singleShot(0, this, &frmMain::tellStartNotices);
    });
    m_splash = splash;
    iFullHeight = 4755;
    iShortHeight = 960;
    iTop = 0;
    iLeft = 0;
    loadCurrentPage();
    setWindowFlag(Qt::WindowStaysOnTopHint, m_mini->alwaysOnTop());
    m_format->fillFontList();
    // Whoever opens the window first (expand button or Alt+V) finds the caret in the page.
    txtPad->setFocus();
    m_loaded = true;
    for (const SettingsNotice &notice : m_store.takeNotices())
        m_startNotices << settingsNoticeText(notice);
}

void frmMain::tellStartNotices()
{
    m_noticesTold = true;
    for (const QString &text : std::exchange(m_startNotices, {}))
        ui::MsgBox(messageParent(), text);
    offerRecovery();
}

void frmMain::offerRecovery()
{
    for (const RecoveryJournal::Entry &entry : m_keeper->recoverable(tabCaptions())) {
        const QString question =
            tr("Recover the unsaved text of page \"%1\" from %2?")
                .arg(entry.title, QLocale().toString(entry.time.toLocalTime(), QLocale::ShortFormat));
        // Enter recovers: the text is what the user typed last.
        if (!ui::AskBox(messageParent(), question, tr("&Recover"), tr("&Not Now"), QStringLiteral("Jotwell Pro"),
                        ui::Default::Yes)) {
            if (m_closing)
                return; // ended by a signal, not answered: asked again at the next start
            // Kept aside, and listed in the page's history: nothing is deleted without the user's yes.
            try {
                m_journal.setAside(entry);
            } catch (const IoError &error) {
                qCWarning(lcFiles) << error.what();
            }
            continue;
        }
        const int index = int(tabCaptions().indexOf(entry.title)) + 1;
        if (index != oTabs->selectedIndex() && !oTabs->requestTab(index))
            continue;
        try {
            m_keeper->recover(entry);
        } catch (const IoError &error) {
            ui::MsgBox(messageParent(), tr("The unsaved text could not be read: %1.").arg(error.reason()));
        }
    }
}

void frmMain::restorePosition()
{
    const WindowPosition::Stored stored = m_position.read();
    if (!stored.exists) {
        ui::setTop(this, 1);
        ui::setLeft(this, 1);
        return;
    }
    // A missing or unreadable coordinate keeps its designed value.
    if (stored.top)
        ui::setTop(this, *stored.top);
    if (stored.left)
        ui::setLeft(this, *stored.left);
    if (stored.width)
        ui::setWidth(this, *stored.width);
    if (stored.height)
        ui::setHeight(this, *stored.height);
    // A position off every screen (another monitor once, or a hand edit) puts it on the primary one.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        move(onSomeScreen(QRect(pos(), size()), screens, primary->availableGeometry()));
}

// ------------------------------------------------------------------- pages

QString frmMain::currentPageFile() const { return pageFileName(oTabs->caption(oTabs->selectedIndex())); }

QStringList frmMain::tabCaptions() const
{
    QStringList captions;
    for (int i = 1; i <= oTabs->count(); ++i)
        captions << oTabs->caption(i);
    return captions;
}

void frmMain::setTabs(const QStringList &titles, int select) { oTabs->setCaptions(titles, select); }

void frmMain::showPage(rtf::Document page)
{
    if (!m_places->showKept()) {
        txtPad->setFromDocument(std::move(page));
        txtPad->document()->setModified(false);
        m_places->placeLoaded();
    }
    nameEditor();
    m_keeper->pageShown();
}

void frmMain::nameEditor()
{
    // A screen reader names the editor after its page.
    txtPad->setAccessibleName(tr("Page %1").arg(oTabs->caption(oTabs->selectedIndex())));
}

void frmMain::loadCurrentPage()
{
    clsData::Opened opened = oData.loadData(currentPageFile());
    // A page that cannot be read shows empty; the guard keeps its file.
    showPage(opened.page ? std::move(*opened.page) : rtf::Document{});
    if (opened.page)
        return;
    const QString text =
        tr("The page file \"%1\" could not be read: %2. The page is shown empty, and its file will not be "
           "written over.")
            .arg(oData.currentFile(), opened.error);
    if (m_loaded)
        ui::MsgBox(messageParent(), text);
    else
        m_startNotices << text;
}

void frmMain::tellKeptAside(const clsData::Saved &saved)
{
    if (const QString text = m_keeper->saveNotice(saved); !text.isEmpty())
        ui::MsgBox(messageParent(), text);
}

bool frmMain::saveCurrentPage()
{
    const clsData::Saved saved = m_keeper->save();
    tellKeptAside(saved);
    if (saved.error.isEmpty())
        return true;
    // Safe outside the page file while it cannot be written.
    m_keeper->journalNow();
    ui::MsgBox(messageParent(), tr("The page could not be saved to \"%1\": %2.").arg(oData.currentFile(), saved.error));
    return false;
}

bool frmMain::mayClose()
{
    const clsData::Saved saved = m_keeper->save();
    tellKeptAside(saved);
    if (saved.error.isEmpty())
        return true;
    const QString failed = tr("The page could not be saved to \"%1\": %2.").arg(oData.currentFile(), saved.error);
    const QString entry = m_keeper->journalNow();
    if (entry.isEmpty()) {
        ui::MsgBox(messageParent(), failed);
        return false;
    }
    return ui::AskBox(messageParent(),
                      failed
                          + tr("\n\nIts unsaved text is safe in the recovery journal (%1), and the pad "
                               "offers it again at the next start. Close anyway?")
                                .arg(QDir::toNativeSeparators(entry)),
                      tr("&Close Anyway"), tr("&Keep Open"));
}

void frmMain::endSession(bool quit)
{
    if (!m_loaded)
        return;
    const clsData::Saved saved = m_keeper->save();
    QString reason;
    if (!saved.error.isEmpty() && m_keeper->journalNow(&reason).isEmpty()) {
        // Nowhere to keep the text: the pad stays and says so rather than end with it.
        ui::MsgBox(messageParent(), tr("The page could not be saved to \"%1\": %2. Its text could not be put in the "
                                       "recovery journal either (%3), so the pad stays open.")
                                        .arg(oData.currentFile(), saved.error, reason));
        return;
    }
    Form_Paint();
    if (quit) {
        m_closing = true;
        Form_Unload();
    }
}

bool frmMain::oTabs_BeforeClick(int newIndex)
{
    if (!saveCurrentPage())
        return false;
    m_places->leaving();
    // Read the new page before the tab changes: a page that cannot be read
    // must not receive the text still in the editor at the next save.
    const QString title = oTabs->caption(newIndex);
    clsData::Opened opened = oData.switchTo(pageFileName(title));
    if (!opened.page) {
        if (!opened.stopped)
            ui::MsgBox(this, tr("The page \"%1\" could not be opened: %2.").arg(title, opened.error));
        return false;
    }
    m_pending = std::move(opened.page);
    return true;
}

void frmMain::oTabs_Click()
{
    if (m_pending) {
        rtf::Document page = std::move(*m_pending);
        m_pending.reset();
        showPage(std::move(page));
    }
    txtPad->setFocus();
}

// ------------------------------------------------------------- lifecycle

void frmMain::Form_Paint()
{
    if (m_loaded && isVisible())
        m_position.recordAll(ui::Top(this), ui::Left(this), ui::Width(this), ui::Height(this));
}

void frmMain::mnuExit_Click()
{
    if (!mayClose())
        return;
    m_closing = true;
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Closing by the close box keeps the last edits too; a page that cannot be
    // written keeps the program open so that nothing is thrown away.
    if (!m_closing && m_loaded && !mayClose()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    Form_Unload();
}

void frmMain::Form_Unload()
{
    m_closing = true;
    m_mini->closeMiniWindow();
    if (m_splash)
        m_splash->close();
    hide();
    QCoreApplication::quit();
}

frmSplash *frmMain::splash() const { return qobject_cast<frmSplash *>(m_splash.data()); }

} // namespace jw
