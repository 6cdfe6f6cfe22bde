// The current page: loading, switching and the guard that keeps an unread
// page's file from being replaced by an empty editor.
#include "pages/clsdata.h"
#include "base/ioerror.h"
#include "base/settingsstore.h"
#include "pages/journal.h"
#include "pages/pagefiles.h"
#include "support/files.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/resource.h>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

class CurrentPageTest : public ::testing::Test {
protected:
    clsData::Saved save(bool modified)
    {
        return data.save(modified, [this] { return typed; });
    }

    const rtf::Document typed{u"typed", {{0, 5, {"Sans", 20}}}};
    PageFiles files;
    clsData data{files};
};

TEST_F(CurrentPageTest, LoadCreatesSwitchOnlyReadsAndFailuresKeepTheCurrentPage)
{
    const clsData::Opened opened = data.loadData(u"Notes.rtf"_s);
    ASSERT_TRUE(opened.page && opened.page->text.empty());
    EXPECT_TRUE(QFile::exists(u"Notes.rtf"_s) && !data.isGuarded());
    EXPECT_TRUE(save(true).written);
    EXPECT_EQ(files.readPage(u"Notes.rtf"_s), typed);
    // A failed save reports only when there were edits.
    ASSERT_TRUE(QFile::remove(u"Notes.rtf"_s) && QDir().mkpath(u"Notes.rtf"_s));
    EXPECT_EQ(save(true).error, u"Is a directory");
    EXPECT_TRUE(save(false).error.isEmpty());

    ASSERT_TRUE(data.switchTo(u"Never saved.rtf"_s).page);
    EXPECT_FALSE(QFile::exists(u"Never saved.rtf"_s));
    const clsData::Opened failed = data.switchTo(u"Notes.rtf"_s);
    EXPECT_EQ(std::pair(failed.page.has_value(), failed.error), std::pair(false, u"Is a directory"_s));
    EXPECT_EQ(data.currentFile(), u"Never saved.rtf");
    // Another program's change is read in once, and only into an unedited page.
    ASSERT_TRUE(jwtest::writeBytes(u"Never saved.rtf"_s, "{\\rtf1 theirs}"));
    EXPECT_FALSE(data.reloadIfChanged(true));
    EXPECT_EQ(data.reloadIfChanged(false).value_or(rtf::Document{}).text, u"theirs");
    EXPECT_FALSE(data.reloadIfChanged(false));
    // A read the user stopped is no failure to tell, and changes nothing.
    QString asked;
    data.setReader([&asked](const QString &path, const QString &title) -> rtf::Document {
        asked = QFileInfo(path).fileName() + u'|' + title;
        throw rtf::ReadStopped();
    });
    ASSERT_TRUE(jwtest::writeBytes(u"v1.2.rtf"_s, "{\\rtf1 big}"));
    const clsData::Opened stopped = data.switchTo(u"v1.2.rtf"_s);
    EXPECT_EQ(std::tuple(stopped.page.has_value(), stopped.stopped, asked),
              std::tuple(false, true, u"v1.2.rtf|v1.2"_s));
    EXPECT_EQ(data.currentFile(), u"Never saved.rtf");
}

TEST_F(CurrentPageTest, AnUnreadPageIsNotWrittenUntilTheUserTypes)
{
    ASSERT_TRUE(QDir().mkpath(u"Folder.rtf"_s));
    EXPECT_FALSE(data.loadData(u"Folder.rtf"_s).page);
    EXPECT_TRUE(data.isGuarded());
    const clsData::Saved skipped = save(false);
    EXPECT_TRUE(!skipped.written && skipped.error.isEmpty());
    data.renamedTo(u"Renamed.rtf"_s); // the rename wrote the new file: it is the user's
    EXPECT_FALSE(data.isGuarded());

#ifndef __SANITIZE_ADDRESS__ // AddressSanitizer reserves the address space a limit would cut
    ASSERT_TRUE(jwtest::writeBytes(u"Big.rtf"_s, "{\\rtf1 " + QByteArray(64 << 20, 'a') + "}"));
    // Out of memory while reading is a failed load, not the end of the program.
    const int child = jwtest::waitChild(jwtest::forkChild([&] {
        // Room for what the process uses now, not for the page.
        const rlim_t used = rlim_t(jwtest::readBytes(u"/proc/self/statm"_s).split(' ').value(0).toLongLong()) * 4096;
        const rlimit limit{used + (32 << 20), used + (32 << 20)};
        ::setrlimit(RLIMIT_AS, &limit);
        const clsData::Opened opened = data.loadData(u"Big.rtf"_s);
        return opened.page || opened.error != u"there is not enough memory to open it"_s || save(false).written;
    }));
    EXPECT_EQ(child, 0);
#endif

    data.loadData(u"Folder.rtf"_s);
    ASSERT_TRUE(QDir().rmdir(u"Folder.rtf"_s));
    EXPECT_TRUE(save(true).written); // typed into: the user's text is written
    EXPECT_FALSE(data.isGuarded());
}

