// Installing the pad: `cmake --install` of this build into a temporary
// prefix holds every file a desktop needs, the desktop entry and the
// AppStream data validate, and the installed launcher starts the pad in the
// pages folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

const QString kAppId = QStringLiteral("org.jotwell.JotwellPro");

struct ToolRun {
    int exitCode = -1;
    QString output;
};

ToolRun run(const QString &program, const QStringList &arguments, int timeoutMs = 120000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.output = QStringLiteral("did not finish: ") + process.errorString();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

bool waitFor(const std::function<bool()> &condition, int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// One installation for all tests of the suite: installing takes a while.
class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A blank in the prefix: the desktop entry must quote the launcher's path.
        s_prefix = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/jotwell install-XXXXXX"));
        ASSERT_TRUE(s_prefix->isValid());
        s_install = new ToolRun(run(QStringLiteral(JW_CMAKE_COMMAND),
                                {QStringLiteral("--install"), QStringLiteral(JW_BUILD_DIR), QStringLiteral("--prefix"),
                                 s_prefix->path()}));
    }
    static void TearDownTestSuite()
    {
        delete s_install;
        delete s_prefix;
    }

    void SetUp() override
    {
        ASSERT_EQ(s_install->exitCode, 0) << s_install->output.toStdString();
    }

    static QString installed(const QString &relative) { return QDir(s_prefix->path()).filePath(relative); }

    static QTemporaryDir *s_prefix;
    static ToolRun *s_install;
};

QTemporaryDir *InstallTest::s_prefix = nullptr;
ToolRun *InstallTest::s_install = nullptr;

TEST_F(InstallTest, TheProgramAndItsLauncherAreInstalled)
{
    for (const QString &name : {QStringLiteral("bin/jotwell"), QStringLiteral("bin/jotwell-pad")}) {
        const QFileInfo file(installed(name));
        EXPECT_TRUE(file.isFile()) << name.toStdString();
        EXPECT_TRUE(file.isExecutable()) << name.toStdString();
    }
}

TEST_F(InstallTest, EveryHelpPageIsInstalledUnchanged)
{
    const QDir source(QStringLiteral(JW_HELP_SOURCE_DIR));
    const QStringList pages = QStringLiteral(JW_HELP_FILES).split(QLatin1Char(','));
    ASSERT_GT(pages.size(), 10);
    for (const QString &page : pages) {
        QFile a(source.filePath(page));
        QFile b(installed(QStringLiteral("share/jotwell/help/") + page));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly)) << page.toStdString();
        ASSERT_TRUE(b.open(QIODevice::ReadOnly)) << page.toStdString() << " is not installed";
        EXPECT_EQ(a.readAll(), b.readAll()) << page.toStdString();
    }
}

TEST_F(InstallTest, TheIconIsInstalledInEverySize)
{
    const QString svg = installed(QStringLiteral("share/icons/hicolor/scalable/apps/") + kAppId + QStringLiteral(".svg"));
    QFile drawing(svg);
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly)) << svg.toStdString();
    QXmlStreamReader xml(&drawing);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    EXPECT_EQ(xml.attributes().value(QLatin1String("viewBox")), QLatin1String("0 0 32 32"));
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString png = installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size) + kAppId
                                      + QStringLiteral(".png"));
        const QImage image(png);
        ASSERT_FALSE(image.isNull()) << png.toStdString();
        EXPECT_EQ(image.size(), QSize(size, size)) << png.toStdString();
        EXPECT_TRUE(image.hasAlphaChannel());
        EXPECT_EQ(qAlpha(image.pixel(0, image.height() - 1)), 0) << "the corner is transparent";
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 200) << "the page is drawn";
    }
}

TEST_F(InstallTest, TheDesktopEntryValidatesAndStartsTheLauncher)
{
    const QString entry = installed(QStringLiteral("share/applications/") + kAppId + QStringLiteral(".desktop"));
    ASSERT_TRUE(QFile::exists(entry));
    const ToolRun check = run(QStringLiteral("desktop-file-validate"), {entry});
    EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
    EXPECT_TRUE(check.output.trimmed().isEmpty()) << "no hints either: " << check.output.toStdString();

    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("Name=Jotwell Pro")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Icon=") + kAppId));
    const QString launcher = QDir(s_prefix->path()).absoluteFilePath(QStringLiteral("bin/jotwell-pad"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Exec=\"%1\"").arg(launcher)))
        << lines.filter(QStringLiteral("Exec=")).join(QLatin1Char(' ')).toStdString();
}

TEST_F(InstallTest, TheAppStreamDataValidates)
{
    const QString metainfo = installed(QStringLiteral("share/metainfo/") + kAppId + QStringLiteral(".metainfo.xml"));
    ASSERT_TRUE(QFile::exists(metainfo));
    const ToolRun check = run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                           QStringLiteral("--explain"), metainfo});
    EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();

    QFile file(metainfo);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("<id>") + kAppId + QStringLiteral("</id>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<launchable type=\"desktop-id\">") + kAppId + QStringLiteral(".desktop<")));
    EXPECT_TRUE(text.contains(QStringLiteral("<release version=\"%1.%2.%3\"")
                                  .arg(JW_VERSION_MAJOR)
                                  .arg(JW_VERSION_MINOR)
                                  .arg(JW_VERSION_PATCH)));
}

// The launcher starts the installed pad in the pages folder: the pad's
// first start creates the page file Notes.rtf there.
class LauncherTest : public InstallTest {
protected:
    void SetUp() override
    {
        InstallTest::SetUp();
        ASSERT_TRUE(m_home.isValid());
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("HOME"), m_home.path());
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_env.remove(QStringLiteral("JOTWELL_PAGES"));
    }

    void TearDown() override
    {
        if (m_pad.state() != QProcess::NotRunning) {
            m_pad.terminate();
            if (!m_pad.waitForFinished(5000)) {
                m_pad.kill();
                m_pad.waitForFinished();
            }
        }
    }

    // Starts the launcher and waits for the pad to create its first page.
    bool startsIn(const QString &folder)
    {
        m_pad.setProcessEnvironment(m_env);
        m_pad.setWorkingDirectory(m_home.path());
        m_pad.start(installed(QStringLiteral("bin/jotwell-pad")), {});
        if (!m_pad.waitForStarted(10000))
            return false;
        const QString page = QDir(folder).filePath(QStringLiteral("Notes.rtf"));
        return waitFor([&] { return QFile::exists(page) || m_pad.state() == QProcess::NotRunning; }, 30000)
               && QFile::exists(page);
    }

    QTemporaryDir m_home;
    QProcessEnvironment m_env;
    QProcess m_pad;
};

TEST_F(LauncherTest, StartsThePadInJotwellOfTheHomeFolder)
{
    EXPECT_TRUE(startsIn(m_home.filePath(QStringLiteral("Jotwell"))))
        << m_pad.readAllStandardError().toStdString();
    EXPECT_FALSE(QFile::exists(m_home.filePath(QStringLiteral("Notes.rtf"))));
    EXPECT_TRUE(QFile::exists(m_home.filePath(QStringLiteral("config/jotwell/settings.json"))));
}

TEST_F(LauncherTest, StartsThePadInTheFolderJotwellPagesNames)
{
    const QString pages = m_home.filePath(QStringLiteral("my notes/pad"));
    m_env.insert(QStringLiteral("JOTWELL_PAGES"), pages);
    EXPECT_TRUE(startsIn(pages)) << m_pad.readAllStandardError().toStdString();
    EXPECT_FALSE(QDir(m_home.filePath(QStringLiteral("Jotwell"))).exists());
}

} // namespace
