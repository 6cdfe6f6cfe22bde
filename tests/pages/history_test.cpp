// The page history: the thinning rules against a table with a fixed clock,
// and the store on real files (links, copies across file systems, odd names).
#include "base/fileio.h"
#include "pages/historykeeper.h"
#include "pages/journal.h"
#include "pages/pagehistory.h"
#include "pages/thinning.h"
#include "support/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

const QDateTime kNow = QDateTime::fromString(u"2026-03-10T12:00:00Z"_s, Qt::ISODate);

TEST(Thinning, KeepsTheNewestOfEachHourDayAndWeekAsVersionsAgeAndDropsTheOldestForSize)
{
    const struct {
        int minutesAgo;
        bool kept;
    } table[] = {
        {10, true},           {50, true},         // the last hour: all
        {70, true},           {80, false},        // 10:50 and 10:40 share an hour
        {180, true},          {47 * 60, true},    // 03-08 13:00
        {47 * 60 + 30, true},                     // 03-08 12:30, an hour of its own
        {49 * 60, false},                         // 03-08 11:00: day 03-08 has a newer one
        {72 * 60, true},      {74 * 60, false},   // 03-07 12:00 and 10:00
        {59 * 1440, true},                        // still by days
        {70 * 1440, true},    {71 * 1440, false}, // Tue and Mon of one ISO week
        {72 * 1440, true},                        // the Sunday before
    };
    QList<QDateTime> times;
    for (const auto &row : table)
        times.append(kNow.addSecs(qint64(-60) * row.minutesAgo));
    const std::vector<bool> keep = thinning::keepByAge(times, kNow, QTimeZone::utc());
    for (std::size_t i = 0; i < std::size(table); ++i)
        EXPECT_EQ(keep[i], table[i].kept) << table[i].minutesAgo << " minutes ago";
    // The newest stays however old; a version dropped once is dropped on every later day.
    EXPECT_EQ(thinning::keepByAge({kNow.addYears(-3), kNow.addYears(-3).addSecs(-1)}, kNow, QTimeZone::utc()),
              std::vector<bool>({true, false}));
    QList<QDateTime> random;
    for (int i = 0; i < 300; ++i)
        random.append(kNow.addSecs(-qint64(QRandomGenerator::global()->bounded(200 * 86400))));
    std::sort(random.begin(), random.end(), std::greater<>());
    const std::vector<bool> today = thinning::keepByAge(random, kNow, QTimeZone::utc());
    for (int days : {1, 3, 40, 90}) {
        const std::vector<bool> later = thinning::keepByAge(random, kNow.addDays(days), QTimeZone::utc());
        for (std::size_t i = 0; i < today.size(); ++i)
            ASSERT_TRUE(today[i] || !later[i])
                << random[qsizetype(i)].toString(Qt::ISODate).toStdString() << " +" << days;
    }
    // The size limit drops the oldest, but never a page's newest.
    const QList<thinning::Sized> versions{{kNow.addDays(-1), 100, false},
                                          {kNow.addDays(-9), 100, true},
                                          {kNow.addDays(-5), 100, false},
                                          {kNow, 100, true}};
    for (const auto &[limit, dropped] : {std::pair(400, QList<qsizetype>{}), {300, {2}}, {150, {2, 0}}, {0, {2, 0}}})
        EXPECT_EQ(thinning::dropForSize(versions, limit), dropped) << limit;
}

class HistoryTest : public ::testing::Test {
protected:
    QDateTime now = kNow;
    const PageHistory history{jwtest::here(u"history"_s), [this] { return now; }};
    const QString pages = QDir::currentPath();
    const rtf::Document page{u"one two three", {{0, 13, {"Sans", 20}}}};
};

