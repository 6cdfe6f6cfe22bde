// Rules of the page operations that need no windows: which titles can name
// a page, where a new page goes, which entries a removal rewrites, and the
// letter-case tests of the two dialogs.
#include "pages/pageops.h"
#include "pages/titlerules.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace jw;

namespace {

QString s(const char16_t *text) { return QString::fromUtf16(text); }

// ------------------------------------------------------------------ titles

TEST(TitleRules, OrdinaryTitlesAreKeptExactlyAsTyped)
{
    for (const QString &title :
         {s(u"Shopping"), s(u"Shopping "), s(u" leading blank"), s(u"a.b.c"), s(u"."), s(u".."), s(u"dots at the end..."),
          s(u"Ünïcødé ΣΩ 日本語"), s(u"emoji 😀"), s(u"&Amp;"), s(u"it's 100% [ok] {fine} #1 @home!"), s(u"x")})
        EXPECT_EQ(checkTitle(title), TitleProblem::None) << title.toStdString();
}

TEST(TitleRules, EmptyTitleIsRefused)
{
    EXPECT_EQ(checkTitle(QString()), TitleProblem::Empty);
    EXPECT_EQ(checkTitle(s(u"")), TitleProblem::Empty);
}

TEST(TitleRules, EveryReservedCharacterIsRefusedAnywhereInTheTitle)
{
    for (const QChar c : s(u"/\\:*?\"<>|")) {
        EXPECT_EQ(checkTitle(QString(c)), TitleProblem::ReservedCharacter) << int(c.unicode());
        EXPECT_EQ(checkTitle(s(u"ab") + c + s(u"cd")), TitleProblem::ReservedCharacter) << int(c.unicode());
        EXPECT_EQ(checkTitle(s(u"abcd") + c), TitleProblem::ReservedCharacter) << int(c.unicode());
    }
    EXPECT_EQ(checkTitle(s(u"../escape")), TitleProblem::ReservedCharacter);
}

TEST(TitleRules, ControlCharactersAreRefused)
{
    for (char16_t code : {u'\0', u'\x01', u'\t', u'\n', u'\r', u'\x1f', u'\x7f', u'\x85', u'\x9f'}) {
        QString title = s(u"ab");
        title.insert(1, QChar(code));
        EXPECT_EQ(checkTitle(title), TitleProblem::ControlCharacter) << int(code);
    }
    // Just outside the control ranges.
    EXPECT_EQ(checkTitle(s(u"a b")), TitleProblem::None);
    EXPECT_EQ(checkTitle(s(u"a\u00a0b")), TitleProblem::None);
}

TEST(TitleRules, DeviceNamesAreRefusedInAnyCaseAndWithADotOrTrailingBlanks)
{
    for (const QString &title :
         {s(u"CON"), s(u"con"), s(u"Con"), s(u"PRN"), s(u"aux"), s(u"NuL"), s(u"COM1"), s(u"com9"), s(u"LPT1"),
          s(u"lpt9"), s(u"con.txt"), s(u"Aux "), s(u"NUL   "), s(u"prn."), s(u"COM3.backup.old"), s(u"lpt2 .x")})
        EXPECT_EQ(checkTitle(title), TitleProblem::DeviceName) << title.toStdString();
}

TEST(TitleRules, NamesThatOnlyResembleDevicesAreAllowed)
{
    for (const QString &title : {s(u"COM0"), s(u"LPT0"), s(u"COM10"), s(u"console"), s(u"CONS"), s(u"CO"), s(u"xCON"),
                                 s(u" CON"), s(u"AUX1"), s(u"NULL"), s(u"PRN_list"), s(u"LPT"), s(u"COM")})
        EXPECT_EQ(checkTitle(title), TitleProblem::None) << title.toStdString();
}

TEST(TitleRules, FileNameLimitCountsUtf8BytesOfTitlePlusExtension)
{
    // ".rtf" takes 4 of the 255 bytes.
    EXPECT_EQ(checkTitle(QString(251, u'a')), TitleProblem::None);
    EXPECT_EQ(checkTitle(QString(252, u'a')), TitleProblem::TooLong);
    // "é" is two bytes: 125 of them plus "a" make 251 bytes, one more "é" is too many.
    const QString twoByte = QString(125, u'é');
    EXPECT_EQ(checkTitle(twoByte + s(u"a")), TitleProblem::None);
    EXPECT_EQ(checkTitle(twoByte + s(u"é")), TitleProblem::TooLong);
    // A character outside the BMP is four bytes (two UTF-16 units).
    const QString fourByte = s(u"😀").repeated(62); // 248 bytes
    EXPECT_EQ(checkTitle(fourByte + s(u"abc")), TitleProblem::None);
    EXPECT_EQ(checkTitle(fourByte + s(u"abcd")), TitleProblem::TooLong);
    // Far more than the old ten characters.
    EXPECT_EQ(checkTitle(s(u"A title of well over ten characters")), TitleProblem::None);
}

TEST(TitleRules, EveryReasonHasItsOwnOneSentenceMessage)
{
    const TitleProblem problems[] = {TitleProblem::Empty, TitleProblem::ReservedCharacter,
                                     TitleProblem::ControlCharacter, TitleProblem::DeviceName, TitleProblem::TooLong};
    QStringList texts;
    for (TitleProblem problem : problems) {
        const QString text = titleProblemText(problem, s(u"Aux .txt"));
        EXPECT_FALSE(text.isEmpty());
        EXPECT_TRUE(text.endsWith(u'.'));
        EXPECT_FALSE(texts.contains(text));
        texts << text;
    }
    EXPECT_TRUE(titleProblemText(TitleProblem::None, s(u"x")).isEmpty());
    // The device message names the device as the system sees it.
    EXPECT_TRUE(titleProblemText(TitleProblem::DeviceName, s(u"Aux .txt")).contains(s(u"\"Aux\"")));
    EXPECT_TRUE(titleProblemText(TitleProblem::ReservedCharacter, s(u"a/b")).contains(s(u"/ \\ : * ? \" < > |")));
}

// -------------------------------------------------------- page list arithmetic

SettingsEntries entries(std::initializer_list<std::pair<const char16_t *, const char16_t *>> list)
{
    SettingsEntries result;
    for (const auto &[key, value] : list)
        result.append({s(key), s(value)});
    return result;
}

TEST(NewPagePosition, FollowsTheLastEntryOrIsOneOnAnEmptyList)
{
    EXPECT_EQ(newPagePosition(std::nullopt), 1);
    EXPECT_EQ(newPagePosition(SettingsEntries{}), 1);
    EXPECT_EQ(newPagePosition(entries({{u"Welcome", u"1"}})), 2);
    EXPECT_EQ(newPagePosition(entries({{u"Welcome", u"1"}, {u"Notes", u"2"}, {u"Ideas", u"3"}})), 4);
    // The count of entries decides, not their values.
    EXPECT_EQ(newPagePosition(entries({{u"A", u"7"}, {u"B", u"x"}})), 3);
}

TEST(CloseGap, RemovingAMiddlePageMovesOnlyTheLaterOnesUp)
{
    // "Notes" (2) is gone; the rest still hold their old values.
    const auto rest = entries({{u"Welcome", u"1"}, {u"Ideas", u"3"}, {u"Plans", u"4"}});
    EXPECT_EQ(closeGap(rest, 2), entries({{u"Ideas", u"2"}, {u"Plans", u"3"}}));
}

TEST(CloseGap, RemovingTheFirstPageMovesEveryOtherUp)
{
    const auto rest = entries({{u"Notes", u"2"}, {u"Ideas", u"3"}});
    EXPECT_EQ(closeGap(rest, 1), entries({{u"Notes", u"1"}, {u"Ideas", u"2"}}));
}

TEST(CloseGap, RemovingTheLastPageRewritesNothing)
{
    const auto rest = entries({{u"Welcome", u"1"}, {u"Notes", u"2"}});
    EXPECT_TRUE(closeGap(rest, 3).isEmpty());
}

TEST(CloseGap, VisitOrderDoesNotMatterAndOddValuesAreLeftAlone)
{
    const auto rest = entries({{u"D", u"5"}, {u"A", u"1"}, {u"Bad", u"x"}, {u"C", u" 4 "}, {u"Empty", u""}});
    EXPECT_EQ(closeGap(rest, 3), entries({{u"D", u"4"}, {u"C", u"3"}}));
    // Written back as plain digits.
    EXPECT_EQ(closeGap(entries({{u"Z", u"12"}}), 1), entries({{u"Z", u"11"}}));
}

// ---------------------------------------------------------- duplicate titles

TEST(Duplicates, AddAndRenameIgnoreLetterCaseAndReportTheFirstMatch)
{
    const QStringList tabs{s(u"Welcome"), s(u"Notes"), s(u"Ideas")};
    for (const QString &typed : {s(u"notes"), s(u"NOTES"), s(u"nOtEs")}) {
        EXPECT_EQ(findDuplicateLower(tabs, typed), 2) << typed.toStdString();
        EXPECT_EQ(findDuplicateUpper(tabs, typed), 2) << typed.toStdString();
    }
    EXPECT_EQ(findDuplicateLower(tabs, s(u"Shopping")), 0);
    EXPECT_EQ(findDuplicateUpper(tabs, s(u"Shopping")), 0);
    // A blank makes another title.
    EXPECT_EQ(findDuplicateLower(tabs, s(u"Notes ")), 0);
    EXPECT_EQ(findDuplicateUpper(tabs, s(u"Notes ")), 0);
    EXPECT_EQ(findDuplicateLower(QStringList{s(u"a"), s(u"A")}, s(u"a")), 1);
    EXPECT_EQ(findDuplicateLower({}, s(u"a")), 0);
}

TEST(Duplicates, LettersBeyondAsciiCompareWithoutCase)
{
    const QStringList tabs{s(u"Привет"), s(u"Ωμέγα"), s(u"Éclair")};
    EXPECT_EQ(findDuplicateLower(tabs, s(u"ПРИВЕТ")), 1);
    EXPECT_EQ(findDuplicateUpper(tabs, s(u"ωμέγα")), 2);
    EXPECT_EQ(findDuplicateLower(tabs, s(u"éCLAIR")), 3);
}

TEST(Duplicates, TheLocaleDecidesTheCaseMapping)
{
    // In Turkish the capital of "i" is the dotted "İ", so "I" is not its match.
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    const QStringList tabs{s(u"Liste")};
    EXPECT_EQ(findDuplicateUpper(tabs, s(u"LİSTE"), turkish), 1);
    EXPECT_EQ(findDuplicateUpper(tabs, s(u"LISTE"), turkish), 0);
    EXPECT_EQ(findDuplicateUpper(tabs, s(u"LISTE"), QLocale::c()), 1);
}

// Each test runs in a temporary current folder with its own settings place.
class TempFolderPerTest final : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo &) override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_dir->isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        qputenv("XDG_CONFIG_HOME", QDir(m_dir->path()).filePath(QStringLiteral("config")).toLocal8Bit());
    }
    void OnTestEnd(const testing::TestInfo &) override
    {
        QDir::setCurrent(m_previous);
        m_dir.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new TempFolderPerTest);
    return RUN_ALL_TESTS();
}
