#include "base/ioerror.h"
#include "base/settingsstore.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <random>

using jw::IoError;
using jw::SettingsEntries;
using jw::SettingsEntry;
using jw::SettingsStore;
using jwtest::Child;
using jwtest::FolderWatch;
using namespace Qt::StringLiterals;

namespace {

class SettingsTest : public jwtest::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        m_file = path(u"config/jotwell/settings.json"_s);
    }

    QString folder() const { return QFileInfo(m_file).absolutePath(); }

    /// Puts `bytes` in place as the settings file, creating its folder.
    void putFile(const QByteArray &bytes) const
    {
        ASSERT_TRUE(QDir().mkpath(folder()));
        ASSERT_TRUE(jwtest::writeBytes(m_file, bytes));
    }

    /// The file as a JSON document, independent of the store's own reader.
    QJsonObject fileJson() const
    {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(jwtest::readBytes(m_file), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        EXPECT_TRUE(doc.isObject());
        return doc.object();
    }

    QStringList keys(const std::optional<SettingsEntries> &entries) const
    {
        QStringList out;
        if (entries) {
            for (const auto &e : *entries)
                out << e.first;
        }
        return out;
    }

    QString m_file;
};

SettingsEntries entries(std::initializer_list<std::pair<const char16_t *, const char16_t *>> list)
{
    SettingsEntries out;
    for (const auto &[k, v] : list)
        out.append({QString::fromUtf16(k), QString::fromUtf16(v)});
    return out;
}

// --- location -------------------------------------------------------------

TEST_F(SettingsTest, DefaultPathFollowsXdgConfigHomeElseHome)
{
    EXPECT_EQ(SettingsStore::defaultPath(), m_file);

    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsStore::defaultPath(), path(u"home/.config/jotwell/settings.json"_s));

    // A relative value is not a valid base folder.
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(SettingsStore::defaultPath(), path(u"home/.config/jotwell/settings.json"_s));
}

TEST_F(SettingsTest, FirstWriteCreatesFolderAndFileInDocumentedFormat)
{
    SettingsStore store(SettingsStore::defaultPath());
    EXPECT_FALSE(QFileInfo::exists(m_file));
    store.write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"1"_s);
    store.write(u"Jotwell"_s, u"Tabs"_s, u"Notes"_s, u"2"_s);
    store.write(u"Jotwell"_s, u"Position"_s, u"Top"_s, u"1500"_s);
    store.write(u"Jotwell"_s, u"Position"_s, u"Left"_s, u"1500"_s);

    const QJsonObject expected{
        {u"Jotwell"_s,
         QJsonObject{{u"Tabs"_s, QJsonArray{QJsonArray{u"Welcome"_s, u"1"_s}, QJsonArray{u"Notes"_s, u"2"_s}}},
                     {u"Position"_s, QJsonArray{QJsonArray{u"Top"_s, u"1500"_s}, QJsonArray{u"Left"_s, u"1500"_s}}}}}};
    EXPECT_EQ(fileJson(), expected);
    // No lock file or temporary file is left behind.
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{u"settings.json"_s});
}

TEST_F(SettingsTest, FolderThatCannotBeCreatedGivesTheSystemReason)
{
    ASSERT_TRUE(jwtest::writeBytes(path(u"config"_s), "a file where a folder should be"));
    SettingsStore store(SettingsStore::defaultPath());
    try {
        store.write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"1"_s);
        FAIL() << "write succeeded";
    } catch (const IoError &e) {
        EXPECT_EQ(e.reason().toStdString(), std::strerror(ENOTDIR));
    }
    EXPECT_EQ(jwtest::readBytes(path(u"config"_s)), "a file where a folder should be");
}

// --- the four operations ----------------------------------------------------

TEST_F(SettingsTest, SectionKeepsFirstWriteOrderAndRewritesInPlace)
{
    SettingsStore store(m_file);
    for (const auto *key : {u"Top", u"Left", u"Width", u"Height"})
        store.write(u"Jotwell"_s, u"Position"_s, QString::fromUtf16(key), u"10"_s);
    for (int i = 0; i < 20; ++i)
        store.write(u"Jotwell"_s, u"Position"_s, u"Top"_s, QString::number(i));
    store.write(u"Jotwell"_s, u"Position"_s, u"Height"_s, u"99"_s);

    // A second store reads only what is on disk.
    const auto section = SettingsStore(m_file).readSection(u"Jotwell"_s, u"Position"_s);
    ASSERT_TRUE(section);
    EXPECT_EQ(*section, entries({{u"Top", u"19"}, {u"Left", u"10"}, {u"Width", u"10"}, {u"Height", u"99"}}));
}

