#include "base/settingsstore.h"
#include "pages/pagefiles.h"
#include "base/names.h"
#include "pages/pagelist.h"
#include "support/files.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

namespace {

TEST(PageOrder, PositionsFirstThenTiesAndOddValuesInFileOrderAndDuplicatesIgnoreLetterCaseWhateverTheLocale)
{
    const std::pair<SettingsEntries, QStringList> cases[] = {
        {{{u"B"_s, u"2"_s}, {u"A"_s, u"1"_s}, {u"C"_s, u"3"_s}}, {u"A"_s, u"B"_s, u"C"_s}},
        {{{u"A"_s, u"1"_s}, {u"B"_s, u"1"_s}}, {u"A"_s, u"B"_s}},
        {{}, {}},
        {{{u"X"_s, u"x"_s}, {u"A"_s, u"2"_s}, {u"N"_s, u"99"_s}, {u"Z"_s, u"0"_s}}, {u"A"_s, u"N"_s, u"X"_s, u"Z"_s}},
        {{{u""_s, u"1"_s}, {u"A"_s, u" 2 "_s}, {u"B"_s, u"-1"_s}}, {u"A"_s, u"B"_s}},
    };
    for (const auto &[stored, order] : cases)
        EXPECT_EQ(pageOrder(stored), order);
    const QStringList tabs{u"Welcome"_s, u"Notes"_s, u"Ärger"_s, u"LIST"_s};
    QLocale::setDefault(QLocale(QLocale::Turkish)); // whose lower case of I is a dotless ı
    const QList<int> found{findDuplicate(tabs, u"NOTES"_s), findDuplicate(tabs, u"ärger"_s),
                           findDuplicate(tabs, u"Notes "_s), findDuplicate(tabs, u"list"_s),
                           findDuplicate(tabs, u"lİst"_s)};
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(found, (QList<int>{2, 3, 0, 4, 0}));
    const auto taken = [](const QString &name) { return name.endsWith(u"(x).rtf"_s) || name.endsWith(u" 2.rtf"_s); };
    EXPECT_EQ((QStringList{asideName(u"a.b.rtf"_s, u"x"_s, taken), asideName(u"/d/a.json"_s, u"y"_s, taken)}),
              (QStringList{u"a.b (x) 3.rtf"_s, u"/d/a (y).json"_s}));
}

class PageListTest : public ::testing::Test {
protected:
    void SetUp() override { storeList(numberedPageList(three)); }
    QStringList stored() const { return pageOrder(store.readSection(kApp, kTabsSection).value_or(SettingsEntries{})); }
    void storeList(const SettingsEntries &entries)
    {
        store.updateSection(kApp, kTabsSection, [&](SettingsEntries &e) { return e = entries, true; });
    }

