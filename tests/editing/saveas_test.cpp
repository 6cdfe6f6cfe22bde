// File > Save As: exporting the current page to a file the user picks.
#include "searchwindows_fixture.h"

#include "pages/pagelist.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QFileSystemModel>
#include <QListView>

using namespace jw;
using namespace jwtest;

namespace {

class SaveAsTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(m_elsewhere.isValid());
    }

    /// Save As, with `inside` driving the open dialog; returns whether it came.
    bool saveAs(const std::function<void(QFileDialog &)> &inside)
    {
        ModalWatch watch = watchModal<QFileDialog>(inside);
        m_window->mnuSaveAs_Click();
        return watch.seen();
    }

    /// Types `name` into the name box of the dialog, opened on `folder`
    /// once it lists that folder in full, and presses Enter.
    static void enterName(QFileDialog &d, const QString &folder, const QString &name)
    {
        auto *model = d.findChild<QFileSystemModel *>();
        ASSERT_NE(model, nullptr);
        d.setDirectory(folder);
        // The listing is read in the background and refreshes the name box as it arrives.
        auto listed = [&] {
            const QDir dir(folder);
            const qsizetype shown = dir.entryList(QDir::AllDirs | QDir::NoDotAndDotDot).size() +
                                    dir.entryList({QStringLiteral("*.rtf"), QStringLiteral("*.RTF")}, QDir::Files).size();
            return model->rowCount(model->index(folder)) == shown;
        };
        ASSERT_TRUE(waitUntil(listed));
        settle();
        auto *box = d.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(box, nullptr);
        box->clear();
        QTest::keyClicks(box, name);
        QTest::keyClick(box, Qt::Key_Return);
    }

    /// Save As, typing `name` into the dialog opened on `folder`.
    bool saveAsTyped(const QString &folder, const QString &name)
    {
        return saveAs([&](QFileDialog &d) { enterName(d, folder, name); });
    }

    rtf::Document formattedPage() const
    {
        return page({{QStringLiteral("plain start "), plain()},
                     {QStringLiteral("bold middle"), bold()},
                     {QStringLiteral("\nitalic end"), italic()}});
    }

    QTemporaryDir m_elsewhere;
};

TEST_F(SaveAsTest, ExportsTheEditorsRichTextAndTouchesNothingElse)
{
    frmMain &w = start();
    setPage(formattedPage());
    const rtf::Document shown = w.txtPad->toDocument();
    ASSERT_EQ(shown, formattedPage());
    const QByteArray pageFileBefore = bytes(path(QStringLiteral("Notes.rtf")));
    const auto listBefore = m_store->readSection(kApp, kTabsSection);
    const QString folderBefore = QDir::currentPath();
    const QStringList entriesBefore = folderEntries();

    // A name typed without extension gets ".rtf".
    ASSERT_TRUE(saveAsTyped(m_elsewhere.path(), QStringLiteral("export")));
    const QString exported = m_elsewhere.filePath(QStringLiteral("export.rtf"));
    ASSERT_TRUE(QFileInfo::exists(exported));
    EXPECT_EQ(loadRtfFile(exported), shown);
    EXPECT_EQ(QDir(m_elsewhere.path()).entryList(QDir::Files), QStringList{QStringLiteral("export.rtf")});

    EXPECT_EQ(QDir::currentPath(), folderBefore);
    EXPECT_EQ(folderEntries(), entriesBefore);
    EXPECT_EQ(bytes(path(QStringLiteral("Notes.rtf"))), pageFileBefore);
    EXPECT_EQ(m_store->readSection(kApp, kTabsSection), listBefore);
    EXPECT_EQ(w.currentPageFile(), QStringLiteral("Notes.rtf"));
    EXPECT_EQ(w.oTabs->count(), 2);
    // The editor keeps its text, selection and unsaved state.
    EXPECT_EQ(w.txtPad->toDocument(), shown);

    // Leaving the page writes its own file in the current folder as usual;
    // the export keeps the text of the moment it was made.
    w.txtPad->setSelStart(0);
    QTest::keyClicks(w.txtPad, QStringLiteral("later "));
    clickTab(1);
    EXPECT_EQ(loadRtfFile(path(QStringLiteral("Notes.rtf"))).text, u"later plain start bold middle\nitalic end");
    EXPECT_EQ(loadRtfFile(exported), shown);
    EXPECT_FALSE(QFileInfo::exists(m_elsewhere.filePath(QStringLiteral("Notes.rtf"))));
}

