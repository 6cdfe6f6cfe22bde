// Atomic, durable replacement of files, tested once here where it lives.
#include "base/fileio.h"
#include "base/ioerror.h"
#include "support/files.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace jw;
using namespace Qt::StringLiterals;
using jwtest::readBytes;

namespace {

QString reasonOf(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString failure(const std::function<void()> &action)
{
    try {
        action();
    } catch (const IoError &error) {
        return error.reason();
    }
    return {};
}

/// Writes `file` in a child as an ordinary user (root ignores permissions); its exit code, 0 when the
/// write was refused for want of permission.
int writeUnprivileged(const QString &file)
{
    return jwtest::waitChild(jwtest::forkChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 90;
        return failure([&] { writeFileAtomically(file, "x"); }) == reasonOf(EACCES) ? 0 : 1;
    }));
}

TEST(AtomicWrite, ReplacesTheFileOrALinksTargetAndLeavesNothingElse)
{
    ASSERT_TRUE(jwtest::writeBytes(u"a.txt"_s, "old"));
    writeFileAtomically(u"a.txt"_s, "new content");
    EXPECT_EQ(readBytes(u"a.txt"_s), "new content");
    EXPECT_EQ(QDir::current().entryList(QDir::Files | QDir::Hidden), QStringList{u"a.txt"_s});
    copyFileAtomically(u"a.txt"_s, u"b.txt"_s);
    EXPECT_EQ(readBytes(u"b.txt"_s), "new content");
    ASSERT_TRUE(QFile::link(u"b.txt"_s, u"link.txt"_s));
    writeFileAtomically(u"link.txt"_s, "new");
    EXPECT_TRUE(QFileInfo(u"link.txt"_s).isSymLink());
    EXPECT_EQ(readBytes(u"b.txt"_s), "new");
}

TEST(AtomicWrite, EveryFailureKeepsTheOldFileAndSaysWhy)
{
    ASSERT_TRUE(jwtest::writeBytes(u"a.txt"_s, "old"));
    ASSERT_TRUE(QDir().mkpath(u"folder"_s));
    EXPECT_EQ(failure([] { writeFileAtomically(u"folder"_s, "x"); }), reasonOf(EISDIR));
    EXPECT_EQ(failure([] { writeFileAtomically(u"missing/a.txt"_s, "x"); }), reasonOf(ENOENT));
    EXPECT_EQ(failure([] { readWholeFile(u"folder"_s); }), reasonOf(EISDIR));
    EXPECT_EQ(failure([] { readWholeFile(u"missing.txt"_s); }), u"No such file or directory");

    // A size limit cuts the write short, as a full disk does.
    const QByteArray big(9000, 'x');
    const int cut = jwtest::waitChild(jwtest::forkChild([&] {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_IGN);
        return failure([&] { writeFileAtomically(u"a.txt"_s, big); }) == reasonOf(EFBIG) ? 0 : 1;
    }));
    EXPECT_EQ(std::pair(cut, QDir::current().entryList(QDir::Files | QDir::Hidden)),
              std::pair(0, QStringList{u"a.txt"_s})); // nor a temporary file left behind

    // Read-only file, and a writable file in a read-only folder.
    ASSERT_EQ(::chmod(".", 0755), 0);
    ASSERT_TRUE(QDir().mkpath(u"closed"_s));
    ASSERT_TRUE(jwtest::writeBytes(u"closed/b.txt"_s, "old"));
    ASSERT_EQ(::chmod("closed/b.txt", 0666), 0);
    ASSERT_EQ(::chmod("closed", 0555), 0);
    ASSERT_EQ(::chmod("a.txt", 0444), 0);
    for (const QString &file : {u"a.txt"_s, u"closed/b.txt"_s}) {
        EXPECT_EQ(writeUnprivileged(file), 0) << file.toStdString();
        EXPECT_EQ(readBytes(file), "old") << file.toStdString();
    }
    EXPECT_EQ(QDir(u"closed"_s).entryList(QDir::Files | QDir::Hidden), QStringList{u"b.txt"_s});
    ::chmod("closed", 0755);
}

} // namespace
