#include "richtext/rtffile.h"
#include "pages/pagefiles.h"
#include "base/settingsstore.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>

using jw::IoError;
using jw::PageFiles;
using jw::SettingsStore;
using jw::rtf::CharFormat;
using jw::rtf::Document;
using jw::rtf::Run;
using jwtest::Child;
using namespace Qt::StringLiterals;

namespace {

/// A page with some formatting: plain, bold Arial 8.5 pt, underlined.
Document formattedPage(const std::u16string &text = u"Plain Bold\nUnder\u2028lined \u00e9\U0001F600")
{
    Document doc;
    doc.text = text;
    const std::size_t third = text.size() / 3;
    doc.runs = {Run{0, third, CharFormat{"Times New Roman", 24, false, false, false}},
                Run{third, third, CharFormat{"Arial", 17, true, false, false}},
                Run{2 * third, text.size() - 2 * third, CharFormat{"Arial", 17, false, true, true}}};
    return doc;
}

/// A page of roughly `bytes` bytes of RTF.
Document bigPage(std::size_t bytes)
{
    std::u16string text;
    while (text.size() < bytes)
        text += u"Some words on a line of the page.\n";
    return formattedPage(text);
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

std::string reasonOf(int error)
{
    return std::strerror(error);
}

#define EXPECT_IO_ERROR(statement, expectedReason)                                   \
    do {                                                                             \
        try {                                                                        \
            statement;                                                               \
            ADD_FAILURE() << #statement " did not fail";                             \
        } catch (const IoError &e) {                                                 \
            EXPECT_EQ(e.reason().toStdString(), std::string(expectedReason)) << e.what(); \
        }                                                                            \
    } while (false)

class PageFilesTest : public jwtest::TempFolderTest {
protected:
    PageFiles m_files; // the current folder, as the program uses it
};

// --- naming ----------------------------------------------------------------

TEST_F(PageFilesTest, PageFileIsTheTitleUnchangedPlusRtf)
{
    EXPECT_EQ(jw::pageFileName(u"Welcome"_s), u"Welcome.rtf"_s);
    // A tab without caption has the page file ".rtf".
    EXPECT_EQ(jw::pageFileName(QString()), u".rtf"_s);

    const QStringList titles{u"Shopping "_s,  u" Shopping"_s,  u"notes.v2.final"_s, u"日本語のメモ 😀"_s,
                             u"."_s,          u".."_s,         u"-rf"_s,            u"a*b?c<d>e|f:g\"h"_s,
                             u"Notes"_s,      u"notes"_s,      QString(),           u"tab\there"_s};
    for (const QString &title : titles) {
        const Document page = formattedPage(u"Page " + title.toStdU16String());
        m_files.writePage(jw::pageFileName(title), page);
        EXPECT_EQ(m_files.readPage(jw::pageFileName(title)), page) << title.toStdString();
    }
    // One file each, named exactly after its title (this file system keeps case).
    QStringList expected;
    for (const QString &title : titles)
        expected << title + u".rtf"_s;
    expected.sort();
    EXPECT_EQ(filesIn(QDir::currentPath()), expected);
}

TEST_F(PageFilesTest, NamesThatLeaveTheFolderAreRefused)
{
    ASSERT_TRUE(QDir().mkpath(u"inner/sub"_s));
    ASSERT_TRUE(QDir::setCurrent(path(u"inner"_s)));
    ASSERT_TRUE(jwtest::writeBytes(path(u"outside.rtf"_s), "outside"));
    ASSERT_TRUE(jwtest::writeBytes(path(u"inner/sub/deeper.rtf"_s), "deeper"));
    const QStringList before = filesIn(path(u"inner"_s));

    const QStringList bad{u"../outside.rtf"_s, u"sub/deeper.rtf"_s, path(u"outside.rtf"_s), u"/etc/passwd"_s,
                          u"sub\\deeper.rtf"_s, u"..\\outside.rtf"_s, u"."_s, u".."_s, QString(),
                          u"deeper.rtf"_s + QChar(u'\0') + u"/x"_s, u"x"_s + QChar(u'\0')};
    const Document page = formattedPage();
    for (const QString &name : bad) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_THROW(m_files.path(name), IoError);
        EXPECT_THROW(m_files.fileExists(name), IoError);
        EXPECT_THROW(m_files.lookup(name), IoError);
        EXPECT_THROW(m_files.createEmpty(name), IoError);
        EXPECT_THROW(m_files.ensureExists(name), IoError);
        EXPECT_THROW(m_files.copyOver(name, u"copy.rtf"_s), IoError);
        EXPECT_THROW(m_files.copyOver(u"copy.rtf"_s, name), IoError);
        EXPECT_THROW(m_files.remove(name), IoError);
        EXPECT_THROW(m_files.readPage(name), IoError);
        EXPECT_THROW(m_files.writePage(name, page), IoError);
    }
    EXPECT_EQ(jwtest::readBytes(path(u"outside.rtf"_s)), "outside");
    EXPECT_EQ(jwtest::readBytes(path(u"inner/sub/deeper.rtf"_s)), "deeper");
    EXPECT_EQ(filesIn(path(u"inner"_s)), before);
}

TEST_F(PageFilesTest, EmptyFolderMeansTheCurrentFolderAtEachCall)
{
    ASSERT_TRUE(QDir().mkpath(u"one"_s));
    ASSERT_TRUE(QDir().mkpath(u"two"_s));
    const PageFiles fixed(path(u"one"_s));

    ASSERT_TRUE(QDir::setCurrent(path(u"one"_s)));
    m_files.createEmpty(u"Here.rtf"_s);
    EXPECT_EQ(m_files.path(u"Here.rtf"_s), path(u"one/Here.rtf"_s));
    ASSERT_TRUE(QDir::setCurrent(path(u"two"_s)));
    EXPECT_FALSE(m_files.fileExists(u"Here.rtf"_s));
    EXPECT_EQ(m_files.path(u"Here.rtf"_s), path(u"two/Here.rtf"_s));
    // A given folder does not follow the current one.
    EXPECT_TRUE(fixed.fileExists(u"Here.rtf"_s));
}

// --- file services -----------------------------------------------------------

TEST_F(PageFilesTest, ExistsAndLookupSeeFilesOnly)
{
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf"_s, "x"));
    ASSERT_TRUE(QDir().mkpath(u"Folder.rtf"_s));
    EXPECT_TRUE(m_files.fileExists(u"Notes.rtf"_s));
    EXPECT_EQ(m_files.lookup(u"Notes.rtf"_s), u"Notes.rtf"_s);
    EXPECT_FALSE(m_files.fileExists(u"Missing.rtf"_s));
    EXPECT_EQ(m_files.lookup(u"Missing.rtf"_s), QString());
    EXPECT_FALSE(m_files.fileExists(u"Folder.rtf"_s));
    EXPECT_EQ(m_files.lookup(u"Folder.rtf"_s), QString());
}

TEST_F(PageFilesTest, CreateEmptyNeverEmptiesAnExistingFile)
{
    m_files.createEmpty(u"New.rtf"_s);
    EXPECT_TRUE(QFileInfo::exists(u"New.rtf"_s));
    EXPECT_EQ(QFileInfo(u"New.rtf"_s).size(), 0);

    ASSERT_TRUE(jwtest::writeBytes(u"Kept.rtf"_s, "earlier text"));
    EXPECT_IO_ERROR(m_files.createEmpty(u"Kept.rtf"_s), reasonOf(EEXIST));
    EXPECT_EQ(jwtest::readBytes(u"Kept.rtf"_s), "earlier text");
}

TEST_F(PageFilesTest, EnsureExistsCreatesOnlyWhatIsMissing)
{
    m_files.ensureExists(u"Notes.rtf"_s);
    EXPECT_EQ(QFileInfo(u"Notes.rtf"_s).size(), 0);
    EXPECT_EQ(m_files.readPage(u"Notes.rtf"_s), Document{});

    ASSERT_TRUE(jwtest::writeBytes(u"Welcome.rtf"_s, "{\\rtf1 kept}"));
    m_files.ensureExists(u"Welcome.rtf"_s);
    EXPECT_EQ(jwtest::readBytes(u"Welcome.rtf"_s), "{\\rtf1 kept}");

    ASSERT_TRUE(QDir().mkpath(u"Folder.rtf"_s));
    EXPECT_IO_ERROR(m_files.ensureExists(u"Folder.rtf"_s), reasonOf(EEXIST));
    EXPECT_IO_ERROR(m_files.ensureExists(u"../x.rtf"_s), "the name contains a path separator");
    EXPECT_FALSE(QFileInfo::exists(path(u"../x.rtf"_s)));
}

TEST_F(PageFilesTest, CopyOverTakesTheBytesUnchangedAndReplaces)
{
    QByteArray bytes("not even rich text \r\n\x00\xff\x80 end", 28);
    for (int i = 0; i < 20000; ++i)
        bytes += static_cast<char>(i * 7);
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.dat"_s, bytes));
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf"_s, QByteArray(100000, 'o')));

    m_files.copyOver(u"Notes.dat"_s, u"Notes.rtf"_s);
    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf"_s), bytes);
    EXPECT_EQ(jwtest::readBytes(u"Notes.dat"_s), bytes);
    m_files.copyOver(u"Notes.dat"_s, u"Fresh.rtf"_s);
    EXPECT_EQ(jwtest::readBytes(u"Fresh.rtf"_s), bytes);

    EXPECT_IO_ERROR(m_files.copyOver(u"Missing.dat"_s, u"Notes.rtf"_s), reasonOf(ENOENT));
    ASSERT_TRUE(QDir().mkpath(u"Folder.dat"_s));
    EXPECT_IO_ERROR(m_files.copyOver(u"Folder.dat"_s, u"Notes.rtf"_s), reasonOf(EISDIR));
    ASSERT_TRUE(QDir().mkpath(u"Folder.rtf"_s));
    EXPECT_IO_ERROR(m_files.copyOver(u"Notes.dat"_s, u"Folder.rtf"_s), reasonOf(EISDIR));
    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf"_s), bytes);
    EXPECT_TRUE(QFileInfo(u"Folder.rtf"_s).isDir());
}

TEST_F(PageFilesTest, RemoveDeletesOrSaysWhyNot)
{
    ASSERT_TRUE(jwtest::writeBytes(u"Old.dat"_s, "x"));
    m_files.remove(u"Old.dat"_s);
    EXPECT_FALSE(QFileInfo::exists(u"Old.dat"_s));
    EXPECT_IO_ERROR(m_files.remove(u"Old.dat"_s), reasonOf(ENOENT));
}

// --- reading and saving pages ------------------------------------------------

TEST_F(PageFilesTest, PagesRoundTripAndEmptyFilesAreEmptyPages)
{
    const Document page = formattedPage();
    m_files.writePage(u"Notes.rtf"_s, page);
    EXPECT_EQ(m_files.readPage(u"Notes.rtf"_s), page);
    // The file is rich text, readable without our reader's help.
    EXPECT_TRUE(jwtest::readBytes(u"Notes.rtf"_s).startsWith("{\\rtf1"));

    // Saving again replaces the whole content.
    const Document shorter = formattedPage(u"short");
    m_files.writePage(u"Notes.rtf"_s, shorter);
    EXPECT_EQ(m_files.readPage(u"Notes.rtf"_s), shorter);

    m_files.writePage(u"Empty.rtf"_s, Document{});
    EXPECT_EQ(m_files.readPage(u"Empty.rtf"_s), Document{});
    ASSERT_TRUE(jwtest::writeBytes(u"Zero.rtf"_s, {}));
    EXPECT_EQ(m_files.readPage(u"Zero.rtf"_s), Document{});
    EXPECT_EQ(jw::loadRtfFile(path(u"Zero.rtf"_s)), Document{});

    // Plain text files load as text.
    ASSERT_TRUE(jwtest::writeBytes(u"Plain.rtf"_s, "just text"));
    EXPECT_EQ(m_files.readPage(u"Plain.rtf"_s).text, u"just text");

    // No temporary files are left behind.
    EXPECT_EQ(filesIn(QDir::currentPath()),
              (QStringList{u"Empty.rtf"_s, u"Notes.rtf"_s, u"Plain.rtf"_s, u"Zero.rtf"_s}));
}

TEST_F(PageFilesTest, ReadFailuresCarryTheSystemReason)
{
    EXPECT_IO_ERROR(m_files.readPage(u"Missing.rtf"_s), reasonOf(ENOENT));
    try {
        m_files.readPage(u"Missing.rtf"_s);
    } catch (const IoError &e) {
        EXPECT_EQ(e.fileName(), path(u"Missing.rtf"_s));
    }
    ASSERT_TRUE(QDir().mkpath(u"Folder.rtf"_s));
    EXPECT_IO_ERROR(m_files.readPage(u"Folder.rtf"_s), reasonOf(EISDIR));
    // A pipe would block the reader for good.
    ASSERT_EQ(::mkfifo("Pipe.rtf", 0644), 0);
    EXPECT_IO_ERROR(m_files.readPage(u"Pipe.rtf"_s), "Not a regular file");
}

TEST_F(PageFilesTest, SavingOverAFolderFailsAndLeavesIt)
{
    ASSERT_TRUE(QDir().mkpath(u"Notes.rtf"_s));
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf/inside"_s, "keep"));
    EXPECT_IO_ERROR(m_files.writePage(u"Notes.rtf"_s, formattedPage()), reasonOf(EISDIR));
    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf/inside"_s), "keep");
}

TEST_F(PageFilesTest, SavingThroughASymbolicLinkKeepsTheLink)
{
    ASSERT_TRUE(QDir().mkpath(u"synced"_s));
    ASSERT_TRUE(QFile::link(path(u"synced/Notes.rtf"_s), u"Notes.rtf"_s));
    const Document page = formattedPage();
    m_files.writePage(u"Notes.rtf"_s, page);
    EXPECT_TRUE(QFileInfo(u"Notes.rtf"_s).isSymLink());
    EXPECT_EQ(jw::loadRtfFile(path(u"synced/Notes.rtf"_s)), page);
}

TEST_F(PageFilesTest, SaveIntoAMissingFolderFails)
{
    const PageFiles gone(path(u"gone"_s));
    EXPECT_IO_ERROR(gone.writePage(u"Notes.rtf"_s, formattedPage()), reasonOf(ENOENT));
    ASSERT_TRUE(jwtest::writeBytes(path(u"file"_s), "x"));
    const PageFiles underFile(path(u"file"_s));
    EXPECT_IO_ERROR(underFile.writePage(u"Notes.rtf"_s, formattedPage()), reasonOf(ENOTDIR));
}

TEST_F(PageFilesTest, ShortWriteKeepsThePreviousPage)
{
    // Sizes below Qt's write buffer, where a lost error would hide best.
    const Document old = bigPage(2000);
    m_files.writePage(u"Notes.rtf"_s, old);
    const QByteArray before = jwtest::readBytes(u"Notes.rtf"_s);

    // A file size limit cuts the write short, as a full disk does.
    Child child([&](int out) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
        try {
            m_files.writePage(u"Notes.rtf"_s, bigPage(9000));
        } catch (const IoError &e) {
            Child::send(out, e.reason());
            return 0;
        }
        return 1;
    });
    child.wait();
    EXPECT_EQ(child.exitCode, 0) << "the save did not fail";
    EXPECT_EQ(child.output, reasonOf(EFBIG));
    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf"_s), before);
    EXPECT_EQ(m_files.readPage(u"Notes.rtf"_s), old);
    EXPECT_EQ(filesIn(QDir::currentPath()), QStringList{u"Notes.rtf"_s});
}

