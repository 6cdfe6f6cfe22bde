#include "pages/clsdata.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "pages/pagefiles.h"

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

clsData::Opened clsData::loadData(const QString &sTitle)
{
    m_file = sTitle;
    m_guarded = true;
    try {
        m_files.ensureExists(sTitle);
    } catch (const IoError &error) {
        qCWarning(lcPages) << "could not create" << error.what();
    }
    Opened opened = read(sTitle);
    m_guarded = !opened.page.has_value();
    if (m_guarded)
        qCWarning(lcPages).noquote() << "cannot read the page file" << sTitle << ":" << opened.error;
    return opened;
}

clsData::Opened clsData::switchTo(const QString &sTitle)
{
    Opened opened = read(sTitle);
    if (opened.page) {
        m_file = sTitle;
        m_guarded = false;
    }
    return opened;
}

void clsData::renamedTo(const QString &sTitle)
{
    m_file = sTitle;
    m_guarded = false;
}

clsData::Saved clsData::save(bool modified, const std::function<rtf::Document()> &content)
{
    // The empty editor of a page that could not be read must not replace its file.
    if (m_file.isEmpty() || (m_guarded && !modified))
        return {};
    try {
        m_files.writePage(m_file, content());
        m_guarded = false;
        return {true, {}};
    } catch (const IoError &error) {
        // Text that is already in its file is not lost by a failed rewrite.
        if (!modified)
            return {};
        return {false, error.reason()};
    }
}

} // namespace jw