TEST_F(HistoryTest, AReplacedFileIsLinkedOrCopiedOnceAndOutlivesTheReplace)
{
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf"_s, "{\\rtf1 first}"));
    const QString linked = history.keepFile(pages, u"Notes"_s, u"Notes.rtf"_s, PageHistory::Reason::Saved, true);
    ASSERT_TRUE(linked.startsWith(history.pageFolder(pages, u"Notes"_s) + u'/'));
    EXPECT_EQ(fileStamp(linked).fileId, fileStamp(u"Notes.rtf"_s).fileId);
    // Not kept twice, linked or copied.
    EXPECT_TRUE(history.keepFile(pages, u"Notes"_s, u"Notes.rtf"_s, PageHistory::Reason::Saved, true).isEmpty());
    EXPECT_TRUE(history.keepFile(pages, u"Notes"_s, u"Notes.rtf"_s, PageHistory::Reason::Renamed, false).isEmpty());
    writeFileAtomically(jwtest::here(u"Notes.rtf"_s), "{\\rtf1 second}");
    EXPECT_EQ(jwtest::readBytes(linked), "{\\rtf1 first}");
    const QString copied = history.keepFile(pages, u"Notes"_s, u"Notes.rtf"_s, PageHistory::Reason::Removed, false);
    EXPECT_NE(fileStamp(copied).fileId, fileStamp(u"Notes.rtf"_s).fileId);
    for (const char *stray : {"2026-03-10T25.00.00.000Z saved.rtf", "2026-03-10T12.00.00.000+ saved.rtf"}) // not ours
        ASSERT_TRUE(
            jwtest::writeBytes(history.pageFolder(pages, u"Notes"_s) + u'/' + QLatin1String(stray), "{\\rtf1 x}"));
    const QList<PageHistory::Version> versions = history.versions(pages, u"Notes"_s);
    ASSERT_EQ(versions.size(), 2);
    EXPECT_EQ(std::tuple(versions[0].file, versions[0].reason, versions[1].time, PageHistory::read(versions[0]).text),
              std::tuple(copied, PageHistory::Reason::Removed, kNow, std::u16string(u"second")));
    // An empty or missing file has nothing to keep.
    ASSERT_TRUE(jwtest::writeBytes(u"Empty.rtf"_s, ""));
    EXPECT_TRUE(history.keepFile(pages, u"Empty"_s, u"Empty.rtf"_s, PageHistory::Reason::Saved, true).isEmpty());
    EXPECT_TRUE(history.keepFile(pages, u"Gone"_s, u"Gone.rtf"_s, PageHistory::Reason::Saved, true).isEmpty());
}

TEST_F(HistoryTest, PagesOnAnotherFileSystemAreCopied)
{
    QTemporaryDir other(u"/dev/shm/jotwell-history-XXXXXX"_s);
    if (!other.isValid() || QStorageInfo(other.path()).device() == QStorageInfo(pages).device())
        GTEST_SKIP() << "no second file system at /dev/shm";
    ASSERT_TRUE(jwtest::writeBytes(other.filePath(u"Notes.rtf"_s), "{\\rtf1 elsewhere}"));
    const QString kept =
        history.keepFile(other.path(), u"Notes"_s, other.filePath(u"Notes.rtf"_s), PageHistory::Reason::Saved, true);
    EXPECT_EQ(jwtest::readBytes(kept), "{\\rtf1 elsewhere}");
    EXPECT_EQ(history.versions(other.path(), u"Notes"_s).size(), 1);
}

TEST_F(HistoryTest, FoldersAndTitlesThatLookAlikeKeepApartAndAreFoundByTitle)
{
    const QStringList titles{u"a:b"_s, u"a?b"_s, u"a_b"_s, u"..hidden"_s, u"Notes"_s, u"notes"_s, QString(60, u'x')};
    QStringList folders;
    for (const QString &title : titles) {
        ASSERT_FALSE(history.keepPage(pages, title, page, PageHistory::Reason::Saved).isEmpty());
        folders << history.pageFolder(pages, title);
        now = now.addSecs(1);
    }
    folders << history.pageFolder(u"/elsewhere/"_s + QFileInfo(pages).fileName(), u"Notes"_s);
    EXPECT_EQ(QSet<QString>(folders.begin(), folders.end()).size(), folders.size());
    for (const QString &name : folders) // no hidden folders, no characters that some file systems refuse
        EXPECT_FALSE(QFileInfo(name).fileName().startsWith(u'.') || name.contains(u':') || name.contains(u'?'));
    EXPECT_EQ(PageHistory().root(), qEnvironmentVariable("XDG_STATE_HOME") + u"/jotwell/history"_s);
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", "relative/state"); // not absolute: no place for state, by the XDG rules
    EXPECT_EQ(PageHistory().root(), QDir::homePath() + u"/.local/state/jotwell/history"_s);
    qputenv("XDG_STATE_HOME", state);
    // A copy of a page's folder under another name is no page of its own.
    const QString copy = QFileInfo(folders[4]).path() + u"/copy/"_s,
                  version = history.versions(pages, u"Notes"_s)[0].file;
    ASSERT_TRUE(QDir().mkpath(copy) && QFile::copy(folders[4] + u"/title.txt"_s, copy + u"title.txt"_s)
                && QFile::copy(version, copy + QFileInfo(version).fileName()));
    QStringList found;
    for (const PageHistory::Page &p : history.pages(pages))
        found.prepend(p.title);
    EXPECT_EQ(found, titles);
    // The same page again is not kept twice.
    EXPECT_TRUE(history.keepPage(pages, u"Notes"_s, page, PageHistory::Reason::Restored).isEmpty());
}