/// Runs `body` in a child process as an ordinary user (root ignores file
/// permissions); returns what the child reported.
Child runUnprivileged(const std::function<int(int)> &body)
{
    return Child([&](int out) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 90;
        return body(out);
    });
}

TEST_F(PageFilesTest, ReadOnlyFileOrFolderKeepsThePreviousPage)
{
    // A folder open to everyone, so that only the file's own protection counts.
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    ASSERT_TRUE(QDir().mkpath(u"open"_s));
    ASSERT_EQ(::chmod("open", 0777), 0);
    const PageFiles open(path(u"open"_s));
    const Document old = formattedPage(u"old text");
    open.writePage(u"Notes.rtf"_s, old);
    ASSERT_EQ(::chmod("open/Notes.rtf", 0444), 0);

    const auto trySave = [](const PageFiles &files) {
        return [&files](int out) {
            try {
                files.writePage(u"Notes.rtf"_s, formattedPage(u"new text"));
            } catch (const IoError &e) {
                Child::send(out, e.reason());
                return 0;
            }
            return 1;
        };
    };
    Child readOnlyFile = runUnprivileged(trySave(open));
    readOnlyFile.wait();
    EXPECT_EQ(readOnlyFile.exitCode, 0) << "the save did not fail";
    EXPECT_EQ(readOnlyFile.output, reasonOf(EACCES));
    EXPECT_EQ(open.readPage(u"Notes.rtf"_s), old);

    // A folder nobody may write to, holding a writable file.
    ASSERT_TRUE(QDir().mkpath(u"closed"_s));
    const PageFiles closed(path(u"closed"_s));
    closed.writePage(u"Notes.rtf"_s, old);
    ASSERT_EQ(::chmod("closed/Notes.rtf", 0666), 0);
    ASSERT_EQ(::chmod("closed", 0555), 0);
    Child readOnlyFolder = runUnprivileged(trySave(closed));
    readOnlyFolder.wait();
    EXPECT_EQ(readOnlyFolder.exitCode, 0) << "the save did not fail";
    EXPECT_EQ(readOnlyFolder.output, reasonOf(EACCES));
    EXPECT_EQ(closed.readPage(u"Notes.rtf"_s), old);
    EXPECT_EQ(filesIn(path(u"closed"_s)), QStringList{u"Notes.rtf"_s});
    ::chmod("closed", 0755);
}