TEST_F(SettingsTest, NamesIgnoreCaseAndKeepTheCaseOfTheirFirstWrite)
{
    SettingsStore store(m_file);
    store.write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"1"_s);
    store.write(u"Jotwell"_s, u"Tabs"_s, u"Notes"_s, u"2"_s);

    EXPECT_EQ(store.readOne(u"jotwell"_s, u"tabs"_s, u"NOTES"_s), u"2"_s);
    EXPECT_EQ(store.readOne(u"JOTWELL"_s, u"TABS"_s, u"welcome"_s), u"1"_s);
    EXPECT_EQ(keys(store.readSection(u"jotwell"_s, u"tabs"_s)), (QStringList{u"Welcome"_s, u"Notes"_s}));

    // Rewriting through other cases replaces the value in place, names unchanged.
    store.write(u"jotwell"_s, u"tabs"_s, u"NOTES"_s, u"7"_s);
    store.write(u"jotwell"_s, u"TABS"_s, u"ideas"_s, u"3"_s);
    EXPECT_EQ(*store.readSection(u"Jotwell"_s, u"Tabs"_s),
              entries({{u"Welcome", u"1"}, {u"Notes", u"7"}, {u"ideas", u"3"}}));
    const QJsonObject app = fileJson().value(u"Jotwell"_s).toObject();
    EXPECT_EQ(fileJson().keys(), QStringList{u"Jotwell"_s});
    EXPECT_EQ(app.keys(), QStringList{u"Tabs"_s});

    // Case folding covers more than ASCII.
    store.write(u"Jotwell"_s, u"Tabs"_s, u"Ärger"_s, u"4"_s);
    EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Tabs"_s, u"äRGER"_s), u"4"_s);

    // Values are text and keep their case.
    store.write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"MiXeD"_s);
    EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s), u"MiXeD"_s);
}

TEST_F(SettingsTest, MissingThingsReadAsEmpty)
{
    SettingsStore store(m_file);
    EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s), QString());
    EXPECT_FALSE(store.readSection(u"Jotwell"_s, u"Tabs"_s));
    EXPECT_FALSE(QFileInfo::exists(m_file)) << "reading created the file";

    store.write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"1"_s);
    EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Tabs"_s, u"Notes"_s), QString());
    EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Position"_s, u"Welcome"_s), QString());
    EXPECT_EQ(store.readOne(u"Other"_s, u"Tabs"_s, u"Welcome"_s), QString());
    EXPECT_FALSE(store.readSection(u"Jotwell"_s, u"Position"_s));
    EXPECT_FALSE(store.readSection(u"Other"_s, u"Tabs"_s));

    // An empty section in the file is "no entries" as well.
    putFile(R"({"Jotwell": {"Tabs": [], "Position": [["Top", "1"]]}})");
    EXPECT_FALSE(store.readSection(u"Jotwell"_s, u"Tabs"_s));
    EXPECT_TRUE(store.readSection(u"Jotwell"_s, u"Position"_s));

    // So is an empty file, which is not treated as broken.
    putFile("");
    EXPECT_FALSE(store.readSection(u"Jotwell"_s, u"Position"_s));
    EXPECT_FALSE(QFileInfo::exists(m_file + u".broken"_s));
}

TEST_F(SettingsTest, DeleteRemovesOneEntryAndKeepsTheOthersInOrder)
{
    SettingsStore store(m_file);
    store.writeEntries(u"Jotwell"_s, u"Tabs"_s,
                       entries({{u"Welcome", u"1"}, {u"Notes", u"2"}, {u"Ideas", u"3"}}));
    store.deleteEntry(u"jotwell"_s, u"tabs"_s, u"NOTES"_s);
    EXPECT_EQ(*store.readSection(u"Jotwell"_s, u"Tabs"_s), entries({{u"Welcome", u"1"}, {u"Ideas", u"3"}}));
    EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Tabs"_s, u"Notes"_s), QString());

    // Written again, it is a new entry at the end with its new case.
    store.write(u"Jotwell"_s, u"Tabs"_s, u"notes"_s, u"3"_s);
    EXPECT_EQ(keys(store.readSection(u"Jotwell"_s, u"Tabs"_s)),
              (QStringList{u"Welcome"_s, u"Ideas"_s, u"notes"_s}));

    // Deleting what is not there is no error.
    EXPECT_NO_THROW(store.deleteEntry(u"Jotwell"_s, u"Tabs"_s, u"Nothing"_s));
    EXPECT_NO_THROW(store.deleteEntry(u"Jotwell"_s, u"Nothing"_s, u"Welcome"_s));

    for (const auto *key : {u"Welcome", u"Ideas", u"notes"})
        store.deleteEntry(u"Jotwell"_s, u"Tabs"_s, QString::fromUtf16(key));
    EXPECT_FALSE(store.readSection(u"Jotwell"_s, u"Tabs"_s));
}