TEST_F(HistoryTest, ThinningGoesByTheClockAndTheSizeLimitWithJournalEntriesListedAlongside)
{
    // Versions two minutes apart, ending three days ago, then one now.
    now = kNow.addDays(-3);
    for (int i = 0; i < 40; ++i) {
        history.keepPage(pages, u"Notes"_s, {(u"v"_s + QString::number(i)).toStdU16String(), {}},
                         PageHistory::Reason::Saved);
        now = now.addSecs(120);
    }
    now = kNow;
    history.keepPage(pages, u"Notes"_s, page, PageHistory::Reason::Saved);
    history.keepPage(pages, u"Ideas"_s, page, PageHistory::Reason::Saved);
    EXPECT_EQ(history.thin(qint64(1) << 40), 39); // the day three days ago keeps its newest
    ASSERT_EQ(history.versions(pages, u"Notes"_s).size(), 2);
    EXPECT_EQ(PageHistory::read(history.versions(pages, u"Notes"_s)[1]).text, u"v39");
    EXPECT_EQ(history.thin(0), 1);
    EXPECT_EQ(history.totalSize(), 2 * history.versions(pages, u"Ideas"_s)[0].size);

    const RecoveryJournal journal(jwtest::here(u"recovery"_s));
    journal.record(pages, u"Notes"_s, {u"declined", {}}, kNow.addSecs(-30));
    journal.setAside(journal.entries(pages).first());
    journal.record(pages, u"Notes"_s, {u"waiting", {}}, kNow.addSecs(30));
    const QList<PageHistory::Version> all = history.versions(pages, u"Notes"_s, &journal);
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(std::tuple(all[0].reason, PageHistory::read(all[0]).text, PageHistory::read(all[2]).text),
              std::tuple(PageHistory::Reason::Recovery, std::u16string(u"waiting"), std::u16string(u"declined")));
}

TEST(HistoryKeeper, KeepsReplacedFilesAfterTheyAreGoneAndTellsAFailureOnce)
{
    QTemporaryDir shm(u"/dev/shm/jotwell-keeper-XXXXXX"_s);
    const QString pages = shm.isValid() ? shm.path() : QDir::currentPath(); // another file system where there is one
    const auto ticks = [n = std::make_shared<std::atomic<int>>()] { return kNow.addSecs(++*n); };
    HistoryKeeper keeper(PageHistory(jwtest::here(u"history"_s), ticks), pages);
    ASSERT_TRUE(jwtest::writeBytes(pages + u"/Notes.rtf"_s, "{\\rtf1 before the save}"));
    keeper.replaced(u"Notes"_s, pages + u"/Notes.rtf"_s);
    keeper.keepCopy(u"Notes"_s, pages + u"/Notes.rtf"_s, PageHistory::Reason::Reloaded); // the same bytes: kept once
    ASSERT_TRUE(QFile::remove(pages + u"/Notes.rtf"_s));
    keeper.keepPage(u"Notes"_s, {u"kept from the editor", {}}, PageHistory::Reason::Reloaded);
    keeper.waitIdle();
    const QList<PageHistory::Version> versions = keeper.history().versions(pages, u"Notes"_s);
    ASSERT_EQ(versions.size(), 2);
    EXPECT_EQ(PageHistory::read(versions[1]).text, u"before the save");

    ASSERT_TRUE(jwtest::writeBytes(u"blocked"_s, "a file where the history should be"));
    HistoryKeeper broken(PageHistory(jwtest::here(u"blocked/history"_s)), pages);
    QStringList told;
    broken.setFailureHandler([&told](const QString &reason) { told << reason; });
    ASSERT_TRUE(jwtest::writeBytes(pages + u"/Ideas.rtf"_s, "{\\rtf1 x}"));
    broken.replaced(u"Ideas"_s, pages + u"/Ideas.rtf"_s);
    broken.keepPage(u"Ideas"_s, {u"y", {}}, PageHistory::Reason::Restored);
    broken.waitIdle();
    QCoreApplication::processEvents();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(u"blocked"));
}

} // namespace
