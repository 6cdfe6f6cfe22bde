// Installing the pad with `cmake --install` of this build into a temporary
// prefix: every file a desktop needs, valid desktop and AppStream data, a
// launcher that starts the pad in the pages folder, and a program that finds
// its pictures.
#include "support/files.h"
#include "support/qtwait.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kAppId = u"org.jotwell.JotwellPro"_s;

// One installation for the whole suite: installing takes a while.
class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A blank in the prefix: the desktop entry must quote the launcher's path.
        s_prefix = new QTemporaryDir(QDir::tempPath() + u"/jotwell install-XXXXXX"_s);
        s_install = jwtest::run(QStringLiteral(JW_CMAKE_COMMAND),
                                {u"--install"_s, QStringLiteral(JW_BUILD_DIR), u"--prefix"_s, s_prefix->path()}, true);
    }
    static void TearDownTestSuite() { delete s_prefix; }

    void SetUp() override
    {
        ASSERT_EQ(s_install.first, 0) << s_install.second.toStdString();
        m_env.insert(u"HOME"_s, QDir::currentPath());
        m_env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        m_env.remove(u"JOTWELL_PAGES"_s);
    }

    void TearDown() override
    {
        m_pad.terminate();
        if (!m_pad.waitForFinished(5000))
            m_pad.kill();
        m_pad.waitForFinished();
    }

    static QString installed(const QString &relative) { return QDir(s_prefix->path()).filePath(relative); }

    // Starts the installed launcher; true when the pad creates its first page in `pages`.
    bool padStartsIn(const QString &pages)
    {
        m_pad.setProcessEnvironment(m_env);
        m_pad.start(installed(u"bin/jotwell-pad"_s), {});
        const QString page = QDir(pages).filePath(u"Notes.rtf"_s);
        return jwtest::waitUntil([&] { return QFile::exists(page) || m_pad.state() == QProcess::NotRunning; }, 30000)
               && QFile::exists(page);
    }

    static inline QTemporaryDir *s_prefix = nullptr;
    static inline std::pair<int, QString> s_install;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    QProcess m_pad;
};

TEST_F(InstallTest, TheProgramTheHelpAndTheIconsAreInstalled)
{
    for (const QString &name : {u"bin/jotwell"_s, u"bin/jotwell-pad"_s})
        EXPECT_TRUE(QFileInfo(installed(name)).isExecutable()) << name.toStdString();
    for (const QString &page : QStringLiteral(JW_HELP_FILES).split(u','))
        EXPECT_EQ(jwtest::readBytes(installed(u"share/jotwell/help/"_s + page)),
                  jwtest::readBytes(QStringLiteral(JW_HELP_SOURCE_DIR "/") + page));
    // The desktop's icon is the drawing the program shows (compiled in from the same file).
    EXPECT_EQ(jwtest::readBytes(installed(u"share/icons/hicolor/scalable/apps/"_s + kAppId + u".svg"_s)),
              jwtest::readBytes(QStringLiteral(JW_ICON_SOURCE)));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage png(installed(u"share/icons/hicolor/%1x%1/apps/%2.png"_s.arg(size).arg(kAppId)));
        EXPECT_EQ(png.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(png.pixel(0, size - 1)), 0) << size << ": a transparent corner";
        EXPECT_GT(qAlpha(png.pixel(size / 2, size / 2)), 200) << size << ": the page is drawn";
    }
}

TEST_F(InstallTest, TheDesktopEntryAndTheAppStreamDataValidate)
{
    const QString entry = installed(u"share/applications/"_s + kAppId + u".desktop"_s);
    EXPECT_EQ(jwtest::run(u"desktop-file-validate"_s, {entry}, true), std::make_pair(0, QString()))
        << "no hints either";
    const QList<QByteArray> lines = jwtest::readBytes(entry).split('\n');
    EXPECT_TRUE(lines.contains("Icon=" + kAppId.toUtf8()));
    EXPECT_TRUE(lines.contains("Exec=\"" + installed(u"bin/jotwell-pad"_s).toUtf8() + '"'));

    const QString metainfo = installed(u"share/metainfo/"_s + kAppId + u".metainfo.xml"_s);
    const auto appstream = jwtest::run(u"appstreamcli"_s, {u"validate"_s, u"--no-net"_s, metainfo}, true);
    EXPECT_EQ(appstream.first, 0) << appstream.second.toStdString();
    const QString release =
        QString::asprintf("<release version=\"%d.%d.%d\"", JW_VERSION_MAJOR, JW_VERSION_MINOR, JW_VERSION_PATCH);
    EXPECT_TRUE(jwtest::readBytes(metainfo).contains(release.toUtf8()));
}

// The launcher starts the pad where JOTWELL_PAGES says, else in ~/Jotwell;
// there, on an X server of its own, the mini window that follows the splash
// wears the program icon, drawn from the compiled-in picture.
TEST_F(InstallTest, TheLauncherStartsThePadInItsPagesFolderWithItsIcon)
{
    m_env.insert(u"JOTWELL_PAGES"_s, jwtest::here(u"my notes/pad"_s));
    EXPECT_TRUE(padStartsIn(jwtest::here(u"my notes/pad"_s)));
    TearDown();
    m_env.remove(u"JOTWELL_PAGES"_s);
    m_env.insert(u"DISPLAY"_s, qEnvironmentVariable("DISPLAY"));
    m_env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    ASSERT_TRUE(padStartsIn(jwtest::here(u"Jotwell"_s)));
    std::pair<int, QString> mini;
    const auto miniShown = [&] {
        mini = jwtest::run(u"xdotool"_s, u"search --onlyvisible --name ^Jotwell$"_s.split(u' '), true, m_env);
        return mini.first == 0;
    };
    ASSERT_TRUE(jwtest::waitUntil(miniShown, 30000)) << "no mini window";
    const auto icon =
        jwtest::run(u"xprop"_s, {u"-id"_s, mini.second.section(u'\n', 0, 0), u"_NET_WM_ICON"_s}, true, m_env);
    EXPECT_TRUE(icon.second.contains(u"Icon ("_s)) << icon.second.toStdString();
    TearDown(); // the pad ends before its X server
}

} // namespace
