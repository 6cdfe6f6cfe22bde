#include "pages/clsdata.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/names.h"
#include "pages/pagefiles.h"

#include <QCoreApplication>
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
        if (m_reader)
            return {m_reader(m_files.path(sTitle), QFileInfo(sTitle).completeBaseName()), {}};
        return {m_files.readPage(sTitle), {}};
    } catch (const IoError &error) {
        return {std::nullopt, error.reason()};
    } catch (const rtf::ReadStopped &) {
        return {std::nullopt, QCoreApplication::translate("jw::clsData", "its reading was stopped"), true};
    } catch (const std::bad_alloc &) {
        // A page too large for memory is a failed load, not the end of the program.
        return {std::nullopt, QCoreApplication::translate("jw::clsData", "there is not enough memory to open it")};
    }
}

QString clsData::currentTitle() const
{
    return m_file.endsWith(QLatin1StringView(".rtf")) ? m_file.chopped(4) : m_file;
}

clsData::Opened clsData::loadData(const QString &sTitle)
{
    m_file = sTitle;
    // The aside file kept for the page before holds that page's text, never this one's.
    m_diverted.clear();
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

QString clsData::freeName(const QString &label, qint64 timeNs) const
{
    const QString when =
        QDateTime::fromMSecsSinceEpoch(timeNs / 1000000).toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    return asideName(currentTitle() + QStringLiteral(".rtf"), label + u' ' + when,
                     [this](const QString &name) { return m_files.fileExists(name); });
}

bool clsData::cameOut(const Displaced &out, Saved &saved)
{
    if (!m_guarded && out.stamp == m_stamp) {
        if (m_replaced)
            m_replaced(currentTitle(), out.path);
        return false;
    }
    // Made elsewhere since it was read, or never read at all: both versions stay.
    try {
        const QString aside = freeName(QStringLiteral("changed elsewhere"), out.stamp.modifiedNs);
        m_files.moveIn(out.path, aside);
        saved.keptAside = aside;
    } catch (const IoError &error) {
        // It stays under the temporary name, which start-up never removes while it holds text found nowhere else.
        saved.keptAside = QFileInfo(out.path).fileName();
        saved.asideError = error.reason();
    }
    return true;
}

void clsData::divert(const rtf::Document &page, Saved &saved)
{
    if (m_diverted.isEmpty() || m_files.stamp(m_diverted) != m_divertedStamp)
        m_diverted = freeName(QStringLiteral("saved aside"), QDateTime::currentMSecsSinceEpoch() * 1000000);
    m_divertedStamp = m_files.writePage(m_diverted, page);
    saved.divertedTo = m_diverted;
    saved.written = true;
}

clsData::Saved clsData::save(bool modified, const std::function<rtf::Document()> &content)
{
    if (m_file.isEmpty() || (m_guarded && !modified))
        return {};
    Saved saved;
    try {
        if (!modified && m_files.stamp(m_file).exists)
            return {};
        // A page never read is never written over: when its file reads now it
        // is a version made elsewhere; when it still does not, the text goes aside.
        if (m_guarded) {
            const Opened again = read(m_file);
            if (!again.page) {
                qCWarning(lcPages).noquote() << "still cannot read" << m_file << ":" << again.error;
                saved.unreadable = again.error;
                divert(content(), saved);
                return saved;
            }
        }
        const FileStamp written =
            m_files.replacePage(m_file, content(), [&](const Displaced &out) { return cameOut(out, saved); });
        m_stamp = written;
        m_guarded = false;
        saved.written = true;
    } catch (const IoError &error) {
        saved.error = error.reason();
    } catch (const std::bad_alloc &) {
        saved.error = QCoreApplication::translate("jw::clsData", "there is not enough memory to save it");
    }
    return saved;
}

} // namespace jw
