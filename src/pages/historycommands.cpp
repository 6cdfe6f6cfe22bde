#include "pages/historycommands.h"

#include "base/fileio.h"
#include "base/settingsstore.h"
#include "pages/frmpagehistory.h"
#include "pages/historykeeper.h"
#include "pages/journal.h"
#include "pages/pagefiles.h"
#include "pages/pagelist.h"
#include "ui/feature.h"
#include "ui/richtextedit.h"
#include "ui/textmodel.h"

#include <QDir>
#include <QFileInfo>
#include <QTextCursor>

namespace jw {

namespace {

const QString kHistorySection = QStringLiteral("History");
const QString kSizeLimitKey = QStringLiteral("SizeLimitMB");
constexpr qint64 kDefaultLimitMB = 500;

} // namespace

PageHistoryCommands::PageHistoryCommands(const ui::FeatureContext &context, HistoryKeeper &keeper,
                                         const RecoveryJournal &journal, QObject *parent)
    : QObject(parent), m_pad(context.editor), m_page(context.page), m_host(context.host), m_settings(context.settings),
      m_keeper(keeper), m_journal(journal)
{
    ui::addCommand(context.commands, this, "mnuPageHistory", tr("Page &History..."),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H), &PageHistoryCommands::mnuPageHistory_Click,
                   ui::Place::EditPageHistory);
    m_keeper.setFailureHandler([this](const QString &reason) {
        m_host.tell(tr("Earlier versions of your pages cannot be kept in the page history (%1): %2. Your pages "
                       "are still saved as usual.")
                        .arg(QDir::toNativeSeparators(m_keeper.history().root()), reason));
    });
    // Thinning reads and removes files: not while the user types.
    m_rest.setSingleShot(true);
    m_rest.setInterval(20000);
    connect(&m_rest, &QTimer::timeout, this, [this] {
        m_keeper.setTyping(false);
        m_keeper.thinSoon(sizeLimit());
    });
    connect(&m_pad, &QTextEdit::textChanged, this, [this] {
        m_keeper.setTyping(true);
        m_rest.start();
    });
    m_rest.start();
}

PageHistoryCommands::~PageHistoryCommands() { m_keeper.setFailureHandler({}); }

qint64 PageHistoryCommands::sizeLimit() const
{
    bool ok = false;
    const qint64 mb = m_settings.readOne(kApp, kHistorySection, kSizeLimitKey).toLongLong(&ok);
    return (ok && mb >= 0 ? mb : kDefaultLimitMB) * 1024 * 1024;
}

void PageHistoryCommands::mnuPageHistory_Click()
{
    const QString title = m_page.title();
    if (title.isEmpty())
        return;
    browse(m_host.toolOwner(), title, m_pad.toDocument(), [this](const rtf::Document &version) {
        restoreIntoEditor(version);
        return true;
    });
}

void PageHistoryCommands::browse(QWidget *owner, const QString &title, const rtf::Document &now,
                                 const std::function<bool(const rtf::Document &)> &restore)
{
    m_keeper.waitIdle(); // versions still being written belong in the list
    frmPageHistory dialog(owner, title, m_keeper.history().versions(m_keeper.pagesFolder(), title, &m_journal), now,
                          restore);
    dialog.exec();
}

void PageHistoryCommands::restoreIntoEditor(const rtf::Document &version)
{
    m_keeper.keepPage(m_page.title(), m_pad.toDocument(), PageHistory::Reason::Restored);
    // One edit block: a single Undo takes the whole restore back.
    QTextCursor cursor(m_pad.document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    if (!version.runs.empty())
        cursor.setBlockCharFormat(ui::toQtFormat(version.runs.front().format));
    ui::textmodel::insertModel(cursor, version, false);
    cursor.endEditBlock();
    m_pad.moveCursor(QTextCursor::Start);
    m_pad.setFocus();
}

void PageHistoryCommands::beforeReload()
{
    m_keeper.keepPage(m_page.title(), m_pad.toDocument(), PageHistory::Reason::Reloaded);
}

void PageHistoryCommands::keepLeaving(const QString &title, const QString &path, PageHistory::Reason reason)
{
    m_keeper.keepCopy(title, path, reason);
}

QList<PageHistory::Page> PageHistoryCommands::pagesWithHistory() const
{
    return m_keeper.history().pages(m_keeper.pagesFolder());
}

QString PageHistoryCommands::pageOf(const QString &path) const
{
    // Where a name leads; QFileInfo's own comparison takes any two missing files as one.
    const auto where = [](const QString &name) {
        const QFileInfo info(name);
        const QString canonical = info.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
    };
    const QString chosen = where(path);
    const FileStamp stamp = fileStamp(path);
    for (const QString &title : m_page.titles()) {
        const QString file = QDir(m_keeper.pagesFolder()).filePath(pageFileName(title));
        // On a file system that ignores case another spelling reaches the page's file too.
        const bool sameEntry = QFileInfo(chosen).path() == QFileInfo(where(file)).path() && stamp.exists
                               && stamp.fileId != 0 && stamp == fileStamp(file);
        if (chosen == where(file) || sameEntry)
            return title;
    }
    return {};
}

PageFileGuard PageHistoryCommands::saveAsGuard()
{
    return {[this](const QString &path) { return pageOf(path); },
            [this](const QString &title, const QString &path) {
                m_keeper.replaced(title, path, PageHistory::Reason::SavedAs);
            }};
}

} // namespace jw
