#include "pages/pagelist.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/names.h"
#include "base/placement.h"
#include "pages/pagefiles.h"
#include "pages/titlerules.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>
#include <iterator>
#include <map>

namespace jw {

namespace {

PageResult failed(const IoError &error)
{
    return {PageResult::Status::Failed,
            QCoreApplication::translate("jw::PageList", "The page list could not be saved: %1.").arg(error.reason()),
            {},
            {},
            {}};
}

PageResult refused(QString message, QString caption = {})
{
    return {PageResult::Status::Refused, std::move(message), std::move(caption), {}, {}};
}

/// Why `title` cannot name a page, or nothing.
std::optional<PageResult> titleRefusal(const QString &title)
{
    if (const TitleProblem problem = checkTitle(title); problem != TitleProblem::None)
        return refused(titleProblemText(problem, title),
                       QCoreApplication::translate("jw::PageList", kInvalidTitleCaption));
    return std::nullopt;
}

/// The titles of `all` that can be pages here.
QStringList shown(const QStringList &all)
{
    QStringList titles;
    titles.reserve(all.size());
    std::copy_if(all.begin(), all.end(), std::back_inserter(titles), canBeFileName);
    return titles;
}

} // namespace

QStringList pageOrder(const SettingsEntries &entries)
{
    std::multimap<qint64, QString> placed; // keeps file order among equal keys
    std::map<qint64, bool> taken;
    QStringList rest;
    for (const auto &[title, value] : entries) {
        if (title.isEmpty())
            continue;
        const auto position = toInt32(value);
        if (position && *position >= 1 && !taken[*position]) {
            taken[*position] = true;
            placed.emplace(*position, title);
        } else {
            rest << title;
        }
    }
    QStringList order;
    order.reserve(entries.size());
    for (const auto &entry : placed)
        order << entry.second;
    return order + rest;
}

SettingsEntries numberedPageList(const QStringList &titles)
{
    SettingsEntries entries;
    entries.reserve(titles.size());
    for (int i = 0; i < titles.size(); ++i)
        entries.append({titles.at(i), QString::number(i + 1)});
    return entries;
}

int findDuplicate(const QStringList &titles, const QString &title)
{
    for (int i = 0; i < titles.size(); ++i) {
        if (sameTitle(titles.at(i), title))
            return i + 1;
    }
    return 0;
}

QList<StoredPage> removedPages(const PageFiles &files, const QStringList &tabs)
{
    QList<StoredPage> pages;
    for (const QFileInfo &info : files.pageFileInfos()) {
        const QString title = info.fileName().chopped(4);
        if (findDuplicate(tabs, title) == 0 && checkTitle(title) == TitleProblem::None)
            pages.append({title, info.lastModified()});
    }
    return pages;
}

QStringList PageList::load()
{
    const auto stored = m_store.readSection(kApp, kTabsSection);
    QStringList all = stored ? pageOrder(*stored) : QStringList{};
    QStringList titles = shown(all);
    m_leftOut.clear();
    const QSet<QString> kept(titles.cbegin(), titles.cend()); // a list search per title is slow with thousands
    for (const QString &title : all) {
        if (!kept.contains(title))
            m_leftOut << title;
    }
    if (titles.isEmpty()) {
        titles = {QStringLiteral("Welcome"), QStringLiteral("Notes")};
        all += titles; // entries left out stay in the list
    }
    const SettingsEntries wanted = numberedPageList(all);
    if (stored && *stored == wanted)
        return titles;
    try {
        m_store.updateSection(kApp, kTabsSection, [&](SettingsEntries &entries) {
            // Only what this start read is rewritten; another copy's change since then wins.
            if (stored ? entries != *stored : !entries.isEmpty())
                return false;
            entries = wanted;
            return true;
        });
    } catch (const IoError &error) {
        qCWarning(lcPages) << "the page list could not be written:" << error.what();
    }
    return titles;
}

QString PageList::leftOutText(const QStringList &titles)
{
    if (titles.isEmpty())
        return {};
    QStringList quoted;
    for (QString title : titles) {
        title.replace(QChar(u'\0'), QStringLiteral("\\0"));
        if (title.size() > 40)
            title = title.left(40) + QChar(0x2026);
        quoted << u'"' + title + u'"';
    }
    return QCoreApplication::translate("PageList",
                                       "These pages are not shown because their titles cannot be file names: %1. "
                                       "Their entries stay in the settings file.")
        .arg(quoted.join(QStringLiteral(", ")));
}

PageResult PageList::add(const QString &typed, const QStringList &tabs)
{
    const QString title = pageTitle(typed);
    if (findDuplicate(tabs, title) != 0)
        return refused(QCoreApplication::translate("jw::PageList", "You cannot have two tabs with the same name."),
                       QCoreApplication::translate("jw::PageList", "Duplicate Titles"));
    if (auto refusal = titleRefusal(title))
        return *refusal;
    PageResult result;
    result.title = title;
    std::optional<PageResult> refusal;
    try {
        const SettingsEntries stored = m_store.updateSection(kApp, kTabsSection, [&](SettingsEntries &entries) {
            QStringList titles = pageOrder(entries);
            if (findDuplicate(titles, title) != 0) {
                refusal =
                    refused(QCoreApplication::translate("jw::PageList", "You cannot have two tabs with the same name."),
                            QCoreApplication::translate("jw::PageList", "Duplicate Titles"));
                return false;
            }
            titles << title;
            entries = numberedPageList(titles);
            return true;
        });
        if (refusal)
            return *refusal;
        result.titles = shown(pageOrder(stored));
    } catch (const IoError &error) {
        return failed(error);
    }
    // A file left by an earlier page of this title keeps its text.
    const QString file = pageFileName(title);
    try {
        m_files.ensureExists(file);
    } catch (const IoError &error) {
        // The page is listed already; its file is made when it is first saved.
        result.message = QCoreApplication::translate("jw::PageList", "The page file \"%1\" could not be created: %2.")
                             .arg(file, error.reason());
    }
    return result;
}

std::optional<PageResult> PageList::writeRenamed(const QString &oldTitle, const QString &newTitle,
                                                 const rtf::Document &page)
{
    const QString file = pageFileName(newTitle);
    const QString oldFile = pageFileName(oldTitle);
    // A change of letter case keeps the page's own file under its new name.
    const bool caseOnly = sameTitle(oldTitle, newTitle);
    try {
        // Another page's text (a removed page, a file copied in) must never be replaced.
        if (m_files.fileExists(file) && !(caseOnly && m_files.sameFile(oldFile, file)))
            return refused(QCoreApplication::translate("jw::PageList",
                                                       "The file \"%1\" exists already and holds another page's text. "
                                                       "To bring that text back, use Add Tab with the title \"%2\".")
                               .arg(file, newTitle));
        if (caseOnly && m_files.fileExists(oldFile))
            m_files.rename(oldFile, file);
        // The page goes to its new file first, so that its text is never only under the old title.
        m_files.writePage(file, page);
    } catch (const IoError &error) {
        return PageResult{PageResult::Status::Failed,
                          QCoreApplication::translate("jw::PageList", "The page could not be saved to \"%1\": %2.")
                              .arg(file, error.reason()),
                          {},
                          {},
                          {}};
    }
    return std::nullopt;
}

PageResult PageList::rename(const QString &oldTitle, const QString &typed, const QStringList &tabs,
                            const rtf::Document &page)
{
    const QString newTitle = pageTitle(typed);
    if (newTitle == oldTitle)
        return {PageResult::Status::Done, {}, {}, tabs, newTitle};
    // The page's own title in another letter case is no duplicate.
    QStringList others = tabs;
    others.removeOne(oldTitle);
    if (findDuplicate(others, newTitle) != 0)
        return refused(QCoreApplication::translate("jw::PageList", "Cannot have two tabs with the same name."),
                       QCoreApplication::translate("jw::PageList", "Duplicate Tab Name"));
    if (auto refusal = titleRefusal(newTitle))
        return *refusal;
    if (auto refusal = writeRenamed(oldTitle, newTitle, page))
        return *refusal;
    std::optional<PageResult> refusal;
    try {
        const SettingsEntries stored = m_store.updateSection(kApp, kTabsSection, [&](SettingsEntries &entries) {
            QStringList titles = pageOrder(entries);
            const int at = titles.indexOf(oldTitle);
            if (at < 0) {
                refusal = refused(QCoreApplication::translate(
                                      "jw::PageList", "The page list does not give the place of the tab \"%1\", "
                                                      "so it cannot be renamed.")
                                      .arg(oldTitle));
                return false;
            }
            titles[at] = newTitle;
            entries = numberedPageList(titles);
            return true;
        });
        if (!refusal)
            return {PageResult::Status::Done, {}, {}, shown(pageOrder(stored)), newTitle};
    } catch (const IoError &error) {
        refusal = failed(error);
    }
    undoRenamedFile(oldTitle, newTitle);
    return *refusal;
}

void PageList::undoRenamedFile(const QString &oldTitle, const QString &newTitle)
{
    const QString file = pageFileName(newTitle);
    if (!sameTitle(oldTitle, newTitle)) {
        // The new file was made just now; nothing else can hold it yet.
        m_files.discard(file);
        return;
    }
    try {
        m_files.rename(file, pageFileName(oldTitle));
    } catch (const IoError &error) {
        qCWarning(lcPages) << "the page file keeps its new name:" << error.what();
    }
}

PageResult PageList::reorder(const QStringList &titles)
{
    try {
        const SettingsEntries stored = m_store.updateSection(kApp, kTabsSection, [&](SettingsEntries &entries) {
            const QStringList before = pageOrder(entries);
            QStringList order;
            for (const QString &title : titles) {
                if (before.contains(title) && !order.contains(title))
                    order << title;
            }
            for (const QString &title : before) {
                if (!order.contains(title))
                    order << title;
            }
            const SettingsEntries wanted = numberedPageList(order);
            if (entries == wanted)
                return false;
            entries = wanted;
            return true;
        });
        return {PageResult::Status::Done, {}, {}, shown(pageOrder(stored)), {}};
    } catch (const IoError &error) {
        return failed(error);
    }
}

PageResult PageList::remove(const QString &title)
{
    std::optional<PageResult> refusal;
    try {
        const SettingsEntries stored = m_store.updateSection(kApp, kTabsSection, [&](SettingsEntries &entries) {
            QStringList titles = pageOrder(entries);
            // With no page left there would be nothing to show or save into.
            if (shown(titles).size() <= 1) {
                refusal = refused(QCoreApplication::translate("jw::PageList", "You cannot remove the only tab."),
                                  QCoreApplication::translate("jw::PageList", "Remove Tab"));
                return false;
            }
            titles.removeAll(title);
            entries = numberedPageList(titles);
            return true;
        });
        if (refusal)
            return *refusal;
        return {PageResult::Status::Done, {}, {}, shown(pageOrder(stored)), title};
    } catch (const IoError &error) {
        return failed(error);
    }
}

} // namespace jw
