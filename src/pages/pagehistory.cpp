#include "pages/pagehistory.h"

#include "base/fileio.h"
#include "base/ioerror.h"
#include "base/log.h"
#include "pages/journal.h"
#include "pages/thinning.h"
#include "richtext/rtffile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace jw {

namespace {

using Reason = PageHistory::Reason;

// The words in version file names; stable, as files outlive the program.
constexpr std::array<std::pair<Reason, const char *>, 7> kReasonWords{{{Reason::Saved, "saved"},
                                                                       {Reason::Reloaded, "reloaded"},
                                                                       {Reason::Restored, "restored"},
                                                                       {Reason::SavedAs, "saved-as"},
                                                                       {Reason::Renamed, "renamed"},
                                                                       {Reason::Removed, "removed"},
                                                                       {Reason::Recovery, "recovery"}}};

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd'T'HH.mm.ss.zzz'Z'");
constexpr qsizetype kTimeLength = 24;

QString nameAt(const QString &folder, const QDateTime &time, Reason reason)
{
    const auto at =
        std::find_if(kReasonWords.begin(), kReasonWords.end(), [&](const auto &w) { return w.first == reason; });
    return folder + u'/' + time.toUTC().toString(kTimeFormat) + u' ' + QLatin1StringView(at->second)
           + QStringLiteral(".rtf");
}

QString defaultRoot()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = !state.isEmpty() && QDir::isAbsolutePath(state)
                             ? QDir::cleanPath(state)
                             : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/jotwell/history");
}

/// Up to 40 characters of `name` that any file system takes; the hash after it tells names apart.
QString readable(const QString &name)
{
    QString out;
    for (const QChar c : name.left(40)) {
        const bool plain = c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_' || c == u'.';
        out += plain && c.unicode() < 0xD800 ? c : QChar(u'_');
    }
    // No hidden folders, and none that Windows would trim.
    while (out.startsWith(u'.') || out.startsWith(u' '))
        out.remove(0, 1);
    while (out.endsWith(u'.') || out.endsWith(u' '))
        out.chop(1);
    return out;
}

/// A folder name: readable, and told apart from every other by the hash of `exact`.
QString keyed(const QString &name, const QString &exact)
{
    const QByteArray hash = QCryptographicHash::hash(exact.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QString prefix = readable(name);
    return (prefix.isEmpty() ? QString() : prefix + u'-') + QString::fromLatin1(hash);
}

/// The time and reason a version's file name gives; an invalid time when it is none of ours.
/// Read by hand: QDateTime::fromString would take a tenth of a millisecond a name.
std::pair<QDateTime, Reason> parseName(const QString &fileName)
{
    const auto number = [&fileName](qsizetype at, qsizetype digits) {
        int n = 0;
        for (qsizetype i = at; i < at + digits; ++i) {
            const int digit = i < fileName.size() ? fileName[i].digitValue() : -1;
            if (digit < 0)
                return -1;
            n = n * 10 + digit;
        }
        return n;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2), number(20, 3));
    Reason reason = Reason::Saved;
    const QString rest = fileName.mid(kTimeLength + 1);
    for (const auto &[r, word] : kReasonWords) {
        if (rest == QLatin1StringView(word) + QStringLiteral(".rtf"))
            reason = r;
    }
    if (!date.isValid() || !time.isValid() || fileName.size() <= kTimeLength || fileName[kTimeLength - 1] != u'Z')
        return {};
    return {QDateTime(date, time, Qt::UTC), reason};
}

QList<PageHistory::Version> versionsIn(const QString &folder)
{
    QList<PageHistory::Version> found;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.rtf")}, QDir::Files, QDir::NoSort);
    found.reserve(files.size());
    for (const QFileInfo &info : files) {
        const auto [time, reason] = parseName(info.fileName());
        if (time.isValid())
            found.append({info.filePath(), time, info.size(), reason});
    }
    std::sort(found.begin(), found.end(), [](const PageHistory::Version &a, const PageHistory::Version &b) {
        return a.time != b.time ? a.time > b.time : a.file > b.file;
    });
    return found;
}

