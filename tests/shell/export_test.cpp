// Save As and printing: exported files read back, printouts as real PDF files.
#include "pages/pagehistory.h"
#include "richtext/rtffile.h"
#include "support/mainwindow.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;
using namespace std::string_literals;

namespace {

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(u"pdftotext"_s, {pdf, u"-"_s});
    return process.waitForFinished(60000) ? QString::fromUtf8(process.readAllStandardOutput()).trimmed() : QString();
}

/// Answers the print dialog: print into `pdf`, or cancel when it is empty.
void answerPrintDialog(const QString &pdf, bool *selectionPreset)
{
    onNextModal([=](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        *selectionPreset = dialog->findChild<QRadioButton *>(u"printSelection"_s)->isChecked();
        if (pdf.isEmpty()) {
            dialog->reject();
            return;
        }
        auto *printers = dialog->findChild<QComboBox *>(u"printers"_s);
        printers->setCurrentIndex(printers->findText(u"Print to File (PDF)"_s));
        dialog->findChild<QLineEdit *>(u"filename"_s)->setText(pdf);
        dialog->accept();
    });
}

TEST_F(MainWindowTest, PrintingPrintsTheSelectionOrTheWholePageAndCancelPrintsNothing)
{
    start();
    txtPad->setText(u"alpha beta gamma"_s);
    for (const auto &[length, printed] : {std::pair(4, u"beta"_s), std::pair(0, u"alpha beta gamma"_s)}) {
        txtPad->setSelStart(length ? 6 : 0);
        txtPad->setSelLength(length);
        bool preset = false;
        answerPrintDialog(here(printed + u".pdf"_s), &preset);
        action("mnuPrint")->trigger();
        EXPECT_EQ(preset, length > 0);
        EXPECT_EQ(pdfText(here(printed + u".pdf"_s)), printed);
    }
    // The job is named after the page; the text starts 2 cm (56.7 points) and the page's own
    // margin (4 pixels, 3 points) in from the paper's corner.
    QProcess info;
    info.start(u"pdfinfo"_s, {here(u"alpha beta gamma.pdf"_s)});
    ASSERT_TRUE(info.waitForFinished(60000));
    const QString title = oTabs->caption(oTabs->selectedIndex());
    EXPECT_FALSE(title.isEmpty());
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(u"Title:           "_s + title));
    info.start(u"pdftotext"_s, {u"-bbox"_s, here(u"alpha beta gamma.pdf"_s), u"-"_s});
    ASSERT_TRUE(info.waitForFinished(60000));
    const QRegularExpressionMatch word = QRegularExpression(u"xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\""_s)
                                             .match(QString::fromUtf8(info.readAllStandardOutput()));
    EXPECT_NEAR(word.captured(1).toDouble(), 59.7, 1.5);
    EXPECT_NEAR(word.captured(2).toDouble(), 59.7, 6);
    bool preset = false;

    answerPrintDialog({}, &preset);
    action("mnuPrint")->trigger();
    EXPECT_EQ(QDir::current().entryList({u"*.pdf"_s}).size(), 2);
}

/// Answers the Save As dialog with `name` typed in `folder` once it is listed;
/// `then` runs just before the name is entered.
void answerSaveAs(const QString &folder, const QString &name, QString *offered, std::function<void()> then = {})
{
    onNextModal([=](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        auto *box = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        *offered = box->text();
        if (name.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(folder);
        auto *model = dialog->findChild<QFileSystemModel *>();
        // The listing arrives in the background and refreshes the name box as it does.
        waitUntil([&] {
            return model->rowCount(model->index(folder))
                   == QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size();
        });
        settle();
        if (then)
            then();
        box->setText(name);
        QTest::keyClick(box, Qt::Key_Return);
    });
}

TEST_F(MainWindowTest, SaveAsExportsThePageElsewhereAndCancelWritesNothing)
{
    start();
    txtPad->setFromDocument(page(u"exported", true));
    QTemporaryDir elsewhere;
    QString offered;
    answerSaveAs(elsewhere.path(), u"export"_s, &offered);
    action("mnuSaveAs")->trigger();
    EXPECT_EQ(loadRtfFile(elsewhere.filePath(u"export.rtf"_s)), page(u"exported", true));
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u""); // the page's own file is untouched
    EXPECT_EQ(QDir::currentPath(), QDir(here(u"."_s)).canonicalPath());

    answerSaveAs({}, {}, &offered);
    txtPad->setText(u"changed"_s);
    action("mnuSaveAs")->trigger();
    EXPECT_EQ(offered, u"export.rtf"); // the previous name comes back
    EXPECT_EQ(loadRtfFile(elsewhere.filePath(u"export.rtf"_s)), page(u"exported", true));
}

TEST_F(MainWindowTest, SaveAsOverAPagesFileNamesThePageAndKeepsItsText)
{
    writePage(u"Welcome.rtf"_s, page(u"welcome text"));
    start();
    txtPad->setText(u"notes text"_s);
    QString offered, asked;
    answerSaveAs(QDir::currentPath(), u"Welcome"_s, &offered, [&asked] {
        onNextModal([&asked](QWidget *modal) {
            asked = static_cast<QMessageBox *>(modal)->text();
            clickButton(modal, u"&Replace"_s);
        });
    });
    action("mnuSaveAs")->trigger();
    EXPECT_TRUE(asked.contains(u"the page \"Welcome\""_s)) << asked.toStdString();
    EXPECT_EQ(pageText(u"Welcome.rtf"_s), u"notes text");
    const PageHistory history;
    ASSERT_TRUE(waitUntil([&] { return !history.versions(QDir::currentPath(), u"Welcome"_s).isEmpty(); }));
    const PageHistory::Version kept = history.versions(QDir::currentPath(), u"Welcome"_s)[0];
    EXPECT_EQ(std::pair(kept.reason, PageHistory::read(kept).text),
              std::pair(PageHistory::Reason::SavedAs, u"welcome text"s));
}

} // namespace