// --- old page files ----------------------------------------------------------

class ConvertDatPagesTest : public PageFilesTest {
protected:
    void SetUp() override
    {
        PageFilesTest::SetUp();
        m_store.emplace(SettingsStore::defaultPath());
    }

    void listPages(const QStringList &titles)
    {
        for (qsizetype i = 0; i < titles.size(); ++i)
            m_store->write(u"Jotwell"_s, u"Tabs"_s, titles[i], QString::number(i + 1));
    }

    std::optional<SettingsStore> m_store;
};

TEST_F(ConvertDatPagesTest, CopiesEachListedDatOverItsPageAndDeletesIt)
{
    listPages({u"Welcome"_s, u"Notes"_s, u"Ideas 2.0"_s, u"Тетрадь"_s});
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.dat"_s, "old notes, \xff raw bytes"));
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf"_s, "newer notes that will be replaced"));
    ASSERT_TRUE(jwtest::writeBytes(u"Ideas 2.0.dat"_s, "{\\rtf1 ideas}"));
    ASSERT_TRUE(jwtest::writeBytes(u"Тетрадь.dat"_s, ""));
    ASSERT_TRUE(jwtest::writeBytes(u"Welcome.rtf"_s, "welcome page"));
    ASSERT_TRUE(jwtest::writeBytes(u"Unlisted.dat"_s, "not a page"));

    jw::ConvertDatPages(*m_store, m_files);

    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf"_s), "old notes, \xff raw bytes");
    EXPECT_EQ(jwtest::readBytes(u"Ideas 2.0.rtf"_s), "{\\rtf1 ideas}");
    EXPECT_TRUE(QFileInfo::exists(u"Тетрадь.rtf"_s));
    EXPECT_EQ(jwtest::readBytes(u"Welcome.rtf"_s), "welcome page");
    EXPECT_EQ(filesIn(QDir::currentPath()),
              (QStringList{u"Ideas 2.0.rtf"_s, u"Notes.rtf"_s, u"Unlisted.dat"_s, u"Welcome.rtf"_s, u"Тетрадь.rtf"_s}));

    // Converted pages are not touched again.
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.rtf"_s, "edited since"));
    jw::ConvertDatPages(*m_store, m_files);
    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf"_s), "edited since");
}