TEST_F(SettingsTest, UnusualNamesAndValuesSurviveTheFile)
{
    const QStringList texts{
        u"Quote \" and back\\slash"_s, u"line\nbreak\ttab\r"_s, u"\u0001\u001f\u007f control"_s,
        u"Ünïcödé 日本語 😀"_s, u"lone \xD800 surrogate"_s, u"  spaces  "_s, u""_s, u"/ \u2028 \u2029"_s,
    };
    SettingsStore store(m_file);
    for (const QString &t : texts)
        store.write(u"Jotwell"_s, u"Tabs"_s, t, t + u"=v"_s);
    fileJson(); // still valid JSON

    const auto section = SettingsStore(m_file).readSection(u"Jotwell"_s, u"Tabs"_s);
    ASSERT_TRUE(section);
    ASSERT_EQ(section->size(), texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(section->at(i).first, texts[i]) << i;
        EXPECT_EQ(section->at(i).second, texts[i] + u"=v"_s) << i;
    }
}

// --- disk writes ------------------------------------------------------------

TEST_F(SettingsTest, UnchangedWritesLeaveTheDiskAlone)
{
    SettingsStore store(m_file);
    store.writeEntries(u"Jotwell"_s, u"Position"_s,
                       entries({{u"Top", u"1500"}, {u"Left", u"1500"}, {u"Width", u"6000"}, {u"Height", u"4000"}}));
    const QByteArray before = jwtest::readBytes(m_file);

    FolderWatch watch(folder());
    ASSERT_TRUE(watch.valid());
    // What a repaint does when nothing moved, also through other letter cases.
    for (int i = 0; i < 50; ++i) {
        store.write(u"Jotwell"_s, u"Position"_s, u"Top"_s, u"1500"_s);
        store.write(u"jotwell"_s, u"position"_s, u"LEFT"_s, u"1500"_s);
        store.writeEntries(u"Jotwell"_s, u"Position"_s,
                           entries({{u"Top", u"1500"}, {u"Left", u"1500"}, {u"Width", u"6000"}, {u"Height", u"4000"}}));
        store.deleteEntry(u"Jotwell"_s, u"Position"_s, u"Missing"_s);
    }
    const auto events = watch.take();
    EXPECT_TRUE(events.empty()) << events.size() << " changes in the folder, first: " << events.front().name;
    EXPECT_EQ(jwtest::readBytes(m_file), before);

    // A real change is exactly one write.
    store.write(u"Jotwell"_s, u"Position"_s, u"Top"_s, u"1515"_s);
    EXPECT_EQ(FolderWatch::placements(watch.take(), "settings.json"), 1);
}

TEST_F(SettingsTest, WriteEntriesIsOneFileWriteInTheGivenOrder)
{
    SettingsStore store(m_file);
    store.write(u"Jotwell"_s, u"Position"_s, u"Left"_s, u"1"_s);
    FolderWatch watch(folder());
    ASSERT_TRUE(watch.valid());

    store.writeEntries(u"Jotwell"_s, u"Position"_s,
                       entries({{u"Top", u"10"}, {u"Left", u"20"}, {u"Width", u"30"}, {u"Height", u"40"}}));
    EXPECT_EQ(FolderWatch::placements(watch.take(), "settings.json"), 1);
    // Left keeps its place; the new ones follow in the order given.
    EXPECT_EQ(*store.readSection(u"Jotwell"_s, u"Position"_s),
              entries({{u"Left", u"20"}, {u"Top", u"10"}, {u"Width", u"30"}, {u"Height", u"40"}}));

    // One changed value among unchanged ones: still one write.
    store.writeEntries(u"Jotwell"_s, u"Position"_s,
                       entries({{u"Top", u"10"}, {u"Left", u"20"}, {u"Width", u"31"}, {u"Height", u"40"}}));
    EXPECT_EQ(FolderWatch::placements(watch.take(), "settings.json"), 1);
    EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Position"_s, u"Width"_s), u"31"_s);
}

