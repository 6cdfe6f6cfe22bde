// LoadFile/SaveFile through real files in the test's own folder.
#include "helpers.h"
#include "base/ioerror.h"
#include "ui/richtextedit.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace jw::ui;
using namespace jw::ui::test;
using jw::rtf::Document;

namespace {

const Document kPage = makeDoc({{QStringLiteral("Title"), fmt("DejaVu Serif", 32, true)},
                                {QStringLiteral("\nplain line\u2028next\tcol\n"), fmt("DejaVu Sans", 20)},
                                {QStringLiteral("\U0001F600 \u00e9t\u00e9"), fmt("Liberation Mono", 17, false, true, true)}});

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(RichTextFiles, SaveThenLoadGivesTheSamePage)
{
    RichTextEdit writer;
    writer.setFromDocument(kPage);
    writer.SaveFile(QStringLiteral("Notes.rtf"));
    ASSERT_TRUE(QFile::exists(QStringLiteral("Notes.rtf")));
    EXPECT_TRUE(readAll(QStringLiteral("Notes.rtf")).startsWith("{\\rtf"));

    RichTextEdit reader;
    reader.LoadFile(QStringLiteral("Notes.rtf"));
    EXPECT_EQ(reader.toDocument(), kPage);
    EXPECT_EQ(reader.Text(), writer.Text());
}

TEST(RichTextFiles, SavingReplacesTheFile)
{
    RichTextEdit edit;
    edit.setFromDocument(kPage);
    edit.SaveFile(QStringLiteral("p.rtf"));
    edit.setText(QStringLiteral("short"));
    edit.SaveFile(QStringLiteral("p.rtf"));
    RichTextEdit reader;
    reader.LoadFile(QStringLiteral("p.rtf"));
    EXPECT_EQ(reader.Text(), QStringLiteral("short"));
}

TEST(RichTextFiles, AnEmptyFileIsAnEmptyPage)
{
    QFile f(QStringLiteral("empty.rtf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    RichTextEdit edit;
    edit.setFromDocument(kPage);
    edit.LoadFile(QStringLiteral("empty.rtf"));
    EXPECT_TRUE(edit.Text().isEmpty());
}

TEST(RichTextFiles, AFailedLoadRaisesAndKeepsTheContent)
{
    RichTextEdit edit;
    edit.setFromDocument(kPage);
    EXPECT_THROW(edit.LoadFile(QStringLiteral("missing.rtf")), jw::IoError);
    EXPECT_EQ(edit.toDocument(), kPage);
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("a folder.rtf")));
    EXPECT_THROW(edit.LoadFile(QStringLiteral("a folder.rtf")), jw::IoError);
    EXPECT_EQ(edit.toDocument(), kPage);
}

TEST(RichTextFiles, AFailedSaveRaisesAndLeavesTheOldFile)
{
    RichTextEdit edit;
    edit.setText(QStringLiteral("old"));
    edit.SaveFile(QStringLiteral("keep.rtf"));
    const QByteArray before = readAll(QStringLiteral("keep.rtf"));

    edit.setFromDocument(kPage);
    EXPECT_THROW(edit.SaveFile(QStringLiteral("no such folder/x.rtf")), jw::IoError);
    if (::geteuid() != 0) { // root writes anywhere
        QFile::setPermissions(QDir::currentPath(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_THROW(edit.SaveFile(QStringLiteral("keep.rtf")), jw::IoError);
        QFile::setPermissions(QDir::currentPath(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(readAll(QStringLiteral("keep.rtf")), before);
    }
    // Whatever failed, the editor still holds the text.
    EXPECT_EQ(edit.toDocument(), kPage);
}
