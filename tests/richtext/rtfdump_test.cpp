// The rtfdump tool, run as a separate program both ways.

#include "docgen.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <fstream>
#include <iterator>

using namespace Qt::StringLiterals;

namespace {

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Result runDump(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(JW_RTFDUMP), args);
    EXPECT_TRUE(p.waitForFinished(30000)) << "rtfdump did not finish";
    return Result{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                  p.readAllStandardError()};
}

void writeFile(const char *name, std::string_view bytes)
{
    std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

TEST(RtfDump, PrintsThePageAsJson)
{
    writeFile("page.rtf", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs17\\b Hi\\b0\\line \"q\"\\tab\\\\\\par}");
    const Result r = runDump({u"page.rtf"_s});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(),
              "{\"text\": \"Hi\\n\\\"q\\\"\\t\\\\\", \"runs\": ["
              "{\"start\": 0, \"length\": 2, \"font\": \"Arial\", \"size\": 8.5, \"bold\": true, \"italic\": false, \"underline\": false}, "
              "{\"start\": 2, \"length\": 6, \"font\": \"Arial\", \"size\": 8.5, \"bold\": false, \"italic\": false, \"underline\": false}]}\n");
}

TEST(RtfDump, OffsetsCountUtf16UnitsAndMatchTheReader)
{
    std::ifstream in(JW_RTF_DATA_DIR "/textedit.rtf", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const jw::rtf::Document doc = jw::rtf::readRtf(bytes);

    const Result r = runDump({QStringLiteral(JW_RTF_DATA_DIR "/textedit.rtf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    const QString text = o.value(u"text"_s).toString();
    EXPECT_EQ(std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), text.size()), doc.text);
    const QJsonArray runs = o.value(u"runs"_s).toArray();
    ASSERT_EQ(static_cast<std::size_t>(runs.size()), doc.runs.size());
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const QJsonObject run = runs[i].toObject();
        const jw::rtf::Run &want = doc.runs[static_cast<std::size_t>(i)];
        EXPECT_EQ(run.value(u"start"_s).toInteger(), static_cast<qint64>(want.start));
        EXPECT_EQ(run.value(u"length"_s).toInteger(), static_cast<qint64>(want.length));
        EXPECT_EQ(run.value(u"font"_s).toString().toStdString(), want.format.font);
        EXPECT_EQ(run.value(u"size"_s).toDouble() * 2, want.format.halfPoints);
        EXPECT_EQ(run.value(u"bold"_s).toBool(), want.format.bold);
        EXPECT_EQ(run.value(u"italic"_s).toBool(), want.format.italic);
        EXPECT_EQ(run.value(u"underline"_s).toBool(), want.format.underline);
    }
    // The emoji is two units: the last run ends exactly at the text's UTF-16 length.
    EXPECT_EQ(runs.last().toObject().value(u"start"_s).toInteger() + runs.last().toObject().value(u"length"_s).toInteger(),
              text.size());
}

TEST(RtfDump, JsonToRtfGoesThroughTheWriter)
{
    writeFile("page.json",
              "{\"text\": \"Bold \\u00e9\\ud83d\\ude00\\nnext\", \"runs\": ["
              "{\"start\": 0, \"length\": 4, \"font\": \"Arial\", \"size\": 8.5, \"bold\": true, \"italic\": false, \"underline\": false},"
              "{\"start\": 4, \"length\": 9, \"font\": \"Caf\\u00e9\", \"size\": 12, \"bold\": false, \"italic\": true, \"underline\": true}]}");
    const Result r = runDump({u"--to-rtf"_s, u"page.json"_s});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const std::string rtf = r.out.toStdString();
    for (char c : rtf)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80u);
    jw::rtf::Document want{u"Bold \u00E9\U0001F600\nnext", {}};
    want.runs.push_back({0, 4, {"Arial", 17, true, false, false}});
    want.runs.push_back({4, 9, {"Caf\xC3\xA9", 24, false, true, true}});
    EXPECT_EQ(jw::rtf::writeRtf(want), rtf);
    EXPECT_EQ(jw::rtf::readRtf(rtf), want);
}

TEST(RtfDump, BothWaysGiveTheSamePage)
{
    const Result dump = runDump({QStringLiteral(JW_RTF_DATA_DIR "/libreoffice.rtf")});
    ASSERT_EQ(dump.exitCode, 0);
    writeFile("dumped.json", dump.out.toStdString());
    const Result back = runDump({u"--to-rtf"_s, u"dumped.json"_s});
    ASSERT_EQ(back.exitCode, 0) << back.err.toStdString();
    writeFile("again.rtf", back.out.toStdString());
    const Result again = runDump({u"again.rtf"_s});
    EXPECT_EQ(again.out, dump.out);
}

TEST(RtfDump, RunsMissingFromJsonGetTheDefaultFormat)
{
    writeFile("gaps.json", "{\"text\": \"abcdef\", \"runs\": [{\"start\": 2, \"length\": 2, \"font\": \"X\", \"size\": 10, "
                           "\"bold\": true, \"italic\": false, \"underline\": false}]}");
    const Result r = runDump({u"--to-rtf"_s, u"gaps.json"_s});
    ASSERT_EQ(r.exitCode, 0);
    const jw::rtf::Document doc = jw::rtf::readRtf(r.out.toStdString());
    EXPECT_EQ(doc.text, u"abcdef");
    EXPECT_EQ(jwtest::formatAt(doc, 0), jw::rtf::CharFormat{});
    EXPECT_EQ(jwtest::formatAt(doc, 2), (jw::rtf::CharFormat{"X", 20, true, false, false}));
    EXPECT_EQ(jwtest::formatAt(doc, 5), jw::rtf::CharFormat{});
}

TEST(RtfDump, ErrorsAreReported)
{
    const Result missing = runDump({u"no-such-file.rtf"_s});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("no-such-file.rtf")) << missing.err.toStdString();
    EXPECT_TRUE(missing.out.isEmpty());

    writeFile("bad.json", "{\"text\": ");
    const Result bad = runDump({u"--to-rtf"_s, u"bad.json"_s});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.out.isEmpty());

    writeFile("neg.json", "{\"text\": \"ab\", \"runs\": [{\"start\": -1, \"length\": 1}]}");
    EXPECT_EQ(runDump({u"--to-rtf"_s, u"neg.json"_s}).exitCode, 1);

    EXPECT_EQ(runDump({}).exitCode, 2);
}