    SettingsStore store{jwtest::settingsFile()};
    PageFiles files;
    PageList pages{store, files};
    const QStringList three{u"Welcome"_s, u"Notes"_s, u"Ideas"_s};
    const rtf::Document page{u"text", {{0, 4, {"Serif", 24, true, false, false}}}};
};

TEST_F(PageListTest, LoadLeavesOutTitlesThatCannotBeFileNamesGivesDefaultsOnAFirstStartAndRenumbersAHandEditedList)
{
    const QString nul = u"a"_s + QChar(u'\0') + u"b"_s, longTitle(300, u'x'), forty = QString(39, u'y') + u'/';
    const QStringList hostile{u"a/b"_s, u"back\\slash"_s, u"/etc/passwd"_s, nul, longTitle, u".."_s, forty};
    storeList(numberedPageList(hostile));
    EXPECT_EQ(pages.load(), (QStringList{u"Welcome"_s, u"Notes"_s}));
    EXPECT_EQ(pages.leftOut(), hostile);
    EXPECT_EQ(pageOrder(*store.readSection(kApp, kTabsSection)), (hostile + QStringList{u"Welcome"_s, u"Notes"_s}));
    const QString told = PageList::leftOutText(pages.leftOut());
    EXPECT_TRUE(told.contains(u"\"a/b\""_s) && told.contains(u"\"a\\0b\""_s)
                && told.contains(u"stay in the settings"_s));
    // Long titles are cut after 40 characters.
    EXPECT_TRUE(told.contains(u'"' + forty + u'"') && told.contains(u'"' + longTitle.left(40) + QChar(0x2026) + u'"'));
    // Neither shown nor counted: the last page shown cannot be removed.
    EXPECT_EQ(pages.remove(u"Welcome"_s).titles, QStringList{u"Notes"_s});
    EXPECT_FALSE(pages.remove(u"Notes"_s).done());
    EXPECT_EQ(pages.add(u"Ideas"_s, {u"Notes"_s}).titles, (QStringList{u"Notes"_s, u"Ideas"_s}));
    // A first start gets the defaults; a hand-edited list is numbered again.
    storeList({});
    EXPECT_EQ(pages.load(), (QStringList{u"Welcome"_s, u"Notes"_s}));
    EXPECT_EQ(*store.readSection(kApp, kTabsSection), SettingsEntries({{u"Welcome"_s, u"1"_s}, {u"Notes"_s, u"2"_s}}));
    storeList(SettingsEntries({{u"A"_s, u"1"_s}, {u"B"_s, u"1"_s}, {u"C"_s, u"x"_s}}));
    EXPECT_EQ(pages.load(), (QStringList{u"A"_s, u"B"_s, u"C"_s}));
    EXPECT_EQ(*store.readSection(kApp, kTabsSection), numberedPageList({u"A"_s, u"B"_s, u"C"_s}));
    // A settings file that cannot be read still gives pages to show.
    QFile::remove(jwtest::settingsFile());
    ASSERT_TRUE(QDir().mkpath(jwtest::settingsFile()));
    EXPECT_EQ(pages.load(), (QStringList{u"Welcome"_s, u"Notes"_s}));
}

TEST_F(PageListTest, AddRefusesDuplicatesAndBadTitlesAndAppendsTrimmedTitlesCreatesTheFileAndKeepsAnOldOne)
{
    const PageResult dup = pages.add(u"NOTES"_s, three);
    EXPECT_EQ(std::tuple(dup.status, dup.message, dup.caption),
              std::tuple(PageResult::Status::Refused, u"You cannot have two tabs with the same name."_s,
                         u"Duplicate Titles"_s));
    EXPECT_EQ(pages.add(u" Ideas "_s, three).caption, u"Duplicate Titles");
    EXPECT_EQ(pages.add(u"a/b"_s, three).caption, u"Invalid Tab Name");
    // Another running copy added it meanwhile: the stored list decides.
    EXPECT_FALSE(pages.add(u"Ideas"_s, {u"Welcome"_s}).done());
    EXPECT_EQ(stored(), three);
    EXPECT_FALSE(QFile::exists(u"NOTES.rtf"_s));

    ASSERT_TRUE(jwtest::writeBytes(u"Old.rtf"_s, "{\\rtf1 kept}"));
    // The stored list decides the position, not the tabs a copy still shows.
    for (const QString &title : {u"  Shopping "_s, u"Old"_s}) {
        const PageResult r = pages.add(title, three);
        EXPECT_TRUE(r.done()) << r.message.toStdString();
        EXPECT_EQ(std::pair(r.titles, r.title), std::pair(stored(), title.trimmed()));
    }
    EXPECT_EQ(stored(), (three + QStringList{u"Shopping"_s, u"Old"_s}));
    EXPECT_EQ(store.readOne(kApp, kTabsSection, u"Old"_s), u"5");
    EXPECT_EQ(std::pair(jwtest::readBytes(u"Shopping.rtf"_s), jwtest::readBytes(u"Old.rtf"_s)),
              std::pair(QByteArray(), QByteArray("{\\rtf1 kept}")));
}

TEST_F(PageListTest, RenameNeverReplacesAFileOrAnotherPageAndKeepsThePlaceWritingThePageToTheNewFile)
{
    const PageResult dup = pages.rename(u"Notes"_s, u"IDEAS "_s, three, page);
    EXPECT_EQ(std::pair(dup.message, dup.caption),
              std::pair(u"Cannot have two tabs with the same name."_s, u"Duplicate Tab Name"_s));
    // The file of a removed page, also in another letter case.
    ASSERT_TRUE(jwtest::writeBytes(u"Old.rtf"_s, "removed page"));
    ASSERT_TRUE(jwtest::writeBytes(u"ideas.rtf"_s, "another page"));
    const PageResult taken = pages.rename(u"Notes"_s, u"Old"_s, three, page);
    EXPECT_EQ(taken.status, PageResult::Status::Refused);
    EXPECT_TRUE(taken.message.contains(u"\"Old.rtf\""_s) && taken.message.contains(u"Add Tab"_s));
    EXPECT_FALSE(pages.rename(u"Ideas"_s, u"ideas"_s, three, page).done());
    // A tab the stored list does not know: nothing is left behind.
    EXPECT_FALSE(pages.rename(u"Ghost"_s, u"Plans"_s, three, page).done() || QFile::exists(u"Plans.rtf"_s));
    EXPECT_EQ(stored(), three);
    EXPECT_EQ(std::pair(jwtest::readBytes(u"Old.rtf"_s), jwtest::readBytes(u"ideas.rtf"_s)),
              std::pair(QByteArray("removed page"), QByteArray("another page")));

    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf"_s, "old file"));
    const PageResult r = pages.rename(u"Notes"_s, u"Plans"_s, three, page);
    ASSERT_TRUE(r.done()) << r.message.toStdString();
    EXPECT_EQ(r.titles, (QStringList{u"Welcome"_s, u"Plans"_s, u"Ideas"_s}));
    EXPECT_EQ(std::pair(stored(), files.readPage(u"Plans.rtf"_s)), std::pair(r.titles, page));
    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf"_s), "old file");
    // A change of letter case only moves the page's own file.
    const PageResult upper = pages.rename(u"Plans"_s, u" PLANS"_s, r.titles, page);
    ASSERT_TRUE(upper.done()) << upper.message.toStdString();
    EXPECT_EQ(upper.titles, (QStringList{u"Welcome"_s, u"PLANS"_s, u"Ideas"_s}));
    EXPECT_EQ(files.readPage(u"PLANS.rtf"_s), page);
    EXPECT_FALSE(QFile::exists(u"Plans.rtf"_s));
}

TEST_F(PageListTest, ReorderAndRemoveNumberTheTabsAsShownAndKeepFiles)
{
    storeList(numberedPageList(three + QStringList{u"Plans"_s}));
    const PageResult r = pages.reorder({u"Ideas"_s, u"Ghost"_s, u"Welcome"_s, u"Notes"_s});
    EXPECT_EQ(r.titles, (QStringList{u"Ideas"_s, u"Welcome"_s, u"Notes"_s, u"Plans"_s})); // unknown pages stay
    EXPECT_EQ(*store.readSection(kApp, kTabsSection), numberedPageList(r.titles));
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf"_s, "kept"));
    ASSERT_TRUE(pages.remove(u"Notes"_s).done());
    EXPECT_EQ(*store.readSection(kApp, kTabsSection), numberedPageList({u"Ideas"_s, u"Welcome"_s, u"Plans"_s}));
    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf"_s), "kept");
    // Never the last page; the refusal writes nothing (a rewrite is a new file).
    ASSERT_TRUE(pages.remove(u"Ideas"_s).done() && pages.remove(u"Welcome"_s).done());
    const ino_t before = jwtest::inode(jwtest::settingsFile());
    EXPECT_EQ(pages.remove(u"Plans"_s).message, u"You cannot remove the only tab.");
    EXPECT_EQ(std::pair(stored(), jwtest::inode(jwtest::settingsFile())), std::pair(QStringList{u"Plans"_s}, before));
}

} // namespace