// --- files we did not write -------------------------------------------------

TEST_F(SettingsTest, ValuesThatAreNotTextAreSkipped)
{
    putFile(R"({"Jotwell": {"Tabs": [["Welcome", "1"], ["Numbers", 2], ["Null", null],
               ["List", ["x"]], ["Object", {}], ["Notes", "2"]]}})");
    SettingsStore store(m_file);
    EXPECT_EQ(*store.readSection(u"Jotwell"_s, u"Tabs"_s), entries({{u"Welcome", u"1"}, {u"Notes", u"2"}}));
    EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Tabs"_s, u"Numbers"_s), QString());
    EXPECT_FALSE(QFileInfo::exists(m_file + u".broken"_s));
}

TEST_F(SettingsTest, DuplicateNamesInAHandEditedFileMerge)
{
    // Within a section: first place and case, last value.
    putFile(R"({"Jotwell": {"Tabs": [["Welcome", "1"], ["Notes", "2"], ["WELCOME", "3"]]}})");
    SettingsStore store(m_file);
    EXPECT_EQ(*store.readSection(u"Jotwell"_s, u"Tabs"_s), entries({{u"Welcome", u"3"}, {u"Notes", u"2"}}));

    // Names of applications and sections that differ only in case are one;
    // JSON objects have no order, so only the content is certain.
    putFile(R"({"Jotwell": {"Tabs": [["Welcome", "1"]]}, "JOTWELL": {"tabs": [["Ideas", "4"]]}})");
    const auto merged = store.readSection(u"jotwell"_s, u"TABS"_s);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->size(), 2);
    EXPECT_TRUE(merged->contains(SettingsEntry(u"Welcome"_s, u"1"_s)));
    EXPECT_TRUE(merged->contains(SettingsEntry(u"Ideas"_s, u"4"_s)));
}

struct BrokenCase {
    const char *name;
    const char *bytes;
};

class BrokenFileTest : public SettingsTest, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenFileTest, IsMovedAsideWithAWarningAndTheStoreStartsEmpty)
{
    const QByteArray bytes(GetParam().bytes);
    putFile(bytes);
    SettingsStore store(m_file);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.readSection(u"Jotwell"_s, u"Tabs"_s));
    const std::string warning = testing::internal::GetCapturedStderr();

    const QString broken = m_file + u".broken"_s;
    EXPECT_FALSE(QFileInfo::exists(m_file));
    EXPECT_EQ(jwtest::readBytes(broken), bytes);
    EXPECT_NE(warning.find(m_file.toStdString() + ' '), std::string::npos) << warning;
    EXPECT_NE(warning.find(broken.toStdString()), std::string::npos) << warning;

    store.write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"1"_s);
    EXPECT_EQ(*store.readSection(u"Jotwell"_s, u"Tabs"_s), entries({{u"Welcome", u"1"}}));
    EXPECT_EQ(jwtest::readBytes(broken), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, BrokenFileTest,
    ::testing::Values(BrokenCase{"Truncated", R"({"Jotwell": {"Tabs": [["Welcome", "1"])"},
                      BrokenCase{"NotJsonAtAll", "[Jotwell]\nTabs=1\n"},
                      BrokenCase{"Binary", "\x01\x02\xff\xfe{"},
                      BrokenCase{"TopLevelArray", R"([["Welcome", "1"]])"},
                      BrokenCase{"TopLevelString", R"("Jotwell")"},
                      BrokenCase{"AppNotObject", R"({"Jotwell": [["Welcome", "1"]]})"},
                      BrokenCase{"SectionNotArray", R"({"Jotwell": {"Tabs": {"Welcome": "1"}}})"},
                      BrokenCase{"EntryNotPair", R"({"Jotwell": {"Tabs": [["Welcome"]]}})"},
                      BrokenCase{"EntryTooLong", R"({"Jotwell": {"Tabs": [["Welcome", "1", "2"]]}})"},
                      BrokenCase{"EntryNotArray", R"({"Jotwell": {"Tabs": ["Welcome"]}})"},
                      BrokenCase{"KeyNotText", R"({"Jotwell": {"Tabs": [[1, "1"]]}})"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SettingsTest, BrokenFileFoundByAWriteIsMovedAsideNotOverwritten)
{
    putFile("{ first broken");
    ASSERT_TRUE(jwtest::writeBytes(m_file + u".broken"_s, "an older broken file"));
    SettingsStore store(m_file);

    testing::internal::CaptureStderr();
    store.write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"1"_s);
    const std::string warning = testing::internal::GetCapturedStderr();

    // The older one stays; this one gets the next free name.
    EXPECT_EQ(jwtest::readBytes(m_file + u".broken"_s), "an older broken file");
    EXPECT_EQ(jwtest::readBytes(m_file + u".broken.1"_s), "{ first broken");
    EXPECT_NE(warning.find((m_file + u".broken.1"_s).toStdString()), std::string::npos) << warning;
    EXPECT_EQ(*store.readSection(u"Jotwell"_s, u"Tabs"_s), entries({{u"Welcome", u"1"}}));
}

TEST_F(SettingsTest, UnreadableFileReadsEmptyAndIsNeverWrittenOver)
{
    // A folder where the file should be: reading fails for root as well.
    ASSERT_TRUE(QDir().mkpath(m_file));
    ASSERT_TRUE(jwtest::writeBytes(m_file + u"/inside"_s, "keep"));
    SettingsStore store(m_file);
    EXPECT_FALSE(store.readSection(u"Jotwell"_s, u"Tabs"_s));
    try {
        store.write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"1"_s);
        FAIL() << "write succeeded";
    } catch (const IoError &e) {
        EXPECT_EQ(e.fileName(), m_file);
        EXPECT_EQ(e.reason().toStdString(), std::strerror(EISDIR));
    }
    EXPECT_EQ(jwtest::readBytes(m_file + u"/inside"_s), "keep");
}

