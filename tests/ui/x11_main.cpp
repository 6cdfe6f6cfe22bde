// Tests that need a real X server and window manager: an Xvfb of our own on
// a free display with openbox managing frames.
#include "support/xvfb.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

class TempFolderPerTest final : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo &) override
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
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
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS(); // test discovery: no server needed

    static QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", runtime.path().toLocal8Bit());
    jwtest::Xvfb server;
    std::string error;
    if (!server.start(error) || !server.startWindowManager(error)) {
        std::fprintf(stderr, "ui_x11_tests: %s\n", error.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new TempFolderPerTest);
    return RUN_ALL_TESTS();
}
