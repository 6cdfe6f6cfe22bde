#include "pages/pagefiles.h"

#include "base/settingsnames.h"
#include "richtext/rtffile.h"
#include "base/fileio.h"
#include "base/log.h"
#include "base/settingsstore.h"
#include "pages/journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace jw {

namespace {

/// Why `name` is not a bare file name of the folder, or empty when it is.
QString refusal(const QString &name)
{
    if (name.isEmpty())
        return QCoreApplication::translate("jw::PageFiles", "the file name is empty");
    if (name == u"." || name == u"..")
        return QCoreApplication::translate("jw::PageFiles", "the name stands for a folder");
    if (name.contains(u'/') || name.contains(u'\\'))
        return QCoreApplication::translate("jw::PageFiles", "the name contains a path separator");
    // The system would cut the name at a NUL and reach another file.
    if (name.contains(QChar(u'\0')))
        return QCoreApplication::translate("jw::PageFiles", "the name contains a NUL character");
    if (QDir::isAbsolutePath(name))
        return QCoreApplication::translate("jw::PageFiles", "the name is an absolute path");
#if defined(Q_OS_WIN)
    // "C:name" is relative to another drive's current folder.
    if (name.contains(u':'))
        return QCoreApplication::translate("jw::PageFiles", "the name contains a drive or stream separator");
#endif
    return {};
}

} // namespace

QString pageFileName(const QString &title) { return title + QStringLiteral(".rtf"); }

PageFiles::PageFiles(QString folder) : m_folder(std::move(folder)) {}

QString PageFiles::folder() const { return QDir(m_folder.isEmpty() ? QDir::currentPath() : m_folder).absolutePath(); }

QFileInfoList PageFiles::pageFileInfos() const
{
    return QDir(folder()).entryInfoList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Time);
}

