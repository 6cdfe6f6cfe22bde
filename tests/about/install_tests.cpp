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

namespace {

const QString kAppId = QStringLiteral("org.jotwell.JotwellPro");

// Runs a tool to its end; its exit code (-1 when it did not finish) and output.
std::pair<int, QString> run(const QString &program, const QStringList &arguments,
                            const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(": ") + process.errorString()};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}

// One installation for the whole suite: installing takes a while.
class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A blank in the prefix: the desktop entry must quote the launcher's path.
        s_prefix = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/jotwell install-XXXXXX"));
        s_install = run(QStringLiteral(JW_CMAKE_COMMAND), {QStringLiteral("--install"), QStringLiteral(JW_BUILD_DIR),
                                                           QStringLiteral("--prefix"), s_prefix->path()});
    }
    static void TearDownTestSuite() { delete s_prefix; }

    void SetUp() override
    {
        ASSERT_EQ(s_install.first, 0) << s_install.second.toStdString();
        m_env.insert(QStringLiteral("HOME"), QDir::currentPath());
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_env.remove(QStringLiteral("JOTWELL_PAGES"));
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
        m_pad.start(installed(QStringLiteral("bin/jotwell-pad")), {});
        const QString page = QDir(pages).filePath(QStringLiteral("Notes.rtf"));
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
    for (const QString &name : {QStringLiteral("bin/jotwell"), QStringLiteral("bin/jotwell-pad")})
        EXPECT_TRUE(QFileInfo(installed(name)).isExecutable()) << name.toStdString();
    for (const QString &page : QStringLiteral(JW_HELP_FILES).split(u','))
        EXPECT_EQ(jwtest::readBytes(installed(QStringLiteral("share/jotwell/help/") + page)),
                  jwtest::readBytes(QStringLiteral(JW_HELP_SOURCE_DIR "/") + page));
    // The desktop's icon is the drawing the program shows (compiled in from the same file).
    EXPECT_EQ(jwtest::readBytes(
                  installed(QStringLiteral("share/icons/hicolor/scalable/apps/") + kAppId + QStringLiteral(".svg"))),
              jwtest::readBytes(QStringLiteral(JW_ICON_SOURCE)));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage png(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId)));
        EXPECT_EQ(png.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(png.pixel(0, size - 1)), 0) << size << ": a transparent corner";
        EXPECT_GT(qAlpha(png.pixel(size / 2, size / 2)), 200) << size << ": the page is drawn";
    }
}

TEST_F(InstallTest, TheDesktopEntryAndTheAppStreamDataValidate)
{
    const QString entry = installed(QStringLiteral("share/applications/") + kAppId + QStringLiteral(".desktop"));
    EXPECT_EQ(run(QStringLiteral("desktop-file-validate"), {entry}), std::make_pair(0, QString())) << "no hints either";
    const QList<QByteArray> lines = jwtest::readBytes(entry).split('\n');
    EXPECT_TRUE(lines.contains("Icon=" + kAppId.toUtf8()));
    EXPECT_TRUE(lines.contains("Exec=\"" + installed(QStringLiteral("bin/jotwell-pad")).toUtf8() + '"'));

    const QString metainfo = installed(QStringLiteral("share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml"));
    const auto appstream =
        run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo});
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
    m_env.insert(QStringLiteral("JOTWELL_PAGES"), jwtest::here(QStringLiteral("my notes/pad")));
    EXPECT_TRUE(padStartsIn(jwtest::here(QStringLiteral("my notes/pad"))));
    TearDown();
    m_env.remove(QStringLiteral("JOTWELL_PAGES"));
    m_env.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("DISPLAY"));
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    ASSERT_TRUE(padStartsIn(jwtest::here(QStringLiteral("Jotwell"))));
    std::pair<int, QString> mini;
    const auto miniShown = [&] {
        mini =
            run(QStringLiteral("xdotool"), QStringLiteral("search --onlyvisible --name ^Jotwell$").split(u' '), m_env);
        return mini.first == 0;
    };
    ASSERT_TRUE(jwtest::waitUntil(miniShown, 30000)) << "no mini window";
    const auto icon =
        run(QStringLiteral("xprop"),
            {QStringLiteral("-id"), mini.second.section(u'\n', 0, 0), QStringLiteral("_NET_WM_ICON")}, m_env);
    EXPECT_TRUE(icon.second.contains(QStringLiteral("Icon ("))) << icon.second.toStdString();
    TearDown(); // the pad ends before its X server
}

} // namespace