bool sameBytes(const QString &a, const QString &b)
{
    QFile one(a);
    QFile two(b);
    if (one.size() != two.size() || !one.open(QIODevice::ReadOnly) || !two.open(QIODevice::ReadOnly))
        return false;
    while (!one.atEnd()) {
        if (one.read(64 * 1024) != two.read(64 * 1024))
            return false;
    }
    return true;
}

void writeNote(const QString &file, const QString &text)
{
    if (!QFile::exists(file))
        writeFileAtomically(file, text.toUtf8());
}

QString readNote(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void removeVersion(const QString &file)
{
    if (!QFile::remove(file))
        qCWarning(lcFiles) << "could not thin the page history:" << file;
}

} // namespace

PageHistory::PageHistory(QString root, Clock clock)
    : m_root(root.isEmpty() ? defaultRoot() : std::move(root)),
      m_clock(clock ? std::move(clock) : Clock(&QDateTime::currentDateTimeUtc))
{}

QString PageHistory::foldersFolder(const QString &pagesFolder) const
{
    const QString folder = QDir::cleanPath(pagesFolder);
    return m_root + u'/' + keyed(QFileInfo(folder).fileName(), folder);
}

QString PageHistory::pageFolder(const QString &pagesFolder, const QString &title) const
{
    return foldersFolder(pagesFolder) + u'/' + keyed(title, title);
}

QString PageHistory::placesFile(const QString &pagesFolder) const
{
    return QFileInfo(m_root).path() + QStringLiteral("/places/") + QFileInfo(foldersFolder(pagesFolder)).fileName()
           + QStringLiteral(".json");
}

QString PageHistory::ensurePageFolder(const QString &pagesFolder, const QString &title) const
{
    const QString folder = pageFolder(pagesFolder, title);
    if (!QDir().mkpath(folder))
        throw IoError(folder, QStringLiteral("the folder cannot be created"));
    writeNote(QFileInfo(folder).path() + QStringLiteral("/folder.txt"), QDir::cleanPath(pagesFolder));
    writeNote(folder + QStringLiteral("/title.txt"), title);
    return folder;
}

QString PageHistory::freeName(const QString &folder, const QDateTime &time, Reason reason)
{
    // Versions of one millisecond are told apart by the next: no two share a time.
    const auto taken = [&folder](const QDateTime &at) {
        return std::any_of(kReasonWords.begin(), kReasonWords.end(),
                           [&](const auto &word) { return QFileInfo::exists(nameAt(folder, at, word.first)); });
    };
    QDateTime at = time.toUTC();
    while (taken(at))
        at = at.addMSecs(1);
    return nameAt(folder, at, reason);
}

QString PageHistory::linkIn(const QString &pagesFolder, const QString &title, const QString &path, Reason reason) const
{
#if defined(Q_OS_UNIX)
    const FileStamp stamp = fileStamp(path);
    if (!stamp.exists || stamp.size == 0)
        return {};
    const QString target = freeName(ensurePageFolder(pagesFolder, title), m_clock(), reason);
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) == 0)
        return target;
#else
    Q_UNUSED(pagesFolder);
    Q_UNUSED(title);
    Q_UNUSED(path);
    Q_UNUSED(reason);
#endif
    return {};
}

QString PageHistory::copyIn(const QString &pagesFolder, const QString &title, QIODevice &source, const QDateTime &time,
                            Reason reason) const
{
    source.seek(0);
    const QByteArray bytes = source.readAll();
    if (bytes.isEmpty())
        return {};
    const QString target = freeName(ensurePageFolder(pagesFolder, title), time, reason);
    writeFileAtomically(target, bytes);
    return target;
}

QString PageHistory::settle(const QString &file) const
{
    const QList<Version> all = versionsIn(QFileInfo(file).path());
    const auto at = std::find_if(all.begin(), all.end(), [&](const Version &v) { return v.file == file; });
    if (at == all.end() || at + 1 == all.end() || !sameBytes(file, (at + 1)->file))
        return file;
    removeVersion(file);
    return {};
}

