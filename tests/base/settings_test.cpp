#include "base/filelock.h"
#include "base/ioerror.h"
#include "base/settingsstore.h"
#include "support/files.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

using namespace jw;
using namespace Qt::StringLiterals;
using jwtest::inode;
using jwtest::readBytes;
using jwtest::settingsFile;
using jwtest::writeBytes;

namespace {

const QString J = u"Jotwell"_s;
const QString Tabs = u"Tabs"_s;

TEST(Settings, EntriesKeepFirstWriteOrderAndCaseAndTheFileIsReadable)
{
    SettingsStore store(settingsFile());
    EXPECT_TRUE(store.readOne(J, Tabs, u"Welcome"_s).isEmpty() && !store.readSection(J, Tabs));
    store.write(J, Tabs, u"Welcome"_s, u"1"_s);
    store.writeEntries(J, u"Position"_s, {{u"Top"_s, u"1500"_s}, {u"Left"_s, u"15"_s}});
    store.write(J, Tabs, u"Notes"_s, u"2"_s);
    store.write(u"JOTWELL"_s, u"tabs"_s, u"WELCOME"_s, u"3"_s); // in place, first case kept
    // One entry a line; sections come in name order, entries in first-write order.
    EXPECT_EQ(readBytes(settingsFile()),
              "{\n    \"Jotwell\": {\n        \"Position\": [\n"
              "            [\"Top\", \"1500\"],\n            [\"Left\", \"15\"]\n        ],\n"
              "        \"Tabs\": [\n            [\"Welcome\", \"3\"],\n"
              "            [\"Notes\", \"2\"]\n        ]\n    }\n}\n");
    EXPECT_EQ(store.readOne(u"jotwell"_s, u"TABS"_s, u"notes"_s), u"2");
    store.deleteEntry(J, Tabs, u"welcome"_s);
    store.deleteEntry(J, Tabs, u"never there"_s);
    EXPECT_EQ(*store.readSection(J, Tabs), (SettingsEntries{{u"Notes"_s, u"2"_s}}));
    store.deleteEntry(J, Tabs, u"Notes"_s);
    EXPECT_FALSE(store.readSection(J, Tabs));

    const QString odd = u"quote \" back \\ tab \t line \n\r\b\f nul \u0001 é 😀"_s;
    store.write(J, odd, odd, odd);
    EXPECT_EQ(SettingsStore(settingsFile()).readOne(J, odd, odd), odd);
    EXPECT_TRUE(readBytes(settingsFile()).contains("\xC3\xA9 \xF0\x9F\x98\x80")) << "not kept readable as UTF-8";
}

TEST(Settings, UpdateSectionIsOneWriteAndAFailedChangeWritesNothing)
{
    SettingsStore store(settingsFile());
    store.write(J, Tabs, u"A"_s, u"1"_s);
    const ino_t before = inode(settingsFile());
    store.write(J, Tabs, u"A"_s, u"1"_s); // unchanged: the disk is left alone
    EXPECT_EQ(inode(settingsFile()), before);
    EXPECT_EQ(store.updateSection(J, Tabs, [](SettingsEntries &) { return false; }),
              (SettingsEntries{{u"A"_s, u"1"_s}}));
    store.deleteEntry(J, Tabs, u"never there"_s);
    EXPECT_EQ(inode(settingsFile()), before);
    const auto changeMind = [](SettingsEntries &e) -> bool {
        e.clear();
        throw std::runtime_error("changed my mind");
    };
    EXPECT_THROW(store.updateSection(J, Tabs, changeMind), std::runtime_error);
    EXPECT_EQ(store.readOne(J, Tabs, u"A"_s), u"1");
    const SettingsEntries wanted{{u"B"_s, u"1"_s}, {u"A"_s, u"2"_s}};
    EXPECT_EQ(store.updateSection(J, Tabs, [&](SettingsEntries &e) { return e = wanted, true; }), wanted);
    EXPECT_EQ(*store.readSection(J, Tabs), wanted);
}

TEST(Settings, TheParsedFileIsKeptUntilAnotherProgramChangesIt)
{
    SettingsStore store(settingsFile());
    store.write(J, Tabs, u"A"_s, u"1"_s);
    const QByteArray path = QFile::encodeName(settingsFile());
    struct stat st {};
    ASSERT_EQ(::stat(path.constData(), &st), 0);
    // Same size, time and file: not read again.
    ASSERT_TRUE(writeBytes(settingsFile(), readBytes(settingsFile()).replace("\"1\"", "\"2\"")));
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    EXPECT_EQ(store.readOne(J, Tabs, u"A"_s), u"1");
    // A version renamed in is seen.
    ASSERT_TRUE(writeBytes(settingsFile() + u".new"_s, R"({"Jotwell": {"Tabs": [["A", "3"]]}})"));
    ASSERT_EQ(std::rename((path + ".new").constData(), path.constData()), 0);
    EXPECT_EQ(store.readOne(J, Tabs, u"A"_s), u"3");
}

TEST(Settings, AHandEditedFileIsReadForgivinglyAndOneNotValidIsMovedAsideAndSaidOnce)
{
    ASSERT_TRUE(
        writeBytes(settingsFile(), R"({"Jotwell": {"Tabs": [["A", 1], ["B", "2"], ["C", true], ["b", "3"]]}})"));
    SettingsStore store(settingsFile());
    EXPECT_EQ(*store.readSection(J, Tabs), (SettingsEntries{{u"A"_s, u"1"_s}, {u"B"_s, u"3"_s}}));
    EXPECT_TRUE(store.readSection(J, Tabs)); // said once
    const QList<SettingsNotice> dropped = store.takeNotices();
    ASSERT_EQ(dropped.size(), 1);
    EXPECT_EQ(dropped[0].reason, u"\"C\" in section \"Tabs\" (no text value); \"b\" in section \"Tabs\" (an earlier "
                                 "entry of that name, whose value this one replaces)"_s);

    // Set aside beside it: "settings (broken).json", "settings (broken) 2.json" ...
    const auto aside = [](const QString &n) { return settingsFile().chopped(5) + u" (broken)"_s + n + u".json"_s; };
    ASSERT_TRUE(writeBytes(aside({}), "an earlier one"));
    ASSERT_TRUE(writeBytes(settingsFile(), "{ not json"));
    EXPECT_FALSE(store.readSection(J, Tabs));
    EXPECT_EQ(readBytes(aside(u" 2"_s)), "{ not json");
    EXPECT_EQ(readBytes(aside({})), "an earlier one");
    const auto notices = store.takeNotices();
    EXPECT_EQ(std::tuple(notices.size(), notices.value(0).kind, notices.value(0).movedTo),
              std::tuple(1, SettingsNotice::Kind::MovedAside, aside(u" 2"_s)));
    EXPECT_TRUE(store.takeNotices().isEmpty());
    // Found by a write, too: never overwritten, and said.
    ASSERT_TRUE(writeBytes(settingsFile(), "[1, 2]"));
    store.write(J, Tabs, u"A"_s, u"1"_s);
    EXPECT_EQ(readBytes(aside(u" 3"_s)), "[1, 2]");
    EXPECT_EQ(store.takeNotices().value(0).movedTo, aside(u" 3"_s));
    EXPECT_EQ(store.readOne(J, Tabs, u"A"_s), u"1");
    // An entry that is no [text, value] pair makes the file not valid.
    for (const char *shape : {R"([["A"]])", R"([[1, "x"]])", R"([["A", "1", "2"]])"}) {
        ASSERT_TRUE(writeBytes(settingsFile(), QByteArray(R"({"Jotwell": {"Tabs": )") + shape + "}}"));
        EXPECT_FALSE(store.readSection(J, Tabs)) << shape;
        EXPECT_EQ(store.takeNotices().value(0).kind, SettingsNotice::Kind::MovedAside) << shape;
    }
}

TEST(Settings, AFileThatCannotBeReadIsSaidAndNeverWrittenOver)
{
    // A folder in its place, then a link to a file that is not there (a
    // synced folder not mounted yet): neither is replaced.
    for (const bool link : {false, true}) {
        ASSERT_TRUE(link ? QDir(settingsFile()).removeRecursively()
                               && QFile::link(jwtest::here(u"gone/x"_s), settingsFile())
                         : QDir().mkpath(settingsFile()));
        SettingsStore store(settingsFile());
        EXPECT_FALSE(store.readSection(J, Tabs));
        const auto notices = store.takeNotices();
        EXPECT_EQ(std::pair(notices.size(), notices.value(0).kind),
                  std::pair(qsizetype(1), SettingsNotice::Kind::Unreadable));
        EXPECT_THROW(store.write(J, Tabs, u"A"_s, u"1"_s), IoError);
        EXPECT_EQ(std::pair(QFileInfo(settingsFile()).isDir(), QFileInfo(settingsFile()).isSymLink()),
                  std::pair(!link, link));
    }

    // A file where the settings folder should be: the folder XDG_CONFIG_HOME names.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(jwtest::here(u"file"_s)));
    ASSERT_TRUE(writeBytes(jwtest::here(u"file"_s), "x"));
    EXPECT_THROW(SettingsStore(SettingsStore::defaultPath()).write(J, Tabs, u"A"_s, u"1"_s), IoError);
    qputenv("XDG_CONFIG_HOME", "relative/ignored"); // not a path to use
    EXPECT_EQ(SettingsStore::defaultPath(), QDir::homePath() + u"/.config/jotwell/settings.json"_s);
}

TEST(Settings, TwoProcessesWritingAtOnceLoseNothingAndALiveLockHolderIsNamedButAKilledOneBlocksNobody)
{
    pid_t writers[2];
    for (int w = 0; w < 2; ++w)
        writers[w] = jwtest::forkChild([w] {
            SettingsStore store(settingsFile());
            for (int i = 0; i < 40; ++i)
                store.write(J, Tabs, QString::number(w * 100 + i), u"1"_s);
            return 0;
        });
    EXPECT_EQ(jwtest::waitChild(writers[0]) + jwtest::waitChild(writers[1]), 0);
    SettingsStore store(settingsFile());
    EXPECT_EQ(store.readSection(J, Tabs)->size(), 80);
    // A live lock holder is named; a killed one blocks nobody.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = jwtest::forkChild([&] {
        const FileLock lock(settingsFile() + u".lock"_s);
        (void)::write(ready[1], "x", 1);
        ::pause();
        return 0;
    });
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    try { // while the holder lives, a copy that waited long enough is told why
        const FileLock waited(settingsFile() + u".lock"_s, 50);
        ADD_FAILURE() << "locked twice";
    } catch (const IoError &error) {
        EXPECT_EQ(error.reason(), u"the settings are locked by another running copy");
    }
    ::kill(holder, SIGKILL);
    EXPECT_EQ(jwtest::waitChild(holder), 128 + SIGKILL);
    store.write(J, Tabs, u"B"_s, u"2"_s); // would fail after ten seconds with the lock still held
    EXPECT_EQ(store.readOne(J, Tabs, u"B"_s), u"2");
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