// --- several processes --------------------------------------------------------

TEST_F(SettingsTest, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int kEach = 120;
    const QString go = path(u"go"_s);
    SettingsStore(m_file).write(u"Jotwell"_s, u"Tabs"_s, u"Welcome"_s, u"1"_s);

    const auto writer = [&](const QString &prefix) {
        return [&, prefix](int out) {
            if (!jwtest::waitFor([&] { return QFileInfo::exists(go); }))
                return 3;
            SettingsStore store(m_file);
            const auto started = std::chrono::steady_clock::now();
            try {
                for (int i = 0; i < kEach; ++i)
                    store.write(u"Jotwell"_s, u"Tabs"_s, prefix + QString::number(i), QString::number(i));
                // Deletes and batches race as well.
                for (int i = 1; i < kEach; i += 2)
                    store.deleteEntry(u"Jotwell"_s, u"Tabs"_s, prefix + QString::number(i));
                store.writeEntries(u"Jotwell"_s, prefix, entries({{u"a", u"1"}, {u"b", u"2"}}));
            } catch (const IoError &e) {
                Child::send(out, QString::fromUtf8(e.what()));
                return 1;
            }
            // When it worked, from when to when (the clock is shared by all processes).
            const auto ended = std::chrono::steady_clock::now();
            Child::send(out, QString::number(started.time_since_epoch().count()) + u' '
                                 + QString::number(ended.time_since_epoch().count()));
            return 0;
        };
    };
    Child a(writer(u"A"_s));
    Child b(writer(u"B"_s));
    ASSERT_TRUE(jwtest::writeBytes(go, "go"));
    a.wait();
    b.wait();
    ASSERT_EQ(a.exitCode, 0) << a.output;
    ASSERT_EQ(b.exitCode, 0) << b.output;

    const auto section = SettingsStore(m_file).readSection(u"Jotwell"_s, u"Tabs"_s);
    ASSERT_TRUE(section);
    ASSERT_EQ(section->size(), 1 + kEach) << "lost or extra entries";
    EXPECT_EQ(section->front(), SettingsEntry(u"Welcome"_s, u"1"_s));
    const auto span = [](const Child &c) {
        const QStringList parts = QString::fromStdString(c.output).split(u' ');
        return std::pair{parts.value(0).toLongLong(), parts.value(1).toLongLong()};
    };
    const auto [startA, endA] = span(a);
    const auto [startB, endB] = span(b);
    ASSERT_TRUE(startA < endB && startB < endA) << "the two writers did not overlap, so this run proved nothing";

    int nextA = 0, nextB = 0;
    for (qsizetype i = 1; i < section->size(); ++i) {
        const auto &[key, value] = section->at(i);
        int &next = key.startsWith(u'A') ? nextA : nextB;
        // Each process's entries are there in its own order.
        EXPECT_EQ(key.mid(1), QString::number(next)) << key.toStdString();
        EXPECT_EQ(value, QString::number(next));
        next += 2;
    }
    EXPECT_EQ(nextA, kEach);
    EXPECT_EQ(nextB, kEach);
    for (const auto *prefix : {u"A", u"B"}) {
        EXPECT_EQ(SettingsStore(m_file).readSection(u"Jotwell"_s, QString::fromUtf16(prefix)),
                  entries({{u"a", u"1"}, {u"b", u"2"}}));
    }
}

