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
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace jw;
using namespace jwtest;
using namespace Qt::StringLiterals;
using namespace std::string_literals;

namespace {

/// What a tool prints, trimmed.
QString output(const QString &tool, const QStringList &arguments) { return run(tool, arguments).second.trimmed(); }

/// Prints by `command` through its dialog into `pdf`, or cancels it when
/// `pdf` is empty; whether the dialog came with the selection chosen.
bool printThrough(QAction *command, const QString &pdf)
{
    auto selectionPreset = std::make_shared<bool>(false);
    onNextModal([=](QWidget *modal) {
        auto *dialog = qobject_cast<QPrintDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        *selectionPreset = dialog->findChild<QRadioButton *>(u"printSelection"_s)->isChecked();
        if (pdf.isEmpty())
            return dialog->reject();
        auto *printers = dialog->findChild<QComboBox *>(u"printers"_s);
        printers->setCurrentIndex(printers->findText(u"Print to File (PDF)"_s));
        dialog->findChild<QLineEdit *>(u"filename"_s)->setText(pdf);
        dialog->accept();
    });
    command->trigger();
    return *selectionPreset;
}

TEST_F(MainWindowTest, PrintingPrintsTheSelectionOrTheWholePageAndCancelPrintsNothing)
{
    start();
    txtPad->setText(u"alpha beta gamma"_s);
    for (const auto &[length, printed] : {std::pair(4, u"beta"_s), std::pair(0, u"alpha beta gamma"_s)}) {
        txtPad->setSelStart(length ? 6 : 0);
        txtPad->setSelLength(length);
        EXPECT_EQ(printThrough(action("mnuPrint"), here(printed + u".pdf"_s)), length > 0);
        EXPECT_EQ(output(u"pdftotext"_s, {here(printed + u".pdf"_s), u"-"_s}), printed);
    }
    // The job is named after the page; the text starts 2 cm (56.7 points) and the page's own
    // margin (4 pixels, 3 points) in from the paper's corner.
    const QString pdf = here(u"alpha beta gamma.pdf"_s), title = oTabs->caption(oTabs->selectedIndex());
    EXPECT_TRUE(!title.isEmpty() && output(u"pdfinfo"_s, {pdf}).contains(u"Title:           "_s + title))
        << title.toStdString();
    const QRegularExpressionMatch word = QRegularExpression(u"xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\""_s)
                                             .match(output(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s}));
    ASSERT_TRUE(word.hasMatch());
    EXPECT_NEAR(word.captured(1).toDouble(), 59.7, 1.5);
    EXPECT_NEAR(word.captured(2).toDouble(), 59.7, 6);

    printThrough(action("mnuPrint"), {});
    EXPECT_EQ(QDir::current().entryList({u"*.pdf"_s}).size(), 2);
}

/// Saves by `command` through its dialog, with `name` typed in `folder` once it
/// is listed, or cancels it when `name` is empty; `then` runs just before the
/// name is entered. Returns the name the dialog offered.
QString saveAs(QAction *command, const QString &folder, const QString &name, const std::function<void()> &then = {})
{
    auto offered = std::make_shared<QString>();
    onNextModal([=](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        auto *box = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s);
        *offered = box->text();
        if (name.isEmpty())
            return dialog->reject();
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
    command->trigger();
    return *offered;
}

TEST_F(MainWindowTest, SaveAsExportsThePageElsewhereAndCancelWritesNothing)
{
    start();
    txtPad->setFromDocument(page(u"exported", true));
    QTemporaryDir elsewhere;
    saveAs(action("mnuSaveAs"), elsewhere.path(), u"export"_s);
    EXPECT_EQ(loadRtfFile(elsewhere.filePath(u"export.rtf"_s)), page(u"exported", true));
    EXPECT_EQ(pageText(u"Notes.rtf"_s), u""); // the page's own file is untouched
    EXPECT_EQ(QDir::currentPath(), QDir(here(u"."_s)).canonicalPath());

    txtPad->setText(u"changed"_s);
    EXPECT_EQ(saveAs(action("mnuSaveAs"), {}, {}), u"export.rtf"); // the previous name comes back
    EXPECT_EQ(loadRtfFile(elsewhere.filePath(u"export.rtf"_s)), page(u"exported", true));
    saveAs(action("mnuSaveAs"), elsewhere.path(), u"export"_s,
           [] { onNextModal([](QWidget *box) { clickButton(box, u"&Yes"_s); }); });
    EXPECT_EQ(pageText(elsewhere.filePath(u"export.rtf"_s)), u"changed");
    EXPECT_TRUE(PageHistory().pages(QDir::currentPath()).isEmpty()); // a file of no page: no history
}

TEST_F(MainWindowTest, SaveAsOverAPagesFileNamesThePageAndKeepsItsText)
{
    writePage(u"Welcome.rtf"_s, page(u"welcome text"));
    start();
    txtPad->setText(u"notes text"_s);
    QString asked;
    saveAs(action("mnuSaveAs"), QDir::currentPath(), u"Welcome"_s, [&asked] {
        onNextModal([&asked](QWidget *modal) {
            asked = static_cast<QMessageBox *>(modal)->text();
            clickButton(modal, u"&Replace"_s);
        });
    });
    EXPECT_TRUE(asked.contains(u"the page \"Welcome\""_s)) << asked.toStdString();
    EXPECT_EQ(pageText(u"Welcome.rtf"_s), u"notes text");
    const PageHistory history;
    ASSERT_TRUE(waitUntil([&] { return !history.versions(QDir::currentPath(), u"Welcome"_s).isEmpty(); }));
    const PageHistory::Version kept = history.versions(QDir::currentPath(), u"Welcome"_s)[0];
    EXPECT_EQ(std::pair(kept.reason, PageHistory::read(kept).text),
              std::pair(PageHistory::Reason::SavedAs, u"welcome text"s));
}

} // namespace