QString PageHistory::keepFile(const QString &pagesFolder, const QString &title, const QString &path, Reason reason,
                              bool mayLink) const
{
    QString kept = mayLink ? linkIn(pagesFolder, title, path, reason) : QString();
    if (kept.isEmpty()) {
        QFile source(path);
        if (!source.exists())
            return {};
        if (!source.open(QIODevice::ReadOnly))
            throw IoError(path, source.errorString());
        kept = copyIn(pagesFolder, title, source, m_clock(), reason);
    }
    return kept.isEmpty() ? kept : settle(kept);
}

QString PageHistory::keepPage(const QString &pagesFolder, const QString &title, const rtf::Document &page,
                              Reason reason) const
{
    const std::string rtf = rtf::writeRtf(page);
    QByteArray bytes(rtf.data(), qsizetype(rtf.size()));
    const QList<Version> before = versionsIn(pageFolder(pagesFolder, title));
    if (!before.isEmpty() && before.first().size == bytes.size() && readWholeFile(before.first().file) == bytes)
        return {};
    const QString target = freeName(ensurePageFolder(pagesFolder, title), m_clock(), reason);
    writeFileAtomically(target, bytes);
    return target;
}

QList<PageHistory::Version> PageHistory::versions(const QString &pagesFolder, const QString &title,
                                                  const RecoveryJournal *journal) const
{
    QList<Version> found = versionsIn(pageFolder(pagesFolder, title));
    if (!journal)
        return found;
    // Waiting entries and those the user declined alike.
    for (const QString &folder : {journal->folder(), journal->folder() + QStringLiteral("/declined")}) {
        for (const RecoveryJournal::Entry &entry : RecoveryJournal(folder).entries(pagesFolder)) {
            if (entry.title == title)
                found.append({entry.file, entry.time.toUTC(), QFileInfo(entry.file).size(), Reason::Recovery});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Version &a, const Version &b) { return a.time > b.time; });
    return found;
}

QList<PageHistory::Page> PageHistory::pages(const QString &pagesFolder) const
{
    QList<Page> found;
    const QString folder = foldersFolder(pagesFolder);
    for (const QFileInfo &page : QDir(folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QList<Version> all = versionsIn(page.filePath());
        const QString title = readNote(page.filePath() + QStringLiteral("/title.txt"));
        if (!all.isEmpty() && pageFolder(pagesFolder, title) == page.filePath())
            found.append({title, all.first().time});
    }
    std::sort(found.begin(), found.end(), [](const Page &a, const Page &b) { return a.newest > b.newest; });
    return found;
}

rtf::Document PageHistory::read(const Version &version)
{
    if (version.reason == Reason::Recovery)
        return RecoveryJournal(QFileInfo(version.file).path()).read({version.file, {}, {}, {}});
    return loadRtfFile(version.file);
}

int PageHistory::thin(qint64 sizeLimit, const std::atomic<bool> *stop) const
{
    int dropped = 0;
    QList<thinning::Sized> sized;
    QStringList files;
    const QDateTime now = m_clock();
    for (const QFileInfo &folder : QDir(m_root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QFileInfo &page : QDir(folder.filePath()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (stop && stop->load())
                return dropped;
            const QList<Version> all = versionsIn(page.filePath());
            QList<QDateTime> times;
            for (const Version &v : all)
                times.append(v.time);
            const std::vector<bool> keep = thinning::keepByAge(times, now);
            for (qsizetype i = 0; i < all.size(); ++i) {
                if (!keep[std::size_t(i)]) {
                    removeVersion(all[i].file);
                    ++dropped;
                    continue;
                }
                sized.append({all[i].time, all[i].size, i == 0});
                files.append(all[i].file);
            }
        }
    }
    for (const qsizetype i : thinning::dropForSize(sized, sizeLimit)) {
        removeVersion(files[i]);
        ++dropped;
    }
    return dropped;
}

qint64 PageHistory::totalSize() const
{
    qint64 total = 0;
    for (const QFileInfo &folder : QDir(m_root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QFileInfo &page : QDir(folder.filePath()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const Version &v : versionsIn(page.filePath()))
                total += v.size;
        }
    }
    return total;
}

} // namespace jw