TEST_F(CurrentPageTest, AVersionRenamedInAtAnyMomentOfASaveIsKeptAndTheReplacedOneHandedToTheHook)
{
    QStringList replaced;
    data.setReplacedHook([&](const QString &title, const QString &path) {
        replaced << title + u": "_s + QString::fromStdU16String(files.readPage(QFileInfo(path).fileName()).text);
    });
    data.loadData(u"Notes.rtf"_s);
    EXPECT_TRUE(save(true).written);
    // A sync tool renames its version in while the page is being written out.
    const clsData::Saved saved = data.save(true, [&] {
        files.writePage(u"incoming"_s, rtf::Document{u"theirs", {{0, 6, {}}}});
        std::rename("incoming", "Notes.rtf");
        return rtf::Document{u"mine", {{0, 4, {}}}};
    });
    ASSERT_TRUE(saved.written && saved.keptAside.startsWith(u"Notes (changed elsewhere "_s))
        << saved.error.toStdString();
    EXPECT_EQ(std::pair(files.readPage(saved.keptAside).text, files.readPage(u"Notes.rtf"_s).text),
              std::pair(std::u16string(u"theirs"), std::u16string(u"mine")));
    EXPECT_TRUE(save(true).keptAside.isEmpty());
    EXPECT_EQ(replaced, (QStringList{u"Notes: "_s, u"Notes: mine"_s}));
    EXPECT_EQ(QDir::current().entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary file left
}

TEST_F(CurrentPageTest, APageThatWasNeverReadIsReadAgainBeforeItsFirstWriteAndNeverWrittenOver)
{
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf"_s, "{\\rtf1 years of notes}"));
    const int child = jwtest::waitChild(jwtest::forkChild([&] {
        if (::chmod("Notes.rtf", 0200) != 0 || ::chmod(".", 0777) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            return 90;
        const bool unread = !data.loadData(u"Notes.rtf"_s).page && data.isGuarded();
        const clsData::Saved saved = save(true);
        return unread && saved.written && saved.unreadable == u"Permission denied" ? 0 : 1;
    }));
    ASSERT_EQ(child, 0);
    ::chmod("Notes.rtf", 0644);
    EXPECT_EQ(files.readPage(u"Notes.rtf"_s).text, u"years of notes");
    const QStringList aside = QDir::current().entryList({u"Notes (saved aside *).rtf"_s});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(files.readPage(aside[0]), typed);

    // Readable again by the time of the save: both versions stay.
    ASSERT_TRUE(QDir().mkpath(u"Later.rtf"_s));
    data.loadData(u"Later.rtf"_s);
    ASSERT_TRUE(QDir().rmdir(u"Later.rtf"_s) && jwtest::writeBytes(u"Later.rtf"_s, "{\\rtf1 found again}"));
    const clsData::Saved saved = save(true);
    EXPECT_EQ(files.readPage(saved.keptAside).text, u"found again");
    EXPECT_EQ(files.readPage(u"Later.rtf"_s), typed);
    // Each unreadable page's text goes aside to a file of its own.
    for (const QString &title : {u"First"_s, u"Second"_s}) {
        ASSERT_TRUE(QDir().mkpath(title + u".rtf"_s));
        data.loadData(title + u".rtf"_s);
        EXPECT_TRUE(save(true).divertedTo.startsWith(title + u" (saved aside "_s)) << title.toStdString();
    }
}

TEST(PageFiles, NamesOutsideTheFolderAreRefusedAndExistingFilesKept)
{
    const PageFiles files;
    for (const QString &name : {u""_s, u"."_s, u".."_s, u"a/b.rtf"_s, u"a\\b.rtf"_s, u"/etc/passwd"_s, u"a\u0000b"_s})
        EXPECT_THROW(files.path(name), IoError) << name.toStdString();
    EXPECT_EQ(files.path(u"Notes.rtf"_s), QDir::current().filePath(u"Notes.rtf"_s));
    EXPECT_EQ(pageFileName(u" Spaced "_s), u" Spaced .rtf");
    ASSERT_TRUE(jwtest::writeBytes(u"Kept.rtf"_s, "text"));
    files.ensureExists(u"Kept.rtf"_s);
    EXPECT_THROW(files.createEmpty(u"Kept.rtf"_s), IoError);
    EXPECT_EQ(jwtest::readBytes(u"Kept.rtf"_s), "text");
    EXPECT_THROW(PageFiles(u"gone"_s).ensureExists(u"New.rtf"_s), IoError); // a page that cannot be made is said
}

TEST(PageFiles, LeftoversGoOnlyWhenTheirPageIsNewerOrWholeAndHoldsTheirWords)
{
    const auto make = [](const char *name, const QByteArray &bytes, int ageSeconds) {
        EXPECT_TRUE(jwtest::writeBytes(QString::fromLatin1(name), bytes));
        const timespec when{::time(nullptr) - ageSeconds, 0}, times[2] = {when, when};
        ::utimensat(AT_FDCWD, name, times, 0);
    };
    make("Whole.rtf", "{\\rtf1 whole}", 0);
    make("Whole.rtf.jw-abc123", "{\\rtf1 wh", 10); // page newer, cut short
    make("Cut.rtf", "{\\rtf1 cut sh", 60);
    make("Cut.rtf.jw-def456", "{\\rtf1 cut short, newer}", 10); // the only whole copy
    make("Older.rtf", "{\\rtf1 whole but older}", 60);
    make("Older.rtf.jw-ghi789", "{\\rtf1 whole b", 10); // page whole
    make("Older.rtf.jw-part12", "{\\rtf1 part", 10);    // words the page lacks
    make("Other.rtf", "{\\rtf1 mine}", 0);
    make("Other.rtf.jw-out345", "{\\rtf1 outside}", 10); // a version taken out by a save
    const rtf::Document journaled{u"journaled", {{0, 9, {"Sans", 20}}}};
    make("Other.rtf.jw-jou678", QByteArray::fromStdString(rtf::writeRtf(journaled)), 10);
    make("Gone.rtf.jw-jkl012", "{\\rtf1 no page}", 10);
    make("Mine.rtf.bak", "not the pad's", 10);
    const RecoveryJournal journal(u"state"_s);
    journal.record(QDir::currentPath(), u"Other"_s, journaled);
    EXPECT_EQ(removeLeftovers(PageFiles(), journal),
              (QStringList{u"Older.rtf.jw-ghi789"_s, u"Other.rtf.jw-jou678"_s, u"Whole.rtf.jw-abc123"_s}));
    EXPECT_EQ(QDir::current().entryList(QDir::Files).size(), 9);
}

TEST(PageFiles, OldDatPagesAreConvertedUntilTheFirstFailure)
{
    SettingsStore store(jwtest::settingsFile());
    store.writeEntries(u"jotwell"_s, u"tabs"_s, {{u"A"_s, u"1"_s}, {u"B"_s, u"2"_s}, {u"C"_s, u"3"_s}});
    ASSERT_TRUE(jwtest::writeBytes(u"A.dat"_s, "a bytes"));
    ASSERT_TRUE(jwtest::writeBytes(u"A.rtf"_s, "replaced"));
    ASSERT_TRUE(jwtest::writeBytes(u"B.dat"_s, "b bytes"));
    ASSERT_TRUE(QDir().mkpath(u"B.rtf"_s)); // cannot be replaced: ends the conversion
    ASSERT_TRUE(jwtest::writeBytes(u"C.dat"_s, "c bytes"));
    EXPECT_THROW(ConvertDatPages(store, PageFiles()), IoError);
    EXPECT_EQ(std::tuple(jwtest::readBytes(u"A.rtf"_s), QFile::exists(u"A.dat"_s), QFile::exists(u"B.dat"_s),
                         QFile::exists(u"C.dat"_s), QFile::exists(u"C.rtf"_s)),
              std::tuple(QByteArray("a bytes"), false, true, true, false));
    ASSERT_TRUE(QDir().rmdir(u"B.rtf"_s)); // the next start goes on
    EXPECT_NO_THROW(ConvertDatPages(store, PageFiles()));
    EXPECT_EQ(std::pair(jwtest::readBytes(u"C.rtf"_s), QFile::exists(u"C.dat"_s)),
              std::pair(QByteArray("c bytes"), false));
}

} // namespace
