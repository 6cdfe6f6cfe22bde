// Printing the current page or its selection, through Qt's print dialog,
// into real PDF files read back with poppler's tools.
#include "searchwindows_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>

using namespace jw;
using namespace jwtest;

namespace {

/// Runs a poppler tool on `pdf` and returns what it printed.
QString poppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(tool);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString &pdf) { return poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}); }

int pdfPages(const QString &pdf)
{
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(QLatin1StringView("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

QString pdfFonts(const QString &pdf) { return poppler(QStringLiteral("pdffonts"), {pdf}); }

/// What the print dialog showed when it opened.
struct DialogState {
    bool seen = false;
    bool selectionOption = false;
    bool pageRangeOption = true;
    bool selectionPreset = false;
    bool allPreset = false;
    bool pageRangeChoosable = true;
};

class PrintTest : public MainWindowFixture {
protected:
    enum class Choice { Keep, All, Selection, Cancel };

    /// Print (Ctrl+P in the editor), answering the dialog: print to `pdf`
    /// with the range `choice`, or cancel.
    DialogState print(const QString &pdf, Choice choice)
    {
        DialogState state;
        ModalWatch watch = watchModal<QPrintDialog>([&](QPrintDialog &d) {
            state.seen = true;
            state.selectionOption = d.testOption(QAbstractPrintDialog::PrintSelection);
            state.pageRangeOption = d.testOption(QAbstractPrintDialog::PrintPageRange);
            auto *all = d.findChild<QRadioButton *>(QStringLiteral("printAll"));
            auto *selection = d.findChild<QRadioButton *>(QStringLiteral("printSelection"));
            auto *range = d.findChild<QRadioButton *>(QStringLiteral("printRange"));
            ASSERT_TRUE(all && selection && range);
            state.selectionPreset = selection->isChecked() && !selection->isHidden();
            state.allPreset = all->isChecked();
            state.pageRangeChoosable = range->isEnabled() && !range->isHidden();

            // Print into a file: the one printer there always is.
            auto *printers = d.findChild<QComboBox *>(QStringLiteral("printers"));
            ASSERT_NE(printers, nullptr);
            const int toFile = printers->findText(QStringLiteral("Print to File (PDF)"));
            ASSERT_GE(toFile, 0);
            printers->setCurrentIndex(toFile);
            auto *file = d.findChild<QLineEdit *>(QStringLiteral("filename"));
            ASSERT_NE(file, nullptr);
            file->setText(pdf);
            switch (choice) {
            case Choice::Keep: break;
            case Choice::All: all->click(); break;
            case Choice::Selection: selection->click(); break;
            case Choice::Cancel: d.reject(); return;
            }
            d.accept();
        });
        activate();
        m_window->txtPad->setFocus();
        QTest::keyClick(m_window->txtPad, Qt::Key_P, Qt::ControlModifier);
        EXPECT_TRUE(watch.seen());
        return state;
    }

    QString pdf(const QString &name = QStringLiteral("out.pdf")) const { return path(name); }

    rtf::Document threeWords() const
    {
        return page({{QStringLiteral("alpha "), plain()}, {QStringLiteral("beta"), bold()},
                     {QStringLiteral(" gamma"), plain()}});
    }
};

TEST_F(PrintTest, WithASelectionTheDialogPresetsItAndOnlyTheSelectionIsPrinted)
{
    start();
    setPage(threeWords());
    selectText(6, 4);
    const DialogState dialog = print(pdf(), Choice::Keep);
    EXPECT_TRUE(dialog.selectionOption);
    EXPECT_TRUE(dialog.selectionPreset);
    EXPECT_FALSE(dialog.allPreset);
    EXPECT_FALSE(dialog.pageRangeOption);
    EXPECT_FALSE(dialog.pageRangeChoosable);

    ASSERT_TRUE(QFileInfo::exists(pdf()));
    EXPECT_EQ(pdfText(pdf()).simplified(), QStringLiteral("beta"));
    EXPECT_EQ(pdfPages(pdf()), 1);
    // Printed with its formatting: the word is bold.
    EXPECT_TRUE(pdfFonts(pdf()).contains(QStringLiteral("Bold"))) << pdfFonts(pdf()).toStdString();
    // The user's selection is still there.
    EXPECT_EQ(m_window->txtPad->SelStart(), 6);
    EXPECT_EQ(m_window->txtPad->SelLength(), 4);
}

TEST_F(PrintTest, ChoosingTheWholePageInTheDialogPrintsTheWholePage)
{
    start();
    setPage(threeWords());
    selectText(6, 4);
    const DialogState dialog = print(pdf(), Choice::All);
    EXPECT_TRUE(dialog.selectionPreset);
    ASSERT_TRUE(QFileInfo::exists(pdf()));
    EXPECT_EQ(pdfText(pdf()).simplified(), QStringLiteral("alpha beta gamma"));
    EXPECT_EQ(m_window->txtPad->SelStart(), 6);
    EXPECT_EQ(m_window->txtPad->SelLength(), 4);
}

TEST_F(PrintTest, WithoutASelectionTheWholePageIsPrintedWithNothingAdded)
{
    start();
    setPage(page({{QStringLiteral("one line\nsecond "), plain()},
                  {QStringLiteral("bold"), bold()},
                  {QStringLiteral(" line"), italic()}}));
    const DialogState dialog = print(pdf(), Choice::Keep);
    EXPECT_FALSE(dialog.selectionOption);
    EXPECT_FALSE(dialog.selectionPreset);
    EXPECT_TRUE(dialog.allPreset);
    EXPECT_FALSE(dialog.pageRangeChoosable);
    ASSERT_TRUE(QFileInfo::exists(pdf()));
    // Exactly the page: no title, date, header or page number.
    EXPECT_EQ(pdfText(pdf()).simplified(), QStringLiteral("one line second bold line"));
    EXPECT_EQ(pdfPages(pdf()), 1);
    const QString fonts = pdfFonts(pdf());
    EXPECT_TRUE(fonts.contains(QStringLiteral("Bold"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("Serif"))) << fonts.toStdString();
}

TEST_F(PrintTest, ALongPageIsPrintedPageAfterPageInOneJob)
{
    start();
    QString text;
    for (int i = 1; i <= 200; ++i)
        text += QStringLiteral("line %1\n").arg(i);
    text += QStringLiteral("the end");
    setPage(page(text));
    print(pdf(), Choice::Keep);
    ASSERT_TRUE(QFileInfo::exists(pdf()));
    EXPECT_GT(pdfPages(pdf()), 1);
    const QString printed = pdfText(pdf());
    for (int i = 1; i <= 200; ++i)
        EXPECT_TRUE(printed.contains(QStringLiteral("line %1\n").arg(i))) << i;
    EXPECT_TRUE(printed.contains(QStringLiteral("the end")));
    EXPECT_FALSE(printed.contains(QStringLiteral("Page ")));
}

TEST_F(PrintTest, AnEmptyPagePrintsAnEmptyJob)
{
    start();
    setPage(rtf::Document{});
    print(pdf(), Choice::Keep);
    ASSERT_TRUE(QFileInfo::exists(pdf()));
    EXPECT_EQ(pdfPages(pdf()), 1);
    EXPECT_TRUE(pdfText(pdf()).trimmed().isEmpty());
}

TEST_F(PrintTest, CancellingTheDialogPrintsNothing)
{
    start();
    setPage(threeWords());
    const DialogState withoutSelection = print(pdf(), Choice::Cancel);
    EXPECT_TRUE(withoutSelection.seen);
    selectText(0, 5);
    const DialogState withSelection = print(pdf(), Choice::Cancel);
    EXPECT_TRUE(withSelection.selectionPreset);
    settle();
    EXPECT_FALSE(QFileInfo::exists(pdf()));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PrintTest, APrintoutThatCannotBeWrittenIsReported)
{
    start();
    setPage(threeWords());
    const QString target = QStringLiteral("/proc/jotwell-print.pdf");
    SeenMessage message;
    ModalWatch told = watchMessage(message);
    print(target, Choice::Keep);
    ASSERT_TRUE(told.seen());
    EXPECT_EQ(message.text, QStringLiteral("The page could not be printed to \"%1\".").arg(target));
    EXPECT_EQ(message.title, QStringLiteral("Jotwell Pro"));
    EXPECT_FALSE(QFileInfo::exists(target));
}

} // namespace