TEST_F(ConvertDatPagesTest, NothingListedNothingConverted)
{
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.dat"_s, "old"));
    jw::ConvertDatPages(*m_store, m_files);
    EXPECT_EQ(filesIn(QDir::currentPath()), QStringList{u"Notes.dat"_s});
    EXPECT_FALSE(m_store->readSection(u"Jotwell"_s, u"Tabs"_s)) << "conversion wrote defaults";
}

TEST_F(ConvertDatPagesTest, TheFirstFailureEndsItAndLaterPagesKeepTheirDat)
{
    listPages({u"First"_s, u"Second"_s, u"Third"_s});
    ASSERT_TRUE(jwtest::writeBytes(u"First.dat"_s, "first"));
    ASSERT_TRUE(jwtest::writeBytes(u"Second.dat"_s, "second"));
    ASSERT_TRUE(QDir().mkpath(u"Second.rtf"_s)); // cannot be replaced, even by root
    ASSERT_TRUE(jwtest::writeBytes(u"Third.dat"_s, "third"));

    EXPECT_IO_ERROR(jw::ConvertDatPages(*m_store, m_files), reasonOf(EISDIR));
    EXPECT_EQ(jwtest::readBytes(u"First.rtf"_s), "first");
    EXPECT_FALSE(QFileInfo::exists(u"First.dat"_s));
    EXPECT_EQ(jwtest::readBytes(u"Second.dat"_s), "second");
    EXPECT_EQ(jwtest::readBytes(u"Third.dat"_s), "third");
    EXPECT_FALSE(QFileInfo::exists(u"Third.rtf"_s));

    // Once the obstacle is gone, a later start finishes the work.
    ASSERT_TRUE(QDir(u"Second.rtf"_s).removeRecursively());
    jw::ConvertDatPages(*m_store, m_files);
    EXPECT_EQ(jwtest::readBytes(u"Second.rtf"_s), "second");
    EXPECT_EQ(jwtest::readBytes(u"Third.rtf"_s), "third");
    EXPECT_EQ(filesIn(QDir::currentPath()), (QStringList{u"First.rtf"_s, u"Second.rtf"_s, u"Third.rtf"_s}));
}

