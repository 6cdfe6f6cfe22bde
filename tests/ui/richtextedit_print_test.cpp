// SelPrint into a real PDF, read back with pdftotext/pdfinfo/pdffonts.
#include "helpers.h"
#include "ui/richtextedit.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace jw::ui;
using namespace jw::ui::test;

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "poppler-utils not installed";
        edit.setFromDocument(makeDoc({{QStringLiteral("Heading above"), fmt("DejaVu Sans", 28, true)},
                                      {QStringLiteral("\nbody words here\u2028second line"), fmt("DejaVu Serif", 24)}}));
    }

    QString print(const QString &name)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(name);
        EXPECT_TRUE(edit.SelPrint(&printer));
        return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), name, QStringLiteral("-")});
    }

    int pages(const QString &name)
    {
        const QString info = run(QStringLiteral("pdfinfo"), {name});
        for (const QString &line : info.split(u'\n')) {
            if (line.startsWith(QStringLiteral("Pages:")))
                return line.mid(6).trimmed().toInt();
        }
        return -1;
    }

    RichTextEdit edit;
};

} // namespace

TEST_F(PrintTest, NothingSelectedPrintsEverythingAndNothingElse)
{
    const QString text = print(QStringLiteral("all.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Heading above"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("body words here")));
    EXPECT_TRUE(text.contains(QStringLiteral("second line")));
    // No page number or other additions.
    QString stripped = text;
    for (const QString &word : {QStringLiteral("Heading"), QStringLiteral("above"), QStringLiteral("body"),
                                QStringLiteral("words"), QStringLiteral("here"), QStringLiteral("second"),
                                QStringLiteral("line")})
        stripped.remove(word);
    EXPECT_TRUE(stripped.trimmed().isEmpty()) << stripped.toStdString();
    EXPECT_EQ(pages(QStringLiteral("all.pdf")), 1);
    // The bold heading is printed in a bold face.
    const QString fonts = run(QStringLiteral("pdffonts"), {QStringLiteral("all.pdf")});
    EXPECT_TRUE(fonts.contains(QStringLiteral("Bold"))) << fonts.toStdString();
}

TEST_F(PrintTest, ASelectionPrintsOnlyItself)
{
    edit.setSelStart(14);
    edit.setSelLength(10); // "body words"
    const QString text = print(QStringLiteral("sel.pdf"));
    EXPECT_EQ(text.trimmed(), QStringLiteral("body words"));
    // The selection is still there afterwards.
    EXPECT_EQ(edit.SelText(), QStringLiteral("body words"));
}

TEST_F(PrintTest, ALongPageIsOneJobOfSeveralPagesWithNoLineLost)
{
    QString all;
    for (int i = 1; i <= 150; ++i)
        all += QStringLiteral("line number %1\n").arg(i);
    edit.setFromDocument(makeDoc({{all, fmt("DejaVu Sans", 24)}}));
    const QString text = print(QStringLiteral("long.pdf"));
    EXPECT_GT(pages(QStringLiteral("long.pdf")), 2);
    qsizetype at = 0;
    for (int i = 1; i <= 150; ++i) {
        const qsizetype found = text.indexOf(QStringLiteral("line number %1\n").arg(i), at);
        ASSERT_GE(found, 0) << "line " << i << " missing or out of order";
        at = found;
    }
}