TEST_F(SaveAsTest, TheDialogOffersRichTextFilesAndThenThePreviousName)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("first")));
    QFile(m_elsewhere.filePath(QStringLiteral("upper.RTF"))).open(QIODevice::WriteOnly);
    QFile(m_elsewhere.filePath(QStringLiteral("lower.rtf"))).open(QIODevice::WriteOnly);
    QFile(m_elsewhere.filePath(QStringLiteral("other.txt"))).open(QIODevice::WriteOnly);

    QStringList listed;
    ASSERT_TRUE(saveAs([&](QFileDialog &d) {
        EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(d.nameFilters(), QStringList{QStringLiteral("Rich Text Format (*.rtf)")});
        EXPECT_EQ(d.defaultSuffix(), QStringLiteral("rtf"));
        EXPECT_TRUE(d.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text().isEmpty());
        d.setDirectory(m_elsewhere.path());
        auto *view = d.findChild<QListView *>(QStringLiteral("listView"));
        ASSERT_NE(view, nullptr);
        waitUntil([&] { return view->model()->rowCount(view->rootIndex()) >= 2; });
        settle();
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
        d.reject();
    }));
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("lower.rtf"), QStringLiteral("upper.RTF")}));

    ASSERT_TRUE(saveAsTyped(m_elsewhere.path(), QStringLiteral("chosen.rtf")));
    const QString chosen = m_elsewhere.filePath(QStringLiteral("chosen.rtf"));
    ASSERT_EQ(loadRtfFile(chosen).text, u"first");

    // The next Save As opens with that name; cancelling it writes nothing.
    setPage(page(QStringLiteral("second")));
    ASSERT_TRUE(saveAs([&](QFileDialog &d) {
        EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(m_elsewhere.path()).canonicalPath());
        EXPECT_EQ(d.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text(), QStringLiteral("chosen.rtf"));
        ASSERT_EQ(d.selectedFiles().size(), 1);
        EXPECT_EQ(QFileInfo(d.selectedFiles().first()).canonicalFilePath(), QFileInfo(chosen).canonicalFilePath());
        d.reject();
    }));
    EXPECT_EQ(loadRtfFile(chosen).text, u"first");
    EXPECT_EQ(w.sSaveAsName, chosen);
}

TEST_F(SaveAsTest, CancellingTheFirstSaveAsWritesNothing)
{
    start();
    setPage(page(QStringLiteral("text")));
    const QStringList before = folderEntries();
    ASSERT_TRUE(saveAs([](QFileDialog &d) { d.reject(); }));
    EXPECT_EQ(folderEntries(), before);
    EXPECT_TRUE(QDir(m_elsewhere.path()).isEmpty());
    // The close box cancels the same way.
    ASSERT_TRUE(saveAs([](QFileDialog &d) { d.close(); }));
    EXPECT_EQ(folderEntries(), before);
    EXPECT_TRUE(m_window->sSaveAsName.isEmpty());
}

TEST_F(SaveAsTest, AnExistingFileIsReplacedAfterTheUserAgrees)
{
    start();
    const QString target = m_elsewhere.filePath(QStringLiteral("old.rtf"));
    saveRtfFile(target, page(QStringLiteral("old content")));
    setPage(formattedPage());

    // Declining the question keeps the old file.
    SeenMessage question;
    bool stillOpen = false;
    ASSERT_TRUE(saveAs([&](QFileDialog &d) {
        ModalWatch asked = watchModal<QMessageBox>([&](QMessageBox &box) {
            question.text = box.text();
            box.button(QMessageBox::No)->click();
        });
        enterName(d, m_elsewhere.path(), QStringLiteral("old.rtf"));
        EXPECT_TRUE(asked.seen());
        stillOpen = d.isVisible();
    }));
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(question.text.contains(QStringLiteral("old.rtf")));
    EXPECT_EQ(loadRtfFile(target).text, u"old content");
    EXPECT_TRUE(m_window->sSaveAsName.isEmpty());

    ASSERT_TRUE(saveAs([&](QFileDialog &d) {
        ModalWatch asked = watchModal<QMessageBox>([](QMessageBox &box) { box.button(QMessageBox::Yes)->click(); });
        enterName(d, m_elsewhere.path(), QStringLiteral("old.rtf"));
        EXPECT_TRUE(asked.seen());
    }));
    EXPECT_EQ(loadRtfFile(target), formattedPage());
}

TEST_F(SaveAsTest, AFailedExportNamesTheFileAndTheReason)
{
    frmMain &w = start();
    setPage(page(QStringLiteral("cannot go there")));
    const QByteArray pageFileBefore = bytes(path(QStringLiteral("Notes.rtf")));
    // Not even root may create files here.
    const QString target = QStringLiteral("/proc/sys/jotwell-export.rtf");
    const QStringList entriesBefore = folderEntries();
    SeenMessage message;
    ModalWatch told = watchMessage(message);
    ASSERT_TRUE(saveAs([](QFileDialog &d) { enterName(d, QStringLiteral("/proc/sys"), QStringLiteral("jotwell-export.rtf")); }));
    ASSERT_TRUE(told.seen());
    EXPECT_EQ(message.title, QStringLiteral("Jotwell Pro"));
    const QString prefix = QStringLiteral("The page could not be exported to \"%1\": ").arg(target);
    EXPECT_TRUE(message.text.startsWith(prefix)) << message.text.toStdString();
    EXPECT_GT(message.text.size(), prefix.size() + 1) << "no reason given";
    EXPECT_EQ(message.buttons, 1);
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(w.txtPad->Text(), QStringLiteral("cannot go there"));
    EXPECT_EQ(bytes(path(QStringLiteral("Notes.rtf"))), pageFileBefore);
    EXPECT_EQ(folderEntries(), entriesBefore);
}

} // namespace