QString PageFiles::path(const QString &name) const
{
    const QString why = refusal(name);
    if (!why.isEmpty())
        throw IoError(name, why);
    // Resolved at each call: the program's folder is the current one.
    const QString folder = m_folder.isEmpty() ? QDir::currentPath() : m_folder;
    // Without a usable current folder let the system resolve the bare name
    // (and fail with its own reason) rather than land in the root folder.
    if (folder.isEmpty())
        return name;
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

bool PageFiles::fileExists(const QString &name) const
{
    const QFileInfo info(path(name));
    return info.exists() && !info.isDir();
}

QString PageFiles::lookup(const QString &name) const { return fileExists(name) ? name : QString(); }

void PageFiles::createEmpty(const QString &name) const
{
    const QString file = path(name);
    QFile f(file);
    // Never truncates: an existing file is an error, not emptied.
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw IoError(file, f.errorString());
    f.close();
}

void PageFiles::copyOver(const QString &from, const QString &to) const { copyFileAtomically(path(from), path(to)); }

void PageFiles::remove(const QString &name) const
{
    const QString file = path(name);
    QFile f(file);
    if (!f.remove())
        throw IoError(file, f.errorString());
}

void PageFiles::rename(const QString &from, const QString &to) const
{
    QFile f(path(from));
    if (!f.rename(path(to)))
        throw IoError(path(to), f.errorString());
}

bool PageFiles::sameFile(const QString &a, const QString &b) const
{
    const FileStamp one = stamp(a);
    if (!one.exists)
        return false;
    // Without inode numbers the file system's own name comparison decides.
    return one.fileId != 0 ? one == stamp(b) : QFileInfo(path(a)) == QFileInfo(path(b));
}

void PageFiles::discard(const QString &name) const
{
    try {
        remove(name);
    } catch (const IoError &error) {
        qCWarning(lcFiles) << "could not remove" << error.what();
    }
}

rtf::Document PageFiles::readPage(const QString &name) const { return loadRtfFile(path(name)); }

FileStamp PageFiles::writePage(const QString &name, const rtf::Document &doc) const
{
    const std::string bytes = rtf::writeRtf(doc);
    return writeFileAtomically(path(name), QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

FileStamp PageFiles::replacePage(const QString &name, const rtf::Document &doc, const DisplacedHandler &cameOut) const
{
    const std::string bytes = rtf::writeRtf(doc);
    return exchangeFile(path(name), QByteArrayView(bytes.data(), qsizetype(bytes.size())), cameOut);
}

void PageFiles::moveIn(const QString &from, const QString &to) const
{
    // QFile::rename never replaces an existing file.
    QFile file(from);
    const QString target = QFileInfo(from).absolutePath() + u'/' + QFileInfo(path(to)).fileName();
    if (!file.rename(target))
        throw IoError(path(to), file.errorString());
}

FileStamp PageFiles::stamp(const QString &name) const { return fileStamp(path(name)); }

void PageFiles::ensureExists(const QString &name) const
{
    if (!lookup(name).isEmpty())
        return;
    try {
        createEmpty(name);
    } catch (const IoError &) {
        // Another running copy may have created it meanwhile; that is fine.
        if (!fileExists(name))
            throw;
    }
}

namespace {

/// Whether `bytes` are a whole page: rich text closed (a write cut short leaves it open), or no rich text at all.
bool whole(QByteArray bytes)
{
    bytes = bytes.trimmed();
    return bytes.isEmpty() || !bytes.startsWith("{\\rtf") || bytes.endsWith('}');
}

/// Whether the text of a leftover is also in `other`: the same page, or for
/// a write cut short, a text that starts with what it got to.
bool heldBy(const rtf::Document &left, bool cutShort, const rtf::Document &other)
{
    return cutShort ? other.text.starts_with(left.text) : left == other;
}

/// Whether the leftover of the page `name` may go: the page file is newer
/// or whole, and every word of the leftover is in the page file or in the
/// page's journal entry. A version another program wrote, which a save took
/// out of its place and could not name, holds words found nowhere else.
bool mayGo(const PageFiles &files, const RecoveryJournal &journal, const QFileInfo &leftover, const QString &name)
{
    try {
        const QFileInfo page(files.path(name));
        const QByteArray pageBytes = readWholeFile(page.filePath());
        if (page.lastModified() <= leftover.lastModified() && !whole(pageBytes))
            return false;
        const QByteArray bytes = readWholeFile(leftover.filePath());
        if (bytes == pageBytes)
            return true;
        const bool cutShort = !whole(bytes);
        const rtf::Document text = rtf::readRtf(std::string_view(bytes.constData(), size_t(bytes.size())));
        if (heldBy(text, cutShort, rtf::readRtf(std::string_view(pageBytes.constData(), size_t(pageBytes.size())))))
            return true;
        const QString title = name.chopped(4);
        return heldBy(text, cutShort, journal.read({journal.entryFile(files.folder(), title), files.folder(), title, {}}));
    } catch (const IoError &) {
        return false; // unreadable, or no page or entry to compare with: kept
    }
}

} // namespace

QStringList removeLeftovers(const PageFiles &files, const RecoveryJournal &journal)
{
    QStringList removed;
    const QFileInfoList found =
        QDir(files.folder()).entryInfoList({QStringLiteral("*.rtf.jw-*")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &info : found) {
        QString page;
        if (!isTemporaryName(info.fileName(), &page))
            continue;
        if (!mayGo(files, journal, info, page)) {
            qCInfo(lcFiles) << "kept" << info.fileName() << ": its text may be found nowhere else";
            continue;
        }
        if (QFile::remove(info.filePath()))
            removed << info.fileName();
    }
    if (!removed.isEmpty())
        qCInfo(lcFiles) << "removed what interrupted saves left:" << removed;
    return removed;
}

void ConvertDatPages(const SettingsStore &store, const PageFiles &files)
{
    const auto pages = store.readSection(kApp, kTabsSection);
    if (!pages)
        return;
    for (const SettingsEntry &page : *pages) {
        const QString &title = page.first;
        const QString dat = title + QStringLiteral(".dat");
        if (!files.fileExists(dat))
            continue;
        files.copyOver(dat, pageFileName(title));
        files.remove(dat);
    }
}

} // namespace jw
