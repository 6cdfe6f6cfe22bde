#include "base/ioerror.h"
#include "pages/journal.h"
#include "support/files.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

TEST(RecoveryJournal, KeepsOneEntryPerPageUntilItIsSavedOrSetAsideAndSaysWhyItCannotBeWritten)
{
    qputenv("XDG_STATE_HOME", "state"); // a relative setting is ignored, as the base-directory rules say
    EXPECT_EQ(RecoveryJournal().folder(), QDir::homePath() + u"/.local/state/jotwell/recovery"_s);
    qputenv("XDG_STATE_HOME", QFile::encodeName(jwtest::here(u"state"_s)));
    const RecoveryJournal journal;
    EXPECT_EQ(journal.folder(), jwtest::here(u"state/jotwell/recovery"_s));
    const rtf::Document page{u"typed\nan hour",
                             {{0, 5, {"Sans", 20, true, false, false}}, {5, 8, {"Sans", 20, false, false, false}}}};
    const QDateTime when = QDateTime::fromString(u"2026-12-06T10:00:00Z"_s, Qt::ISODate);
    journal.record(u"/pages"_s, u"Notes"_s, {u"older", {}}, when.addSecs(-60));
    const QString file = journal.record(u"/pages/"_s, u"Notes"_s, page, when); // replaces the older one
    journal.record(u"/other"_s, u"Notes"_s, page, when);
    const FileStamp base{true, 12, 1765000000123456789, 42}; // the page file's version the text started from
    journal.record(u"/pages"_s, u"Ideas"_s, page, when.addSecs(5), base);
    ASSERT_TRUE(jwtest::writeBytes(journal.folder() + u"/junk.recovery"_s, "not an entry"));

    const QList<RecoveryJournal::Entry> entries = journal.entries(u"/pages"_s);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(std::tuple(entries[0].file, entries[0].title, entries[0].time, journal.read(entries[0]), entries[1].base),
              std::tuple(file, u"Notes"_s, when, page, std::optional(base)));

    journal.discard(u"/pages"_s, u"Notes"_s);
    EXPECT_FALSE(QFile::exists(file));
    journal.setAside(entries[1]);
    EXPECT_TRUE(journal.entries(u"/pages"_s).isEmpty());
    EXPECT_EQ(QDir(journal.folder() + u"/declined"_s).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(journal.entries(u"/other"_s).size(), 1);
    ASSERT_TRUE(jwtest::writeBytes(jwtest::here(u"blocked"_s), "a file where the folder should be"));
    const RecoveryJournal blocked(jwtest::here(u"blocked/recovery"_s));
    EXPECT_THROW(blocked.record(u"/pages"_s, u"Notes"_s, {u"x", {}}), IoError);
}
