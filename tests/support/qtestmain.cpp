// gtest main of the widget tests: one QApplication for the run (offscreen
// unless told otherwise); every test gets its own
// temporary folder as the current folder and as XDG_CONFIG_HOME.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TempFolderPerTest final : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo &) override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_dir->isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        QDir(m_dir->path()).mkpath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", QDir(m_dir->path()).filePath(QStringLiteral("config")).toLocal8Bit());
    }

    void OnTestEnd(const testing::TestInfo &) override
    {
        QDir::setCurrent(m_previous);
        m_dir.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

} // namespace

int main(int argc, char **argv)
{
    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", QDir(runtime.path()).filePath(QStringLiteral("config")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new TempFolderPerTest);
    return RUN_ALL_TESTS();
}
