// Installing the pad with `cmake --install` of this build into a temporary
// prefix: every file a desktop needs, valid desktop and AppStream data, a
// launcher that starts the pad in the pages folder, and a program that finds
// its pictures.
#include "support/qtwait.h"
#include "ui/pictures.h"

#include <QDir>
#include <QFileInfo>
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

QByteArray bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// One installation for the whole suite: installing takes a while.
class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A blank in the prefix: the desktop entry must quote the launcher's path.
        s_prefix = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/jotwell install-XXXXXX"));
        s_install = run(QStringLiteral(JW_CMAKE_COMMAND),
                        {QStringLiteral("--install"), QStringLiteral(JW_BUILD_DIR), QStringLiteral("--prefix"), s_prefix->path()});
    }
    static void TearDownTestSuite() { delete s_prefix; }

    void SetUp() override
    {
        ASSERT_EQ(s_install.first, 0) << s_install.second.toStdString();
        m_env.insert(QStringLiteral("HOME"), QDir::currentPath());
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QDir::currentPath());
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_env.remove(QStringLiteral("JOTWELL_PAGES"));
    }

    void TearDown() override
    {
        for (QProcess *process : {&m_pad, &m_x}) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
            process->waitForFinished();
        }
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
    QProcess m_x;
};

TEST_F(InstallTest, TheProgramTheHelpAndTheIconsAreInstalled)
{
    for (const QString &name : {QStringLiteral("bin/jotwell"), QStringLiteral("bin/jotwell-pad")})
        EXPECT_TRUE(QFileInfo(installed(name)).isExecutable()) << name.toStdString();
    const QDir help(QStringLiteral(JW_HELP_SOURCE_DIR));
    for (const QString &page : QStringLiteral(JW_HELP_FILES).split(u','))
        EXPECT_EQ(bytes(installed(QStringLiteral("share/jotwell/help/") + page)), bytes(help.filePath(page)));

    // The desktop's icon is the very drawing the program shows.
    EXPECT_EQ(bytes(installed(QStringLiteral("share/icons/hicolor/scalable/apps/") + kAppId + QStringLiteral(".svg"))),
              bytes(QStringLiteral(":/pictures/program.svg")));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage png(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + kAppId
                                   + QStringLiteral(".png")));
        EXPECT_EQ(png.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(png.pixel(0, size - 1)), 0) << size << ": a transparent corner";
        EXPECT_GT(qAlpha(png.pixel(size / 2, size / 2)), 200) << size << ": the page is drawn";
    }
}

TEST_F(InstallTest, TheDesktopEntryAndTheAppStreamDataValidate)
{
    const QString entry = installed(QStringLiteral("share/applications/") + kAppId + QStringLiteral(".desktop"));
    const auto desktop = run(QStringLiteral("desktop-file-validate"), {entry});
    EXPECT_EQ(desktop, std::make_pair(0, QString())) << "no hints either";
    const QList<QByteArray> lines = bytes(entry).split('\n');
    EXPECT_TRUE(lines.contains("Icon=" + kAppId.toUtf8()));
    EXPECT_TRUE(lines.contains("Exec=\"" + installed(QStringLiteral("bin/jotwell-pad")).toUtf8() + '"'));

    const QString metainfo = installed(QStringLiteral("share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml"));
    const auto appstream = run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo});
    EXPECT_EQ(appstream.first, 0) << appstream.second.toStdString();
    EXPECT_TRUE(bytes(metainfo).contains(QStringLiteral("<release version=\"%1.%2.%3\"")
                                             .arg(JW_VERSION_MAJOR).arg(JW_VERSION_MINOR).arg(JW_VERSION_PATCH).toUtf8()));
}

TEST_F(InstallTest, TheLauncherStartsThePadInJotwellOrWhereJotwellPagesSays)
{
    EXPECT_TRUE(padStartsIn(QDir::current().filePath(QStringLiteral("Jotwell"))));
    TearDown();
    const QString pages = QDir::current().filePath(QStringLiteral("my notes/pad"));
    m_env.insert(QStringLiteral("JOTWELL_PAGES"), pages);
    EXPECT_TRUE(padStartsIn(pages));
}

// On an X server of its own: the mini window that follows the splash wears
// the program icon, drawn from the compiled-in picture.
TEST_F(InstallTest, TheInstalledProgramFindsItsPictures)
{
    m_x.start(QStringLiteral("Xvfb"), QStringLiteral("-displayfd 1 -screen 0 1024x768x24 -nolisten tcp").split(u' '));
    ASSERT_TRUE(jwtest::waitUntil([&] { return m_x.canReadLine(); }, 30000)) << "Xvfb did not start";
    m_env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + QString::fromLatin1(m_x.readLine().trimmed()));
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    ASSERT_TRUE(padStartsIn(QDir::current().filePath(QStringLiteral("Jotwell"))));
    std::pair<int, QString> mini;
    ASSERT_TRUE(jwtest::waitUntil([&] {
        mini = run(QStringLiteral("xdotool"), QStringLiteral("search --onlyvisible --name ^Jotwell$").split(u' '), m_env);
        return mini.first == 0;
    }, 30000)) << "no mini window";

    // The icons as numbers: width, height and the ARGB pixels of each size.
    const auto property = run(QStringLiteral("xprop"), {QStringLiteral("-id"), mini.second.section(u'\n', 0, 0), QStringLiteral("-f"),
                              QStringLiteral("_NET_WM_ICON"), QStringLiteral("32c"), QStringLiteral(" $0+"),
                              QStringLiteral("_NET_WM_ICON")}, m_env);
    const QStringList values = property.second.trimmed().section(u' ', 1).split(QStringLiteral(", "));
    const int size = values.value(0).toInt();
    ASSERT_TRUE(size > 0 && values.value(1).toInt() == size && values.size() >= 2 + size * size)
        << property.second.toStdString();
    const QImage drawn = jw::ui::programIcon().pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int p = 0; p < size * size; ++p) {
        const QRgb a = qPremultiply(values[2 + p].toUInt());
        const QRgb b = qPremultiply(drawn.pixel(p % size, p / size));
        differing += std::abs(qAlpha(a) - qAlpha(b)) > 32 || std::abs(qGreen(a) - qGreen(b)) > 32;
    }
    EXPECT_LT(differing, size * size / 20) << "the window icon is not the program's drawing";
}

} // namespace