TEST_F(SettingsTest, KillingAWriterLeavesTheOldOrTheNewFile)
{
    SettingsStore store(m_file);
    SettingsEntries tabs;
    for (int i = 0; i < 300; ++i)
        tabs.append({u"Page with a longer title "_s + QString::number(i), QString::number(i + 1)});
    store.writeEntries(u"Jotwell"_s, u"Tabs"_s, tabs);

    std::mt19937 random(7);
    for (int round = 0; round < 8; ++round) {
        const QString marker = u"round"_s + QString::number(round);
        Child writer([&](int) {
            SettingsStore child(m_file);
            for (int i = 0;; ++i) {
                child.writeEntries(u"Jotwell"_s, u"Position"_s,
                                   {{u"Top"_s, QString::number(i)}, {u"Left"_s, marker}});
            }
            return 0;
        });
        // While it writes, every look at the file finds it whole.
        ASSERT_TRUE(jwtest::waitFor([&] { return store.readOne(u"Jotwell"_s, u"Position"_s, u"Left"_s) == marker; }));
        for (int look = 0; look < 100; ++look) {
            const QByteArray bytes = jwtest::readBytes(m_file);
            const QJsonDocument doc = QJsonDocument::fromJson(bytes);
            ASSERT_EQ(doc.object().value(u"Jotwell"_s).toObject().value(u"Tabs"_s).toArray().size(), 300)
                << "torn file seen:\n" << bytes.left(200).toStdString();
        }
        // Then kill it at some moment of its work.
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(writer.pid(), SIGKILL);
        writer.wait();
        ASSERT_TRUE(writer.signalled);

        // Whole and readable; the page list untouched.
        const QJsonObject json = fileJson();
        EXPECT_EQ(json.value(u"Jotwell"_s).toObject().value(u"Tabs"_s).toArray().size(), 300);
        EXPECT_EQ(store.readSection(u"Jotwell"_s, u"Tabs"_s), tabs);
        EXPECT_FALSE(QFileInfo::exists(m_file + u".broken"_s));
        // A lock left by the dead writer does not block the next one.
        store.write(u"Jotwell"_s, u"Position"_s, u"Left"_s, u"after"_s + marker);
        EXPECT_EQ(store.readOne(u"Jotwell"_s, u"Position"_s, u"Left"_s), u"after"_s + marker);
    }
}

TEST_F(SettingsTest, FailedWriteKeepsTheOldFileAndGivesTheSystemReason)
{
    SettingsStore store(m_file);
    SettingsEntries tabs;
    for (int i = 0; i < 200; ++i)
        tabs.append({u"Page "_s + QString::number(i), QString::number(i + 1)});
    store.writeEntries(u"Jotwell"_s, u"Tabs"_s, tabs);
    const QByteArray before = jwtest::readBytes(m_file);
    ASSERT_GT(before.size(), 4096);

    // A file size limit makes the write itself come up short, as a full disk does.
    Child child([&](int out) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
        try {
            SettingsStore(m_file).write(u"Jotwell"_s, u"Tabs"_s, u"One more"_s, u"201"_s);
        } catch (const IoError &e) {
            Child::send(out, e.reason());
            return 0;
        }
        return 1;
    });
    child.wait();
    EXPECT_EQ(child.exitCode, 0) << "the write did not fail";
    EXPECT_EQ(child.output, std::strerror(EFBIG));
    EXPECT_EQ(jwtest::readBytes(m_file), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden), QStringList{u"settings.json"_s});
}

} // namespace
