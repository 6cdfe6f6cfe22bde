// Another program reads what the writer writes (unrtf, a weak but
// independent RTF reader from Debian).

#include "docgen.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <fstream>

using namespace Qt::StringLiterals;

namespace {

QByteArray unrtf(const QString &mode, const char *file)
{
    QProcess p;
    p.start(u"unrtf"_s, {mode, QString::fromLatin1(file)});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

} // namespace

TEST(RtfPeer, UnrtfSeesTheTextAndTheFormatting)
{
    if (QStandardPaths::findExecutable(u"unrtf"_s).isEmpty())
        GTEST_SKIP() << "unrtf is not installed";
    const jw::rtf::CharFormat plain{"Arial", 24, false, false, false};
    jw::rtf::CharFormat bold = plain;
    bold.bold = true;
    jw::rtf::CharFormat italic = plain;
    italic.italic = true;
    italic.font = "Times New Roman";
    jw::rtf::Document doc{u"Hello bold world\nSecond {para} back\\slash", {}};
    doc.runs = {{0, 6, plain}, {6, 4, bold}, {10, 6, italic}, {16, doc.text.size() - 16, plain}};
    const std::string rtf = jw::rtf::writeRtf(doc);
    std::ofstream("peer.rtf", std::ios::binary).write(rtf.data(), static_cast<std::streamsize>(rtf.size()));

    const QByteArray text = unrtf(u"--text"_s, "peer.rtf");
    EXPECT_TRUE(text.contains("Hello bold world\nSecond {para} back\\slash")) << text.toStdString();
    const QByteArray html = unrtf(u"--html"_s, "peer.rtf");
    EXPECT_TRUE(html.contains("<b>bold</b>")) << html.toStdString();
    EXPECT_TRUE(html.contains("<i> world")) << html.toStdString();
    EXPECT_TRUE(html.contains("Times New Roman")) << html.toStdString();
}
