#include "pages/journal.h"

#include "base/fileio.h"
#include "base/ioerror.h"
#include "base/log.h"
#include "base/names.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace jw {

namespace {

// An entry is one header line of JSON, then the page as RTF.
constexpr QByteArrayView kMagic = "jotwell-recovery 1\n";

QString stateFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = !state.isEmpty() && QDir::isAbsolutePath(state)
                             ? QDir::cleanPath(state)
                             : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/jotwell/recovery");
}

void makeFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        throw IoError(folder, QCoreApplication::translate("jw::RecoveryJournal", "the folder cannot be created"));
}

} // namespace

RecoveryJournal::RecoveryJournal(QString folder) : m_folder(folder.isEmpty() ? stateFolder() : std::move(folder)) {}

QString RecoveryJournal::entryFile(const QString &pageFolder, const QString &title) const
{
    const QByteArray key = (QDir::cleanPath(pageFolder) + u'/' + title).toUtf8();
    return m_folder + u'/' + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex())
           + QStringLiteral(".recovery");
}

namespace {

QString baseText(const FileStamp &base)
{
    // Decimal text: nanosecond times do not fit a JSON number exactly.
    return base.exists ? QStringLiteral("%1 %2 %3").arg(base.size).arg(base.modifiedNs).arg(base.fileId)
                       : QStringLiteral("none");
}

std::optional<FileStamp> baseOf(const QJsonValue &value)
{
    const QStringList parts = value.toString().split(u' ');
    if (parts == QStringList{QStringLiteral("none")})
        return FileStamp{};
    bool ok[3] = {};
    const FileStamp base{true, parts.value(0).toLongLong(&ok[0]), parts.value(1).toLongLong(&ok[1]),
                         parts.value(2).toULongLong(&ok[2])};
    return parts.size() == 3 && ok[0] && ok[1] && ok[2] ? std::optional(base) : std::nullopt;
}

} // namespace

QString RecoveryJournal::record(const QString &pageFolder, const QString &title, const rtf::Document &page,
                                const QDateTime &time, const FileStamp &base) const
{
    makeFolder(m_folder);
    const QJsonObject header{{QStringLiteral("folder"), QDir::cleanPath(pageFolder)},
                             {QStringLiteral("title"), title},
                             {QStringLiteral("time"), time.toUTC().toString(Qt::ISODateWithMs)},
                             {QStringLiteral("base"), baseText(base)}};
    QByteArray bytes = kMagic.toByteArray();
    bytes += QJsonDocument(header).toJson(QJsonDocument::Compact);
    bytes += '\n';
    const std::string rtf = rtf::writeRtf(page);
    bytes.append(rtf.data(), qsizetype(rtf.size()));
    const QString file = entryFile(pageFolder, title);
    writeFileAtomically(file, bytes);
    return file;
}

void RecoveryJournal::discard(const QString &pageFolder, const QString &title) const
{
    const QString file = entryFile(pageFolder, title);
    if (QFile::exists(file) && !QFile::remove(file))
        qCWarning(lcFiles) << "could not remove the recovery entry" << file;
}

namespace {

/// The header of an entry file and where its page starts; nullopt when it is no entry.
std::optional<std::pair<QJsonObject, qsizetype>> header(const QByteArray &bytes)
{
    if (!bytes.startsWith(kMagic))
        return std::nullopt;
    const qsizetype end = bytes.indexOf('\n', kMagic.size());
    if (end < 0)
        return std::nullopt;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes.mid(kMagic.size(), end - kMagic.size()));
    if (!doc.isObject())
        return std::nullopt;
    return std::make_pair(doc.object(), end + 1);
}

} // namespace

QList<RecoveryJournal::Entry> RecoveryJournal::entries(const QString &pageFolder) const
{
    QList<Entry> found;
    const QString wanted = QDir::cleanPath(pageFolder);
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({QStringLiteral("*.recovery")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo &info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // The header is in the first line; the page may be large.
        const auto parsed = header(file.read(64 * 1024));
        if (!parsed || parsed->first.value(QStringLiteral("folder")).toString() != wanted)
            continue;
        found.append(
            {info.filePath(), wanted, parsed->first.value(QStringLiteral("title")).toString(),
             QDateTime::fromString(parsed->first.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs),
             baseOf(parsed->first.value(QStringLiteral("base")))});
    }
    // Files written within one tick of the clock share a modification time.
    std::stable_sort(found.begin(), found.end(), [](const Entry &a, const Entry &b) { return a.time < b.time; });
    return found;
}

rtf::Document RecoveryJournal::read(const Entry &entry) const
{
    const QByteArray bytes = readWholeFile(entry.file);
    const auto parsed = header(bytes);
    if (!parsed)
        throw IoError(entry.file, QCoreApplication::translate("jw::RecoveryJournal", "not a recovery entry"));
    const QByteArrayView rtf = QByteArrayView(bytes).sliced(parsed->second);
    return rtf.isEmpty() ? rtf::Document{} : rtf::readRtf(std::string_view(rtf.data(), std::size_t(rtf.size())));
}

void RecoveryJournal::setAside(const Entry &entry) const
{
    const QString declined = m_folder + QStringLiteral("/declined");
    makeFolder(declined);
    const QString target =
        asideName(declined + u'/' + QFileInfo(entry.file).fileName(),
                  QDateTime::currentDateTime().toString(QStringLiteral("declined yyyy-MM-dd HH-mm-ss")),
                  [](const QString &name) { return QFileInfo::exists(name); });
    if (!QFile::rename(entry.file, target))
        throw IoError(
            entry.file,
            QCoreApplication::translate("jw::RecoveryJournal", "the entry cannot be moved to %1").arg(declined));
}

} // namespace jw
