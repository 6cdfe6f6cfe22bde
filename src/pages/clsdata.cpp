#include "pages/clsdata.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "pages/pagefiles.h"

#include <QDateTime>
#include <QFileInfo>

#include <new>

namespace jw {

clsData::Opened clsData::read(const QString &sTitle) const
{
    try {
        // Anything in the file's place is read, so that a folder or a device fails instead of showing empty.
        if (!QFileInfo::exists(m_files.path(sTitle)))
            return {rtf::Document{}, {}};
        return {m_files.readPage(sTitle), {}};
    } catch (const IoError &error) {
        return {std::nullopt, error.reason()};
    } catch (const std::bad_alloc &) {
        // A page too large for memory is a failed load, not the end of the program.
        return {std::nullopt, QStringLiteral("there is not enough memory to open it")};
    }
}

QString clsData::currentTitle() const
{
    return m_file.endsWith(QLatin1StringView(".rtf")) ? m_file.chopped(4) : m_file;
}

clsData::Opened clsData::loadData(const QString &sTitle)
{
    m_file = sTitle;
    try {
        m_files.ensureExists(sTitle);
    } catch (const IoError &error) {
        qCWarning(lcPages) << "could not create" << error.what();
    }
    const FileStamp stamp = m_files.stamp(sTitle);
    Opened opened = read(sTitle);
    m_stamp = stamp;
    m_guarded = !opened.page.has_value();
    if (m_guarded)
        qCWarning(lcPages).noquote() << "cannot read the page file" << sTitle << ":" << opened.error;
    return opened;
}

clsData::Opened clsData::switchTo(const QString &sTitle)
{
    const FileStamp stamp = m_files.stamp(sTitle);
    Opened opened = read(sTitle);
    if (opened.page) {
        m_file = sTitle;
        m_stamp = stamp;
        m_guarded = false;
    }
    return opened;
}

void clsData::renamedTo(const QString &sTitle)
{
    m_file = sTitle;
    m_stamp = m_files.stamp(sTitle);
    m_guarded = false;
}

std::optional<rtf::Document> clsData::reloadIfChanged(bool modified)
{
    if (m_file.isEmpty() || modified)
        return std::nullopt;
    const FileStamp now = m_files.stamp(m_file);
    // A page file that disappeared keeps the page shown; leaving it writes it again.
    if (!now.exists || now == m_stamp)
        return std::nullopt;
    Opened opened = read(m_file);
    if (!opened.page)
        return std::nullopt;
    m_stamp = now;
    m_guarded = false;
    return opened.page;
}

QString clsData::keepOtherVersion()
{
    const FileStamp now = m_files.stamp(m_file);
    if (!now.exists || now == m_stamp || m_guarded)
        return {};
    const QString when =
        QDateTime::fromMSecsSinceEpoch(now.modifiedNs / 1000000).toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString aside = QStringLiteral("%1 (changed elsewhere %2).rtf").arg(currentTitle(), when);
    for (int n = 2; m_files.fileExists(aside); ++n)
        aside = QStringLiteral("%1 (changed elsewhere %2) %3.rtf").arg(currentTitle(), when).arg(n);
    m_files.copyOver(m_file, aside);
    return aside;
}

clsData::Saved clsData::save(bool modified, const std::function<rtf::Document()> &content)
{
    if (m_file.isEmpty() || (m_guarded && !modified))
        return {};
    Saved saved;
    try {
        if (!modified && m_files.stamp(m_file).exists)
            return {};
        saved.keptAside = keepOtherVersion();
        m_files.writePage(m_file, content());
        m_stamp = m_files.stamp(m_file);
        m_guarded = false;
        saved.written = true;
    } catch (const IoError &error) {
        saved.error = error.reason();
    }
    return saved;
}

} // namespace jw
