// The one gtest main of every test program: each test runs in its own
// temporary folder, which is the current folder (the page folder) and holds
// the settings, state and runtime folders (XDG_CONFIG_HOME and friends), so
// no test touches the developer's home. Built with JW_TEST_GUI for widget
// tests (one QApplication, offscreen unless told otherwise).
#include <QDir>
#include <QTemporaryDir>

#ifdef JW_TEST_GUI
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <gtest/gtest.h>

#include <memory>

namespace {

class TempFolderPerTest final : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo &) override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_dir->isValid());
        const QDir dir(m_dir->path());
        QDir::setCurrent(dir.path());
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
            const QString folder = dir.filePath(QString::fromLatin1(name).toLower());
            dir.mkpath(folder);
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            qputenv(name, QFile::encodeName(folder));
        }
    }

    void OnTestEnd(const testing::TestInfo &) override
    {
        QDir::setCurrent(QDir::tempPath());
        if (m_dir) {
            // A test may have taken permissions away; give them back so everything goes.
            QDir(m_dir->path()).removeRecursively();
            m_dir.reset();
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The application reads it once at start; each test then gets a folder of its own.
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
#ifdef JW_TEST_GUI
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    testing::UnitTest::GetInstance()->listeners().Append(new TempFolderPerTest);
    return RUN_ALL_TESTS();
}
