// Files from other programs, LibreOffice as a second reader, and rtfdump.

#include "pages.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <fstream>

using namespace Qt::StringLiterals;
using jw::rtf::readRtf;
using jwtest::readFile;
using jwtest::runsOf;
using jwtest::utf8;

namespace {

const std::string kData = JW_RTF_DATA_DIR "/";

// Shapes other programs write, with the text and runs read from them; the
// LibreOffice ones are made by make-libreoffice.sh.
const std::tuple<const char *, const char *, const char *> kFiles[] = {
    {"wordpad.rtf",
     "Shopping list for Tuesday:\n\u00B7\tCaf\u00E9 au lait\n\u00B7\t\u043C\u043E\u043B\u043E\u043A\u043E\n"
     "Don\u2019t forget the receipt \u2014 50 \u20AC",
     "18:Calibri:22:; 7:Calibri:22:b; 2:Calibri:22:; 2:Symbol:22:; 13:Calibri:22:; 2:Symbol:22:; 6:Arial:22:i; "
     "1:Calibri:22:; 12:Calibri:22:u; 1:Calibri:22:; 11:Calibri:28:; 7:Calibri:22:"},
    {"wordpad-japanese.rtf", "\u3053\u3093\u306B\u3061\u306F (hello)\n\u8868\u30A2\n\u8868!",
     "5:\uFF2D\uFF33 \u660E\u671D:20:; 9:Segoe UI:20:; 4:\uFF2D\uFF33 \u660E\u671D:20:; 1:Segoe UI:20:"},
    {"word.rtf", "Hello bold and italic \u201Cquoted\u201D words.\nTimes 14\nA1\tB1\nlink",
     "6:Calibri:22:; 4:Calibri:22:b; 5:Calibri:22:; 6:Calibri:22:i; 10:Calibri:22:; 5:Calibri:22:u; "
     "2:Calibri:22:; 8:Times New Roman:28:; 7:Calibri:22:; 4:Calibri:22:u>https://example.com/"},
    {"textedit.rtf", "Hello from TextEdit\nBold heading\nunderlined and code\nPrice: 5\u20AC \u2013 smile \U0001F600",
     "20:Helvetica:24:; 12:Helvetica-Bold:24:b; 1:Helvetica:24:; 10:Helvetica:24:u; 5:Helvetica:24:; "
     "5:Menlo-Regular:22:; 20:Helvetica:24:"},
    {"libreoffice-formats.rtf",
     "Plain bold italic underlined all three\n\u0411\u043E\u043B\u044C\u0448\u043E\u0439 "
     "\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \u65E5\u672C\u8A9E\nEmoji \U0001F600 and {braces} \\ back",
     "6:Liberation Serif:24:; 4:Liberation Serif:24:b; 1:Liberation Serif:24:; 6:Liberation Serif:24:i; "
     "1:Liberation Serif:24:; 10:Liberation Serif:24:u; 1:Liberation Serif:24:; 9:Liberation Serif:24:biu; "
     "1:DejaVu Serif:24:; 7:Liberation Sans:36:; 1:DejaVu Serif:24:; 9:DejaVu Sans Mono:20:; 4:DejaVu Serif:24:; "
     "28:Liberation Serif:24:"},
};

// charsets.rtf by hand, charsets.txt is how LibreOffice reads it.
std::string libreOfficeText()
{
    const std::string text = readFile(kData + "charsets.txt");
    return text.substr(0, text.find_last_not_of('\n') + 1);
}

} // namespace

TEST(RtfFiles, OtherProgramsFilesAndTheFuzzCorpusReadAsRecorded)
{
    for (const auto &[file, text, runs] : kFiles) {
        const jw::rtf::Document doc = readRtf(readFile(kData + file));
        EXPECT_EQ(std::pair(utf8(doc.text), runsOf(doc)), std::pair(std::string(text), std::string(runs))) << file;
        EXPECT_EQ(readRtf(jw::rtf::writeRtf(doc)), doc) << file;
    }
    // One paragraph per font character set, \cpg and double-byte set, the
    // second word bold; LibreOffice's own RTF of it reads the same.
    for (const char *file : {"charsets.rtf", "libreoffice-charsets.rtf"}) {
        const jw::rtf::Document doc = readRtf(readFile(kData + file));
        EXPECT_EQ(utf8(doc.text), libreOfficeText()) << file;
        EXPECT_NE(runsOf(doc).find("7:Cyrillic Font:24:; 3:Cyrillic Font:24:b"), std::string::npos) << runsOf(doc);
    }
    // Every file here, the fuzzers' broken ones too, reads and writes back as it
    // did when tests/data/rtf-corpus.txt was made; JW_WRITE_CORPUS=1 makes it again.
    QByteArray now, record = JW_RTF_DATA_DIR "/../rtf-corpus.txt";
    for (const QString &name : QDir(QString::fromStdString(kData)).entryList(QDir::Files, QDir::Name)) {
        const std::string written = jw::rtf::writeRtf(readRtf(readFile(kData + name.toStdString())));
        now += name.left(12).toLatin1() + ' '
               + QCryptographicHash::hash(written, QCryptographicHash::Sha1).toHex().left(12) + '\n';
    }
    if (qEnvironmentVariableIsSet("JW_WRITE_CORPUS"))
        jwtest::writeBytes(QString::fromLatin1(record), now);
    EXPECT_EQ(now, jwtest::readBytes(QString::fromLatin1(record)));
}

