#include "pages/pagekeeper.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "pages/pagefiles.h"
#include "ui/richtextedit.h"

#include <QFileInfo>

namespace jw {

PageKeeper::PageKeeper(clsData &data, ui::RichTextEdit &pad, const PageFiles &files, const RecoveryJournal &journal)
    : m_data(data), m_pad(pad), m_files(files), m_journal(journal)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(2000);
    m_longest.setSingleShot(true);
    m_longest.setInterval(30000);
    m_settle.setSingleShot(true);
    m_settle.setInterval(200);
    for (QTimer *timer : {&m_idle, &m_longest})
        connect(timer, &QTimer::timeout, this, &PageKeeper::journalSoon);
    connect(&m_settle, &QTimer::timeout, this, &PageKeeper::fileChanged);
    connect(&m_pad, &QTextEdit::textChanged, this, &PageKeeper::textChanged);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { m_settle.start(); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
}

PageKeeper::~PageKeeper() { waitForJournal(); }

void PageKeeper::waitForJournal()
{
    if (m_writing.valid())
        journalDone(m_writingTitle, m_writing.get());
}

void PageKeeper::journalDone(const QString &title, const QString &error)
{
    if (error.isEmpty()) {
        m_failureTold = false;
        return;
    }
    qCWarning(lcFiles).noquote() << "could not journal the unsaved text of" << title << ":" << error;
    if (!std::exchange(m_failureTold, true))
        Q_EMIT journalFailed(title, error);
}

namespace {
const char *const kNoMemory = QT_TRANSLATE_NOOP("jw::PageKeeper", "there is not enough memory");
}

void PageKeeper::journalSoon()
{
    if (m_writing.valid() && m_writing.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        m_idle.start(); // the last write is still going: try again once typing rests
        return;
    }
    waitForJournal();
    m_longest.stop();
    if (m_data.currentFile().isEmpty() || !m_pad.document()->isModified())
        return;
    const QString title = m_data.currentTitle();
    m_journaled.insert(title);
    m_writingTitle = title;
    try {
        m_writing = std::async(std::launch::async,
                               [journal = m_journal, folder = pageFolder(), title, page = m_pad.toDocument(),
                                base = m_data.startedFrom(), time = QDateTime::currentDateTime()] {
                                   try {
                                       journal.record(folder, title, page, time, base);
                                   } catch (const IoError &e) {
                                       return e.reason();
                                   } catch (const std::bad_alloc &) {
                                       return PageKeeper::tr(kNoMemory);
                                   }
                                   return QString();
                               });
    } catch (const std::bad_alloc &) {
        journalDone(title, tr(kNoMemory));
    } catch (const std::system_error &e) {
        journalDone(title, QString::fromLocal8Bit(e.what())); // no thread to write on
    }
    // Said from the UI thread once the write ends, at the latest at the next write or save.
    if (m_writing.valid())
        QTimer::singleShot(100, this, [this] { pollJournal(); });
}

void PageKeeper::pollJournal()
{
    if (!m_writing.valid())
        return;
    if (m_writing.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        waitForJournal();
    else
        QTimer::singleShot(100, this, [this] { pollJournal(); });
}

void PageKeeper::forget(const QString &title)
{
    waitForJournal();
    m_journaled.remove(title);
    m_journal.discard(pageFolder(), title);
}

QString PageKeeper::pageFolder() const { return m_files.folder(); }

void PageKeeper::pageShown()
{
    m_idle.stop();
    m_longest.stop();
    watch();
}

void PageKeeper::watch()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (m_watcher.directories().isEmpty())
        m_watcher.addPath(pageFolder());
    try {
        const QString path = m_files.path(m_data.currentFile());
        if (QFileInfo::exists(path))
            m_watcher.addPath(path);
    } catch (const IoError &) {
        // A title that is no file name has no file to watch.
    }
}

void PageKeeper::textChanged()
{
    if (!m_pad.document()->isModified())
        return;
    m_idle.start();
    if (!m_longest.isActive())
        m_longest.start();
}

QString PageKeeper::saveNotice(const clsData::Saved &saved) const
{
    if (!saved.divertedTo.isEmpty())
        return tr("The page file \"%1\" still cannot be read: %2. It was left as it is, and your text was saved "
                  "in \"%3\".")
            .arg(m_data.currentFile(), saved.unreadable, saved.divertedTo);
    if (!saved.asideError.isEmpty())
        return tr("The page \"%1\" was changed elsewhere while you edited it. The other version could not be "
                  "given a name of its own (%2) and is kept in \"%3\"; the page file now holds your text.")
            .arg(m_data.currentTitle(), saved.asideError, saved.keptAside);
    if (!saved.keptAside.isEmpty())
        return tr("The page \"%1\" was changed elsewhere while you edited it. The other version is kept in "
                  "\"%2\"; the page file now holds your text.")
            .arg(m_data.currentTitle(), saved.keptAside);
    return {};
}

QString PageKeeper::journalFailureText(const QString &title, const QString &reason)
{
    return tr("The unsaved text of page \"%1\" could not be written to the recovery journal: %2. Save the page "
              "to keep it safe.")
        .arg(title, reason);
}

QString PageKeeper::journalNow(QString *error)
{
    m_idle.stop();
    m_longest.stop();
    waitForJournal();
    if (m_data.currentFile().isEmpty() || !m_pad.document()->isModified())
        return {};
    QString reason;
    try {
        const QString file = m_journal.record(pageFolder(), m_data.currentTitle(), m_pad.toDocument(),
                                              QDateTime::currentDateTime(), m_data.startedFrom());
        m_journaled.insert(m_data.currentTitle());
        journalDone(m_data.currentTitle(), {});
        return file;
    } catch (const IoError &e) {
        reason = e.reason();
    } catch (const std::bad_alloc &) {
        reason = tr(kNoMemory);
    }
    // The caller says it with its own words; a later failure is said again.
    qCWarning(lcFiles).noquote() << "could not journal the unsaved text of" << m_data.currentTitle() << ":" << reason;
    m_failureTold = false;
    if (error)
        *error = reason;
    return {};
}

clsData::Saved PageKeeper::save()
{
    const bool modified = m_pad.document()->isModified();
    waitForJournal(); // a write still going would bring the entry back after the save
    const clsData::Saved saved = m_data.save(modified, [this] { return m_pad.toDocument(); });
    if (saved.written)
        m_pad.document()->setModified(false);
    if (saved.error.isEmpty()) {
        m_idle.stop();
        m_longest.stop();
        if (m_journaled.remove(m_data.currentTitle()))
            m_journal.discard(pageFolder(), m_data.currentTitle());
        watch(); // the save replaced the watched file
    }
    return saved;
}

void PageKeeper::recover(const RecoveryJournal::Entry &entry)
{
    m_pad.setFromDocument(m_journal.read(entry));
    m_pad.document()->setModified(true); // unsaved edits, written when the page is left
    m_data.startFrom(entry.base);
    journalNow(); // this run's entry now, dropped by the save
}

QList<RecoveryJournal::Entry> PageKeeper::recoverable(const QStringList &titles)
{
    QList<RecoveryJournal::Entry> offered;
    for (const RecoveryJournal::Entry &entry : m_journal.entries(pageFolder())) {
        if (!titles.contains(entry.title))
            continue; // offered when the page is listed again
        // Only the texts decide: a page rewritten with the old bytes is newer and still lacks the typing.
        bool same = false;
        try {
            const QString file = pageFileName(entry.title);
            same = m_files.fileExists(file) && m_journal.read(entry) == m_files.readPage(file);
        } catch (const IoError &) {
        } catch (const std::bad_alloc &) {
            // Not comparable: the user decides.
        }
        if (same) {
            qCInfo(lcFiles) << "the page" << entry.title << "holds the text of its recovery entry; dropping it";
            QFile::remove(entry.file);
            continue;
        }
        offered.append(entry);
    }
    return offered;
}

void PageKeeper::fileChanged()
{
    if (const auto page = m_data.reloadIfChanged(m_pad.document()->isModified())) {
        const int caret = m_pad.SelStart();
        Q_EMIT aboutToReload();
        m_pad.setFromDocument(*page);
        m_pad.document()->setModified(false);
        m_pad.setSelStart(caret);
        Q_EMIT reloaded();
    }
    // A file replaced by a rename is no longer watched.
    watch();
}

} // namespace jw