TEST_F(ConvertDatPagesTest, ATitleThatIsNoFileNameEndsIt)
{
    listPages({u"../Escape"_s, u"After"_s});
    ASSERT_TRUE(QDir().mkpath(u"inner"_s));
    ASSERT_TRUE(jwtest::writeBytes(u"Escape.dat"_s, "outside"));
    ASSERT_TRUE(jwtest::writeBytes(u"inner/After.dat"_s, "after"));
    ASSERT_TRUE(QDir::setCurrent(path(u"inner"_s)));

    EXPECT_IO_ERROR(jw::ConvertDatPages(*m_store, m_files), "the name contains a path separator");
    EXPECT_EQ(jwtest::readBytes(path(u"Escape.dat"_s)), "outside");
    EXPECT_FALSE(QFileInfo::exists(path(u"Escape.rtf"_s)));
    EXPECT_EQ(jwtest::readBytes(u"After.dat"_s), "after");
}

TEST_F(ConvertDatPagesTest, FindsThePageListWhateverItsLetterCase)
{
    m_store->write(u"jotwell"_s, u"tabs"_s, u"Notes"_s, u"1"_s);
    ASSERT_TRUE(jwtest::writeBytes(u"Notes.dat"_s, "old"));
    jw::ConvertDatPages(*m_store, m_files);
    EXPECT_EQ(jwtest::readBytes(u"Notes.rtf"_s), "old");
}

} // namespace