class RtfTools : public ::testing::Test {}; // the test main gives each test its own folder

TEST_F(RtfTools, LibreOfficeReadsWhatTheWriterWrites)
{
    if (QStandardPaths::findExecutable(u"soffice"_s).isEmpty())
        GTEST_SKIP() << "soffice is not installed (libreoffice-writer-nogui)";
    jw::rtf::Document doc{QString::fromStdString(libreOfficeText() + "\n{odd} \\ \U0001F600").toStdU16String(), {}};
    const jw::rtf::CharFormat formats[] = {
        {"Arial", 24}, {"Greek Font", 17, true}, {"DejaVu Sans", 30, false, true, true, "https://example.org/a?b=c#d"}};
    for (std::size_t k = 0; k < 3; ++k)
        doc.runs.push_back({k * 40, k < 2 ? 40 : doc.text.size() - 80, formats[k]});
    std::ofstream("ours.rtf", std::ios::binary) << jw::rtf::writeRtf(doc);
    const auto [code, out] =
        jwtest::run(u"soffice"_s, {u"-env:UserInstallation=file://"_s + QDir::currentPath() + u"/lo"_s, u"--headless"_s,
                                   u"--convert-to"_s, u"rtf"_s, u"--outdir"_s, u"lo-out"_s, u"ours.rtf"_s});
    ASSERT_EQ(code, 0) << out.toStdString();
    // The same characters, and the same formats and links on letters of the scripts
    // LibreOffice formats with \f and \fs (it keeps Hebrew, Arabic, Thai and CJK formats apart).
    const jw::rtf::Document back = readRtf(readFile("lo-out/ours.rtf"));
    ASSERT_EQ(utf8(back.text), utf8(doc.text));
    const auto formatAt = [](const jw::rtf::Document &d, std::size_t pos) {
        return std::find_if(d.runs.begin(), d.runs.end(), [&](const auto &r) { return pos < r.start + r.length; })
            ->format;
    };
    for (std::size_t i = 0; i < doc.text.size(); ++i)
        if (QChar(doc.text[i]).isLetter() && doc.text[i] < 0x0590) {
            ASSERT_EQ(formatAt(back, i), formatAt(doc, i)) << "at " << i << " in " << runsOf(back);
        }
}

TEST_F(RtfTools, RtfdumpShowsPagesAsJsonAndWritesThemBackOrSaysWhyNot)
{
    std::ofstream("page.rtf")
        << "{\\rtf1{\\fonttbl{\\f0 Ar\\'e9;}}\\f0\\fs17\\b Hi\\b0\\line \"q\"\\tab\\\\\\u-10179?\\u-8704?\\u1?\\par}";
    std::ofstream("gaps.json")
        << R"({"text": "abcdef", "runs": [{"start": 2, "length": 2, "font": "X", "size": 10, "bold": true}]})";
    std::ofstream("bad.json") << R"({"text": )";
    std::ofstream("neg.json") << R"({"text": "ab", "runs": [{"start": -1, "length": 1}]})";
    const auto dump = [](const char *args) {
        const auto [code, out] =
            jwtest::run(QStringLiteral(JW_RTFDUMP), QString::fromLatin1(args).split(u' ', Qt::SkipEmptyParts));
        return std::pair(code, out.toStdString());
    };
    EXPECT_EQ(
        dump("page.rtf"),
        std::pair(0, std::string("{\"text\": \"Hi\\n\\\"q\\\"\\t\\\\\xF0\x9F\x98\x80\\u0001\", \"runs\": ["
                                 "{\"start\": 0, \"length\": 2, \"font\": \"Ar\xC3\xA9\", \"size\": 8.5, \"bold\": "
                                 "true, \"italic\": false, \"underline\": false}, "
                                 "{\"start\": 2, \"length\": 9, \"font\": \"Ar\xC3\xA9\", \"size\": 8.5, \"bold\": "
                                 "false, \"italic\": false, \"underline\": false}]}\n")));
    const auto [code, rtf] = dump("--to-rtf gaps.json");
    EXPECT_EQ(std::pair(code, runsOf(readRtf(rtf))), std::pair(0, std::string("2::24:; 2:X:20:b; 2::24:")));
    for (const char *bad : {"no-such-file.rtf", "--to-rtf bad.json", "--to-rtf neg.json", "--to-rtf no-such.json", ""})
        EXPECT_EQ(dump(bad), std::pair(*bad ? 1 : 2, std::string())) << bad;
}
