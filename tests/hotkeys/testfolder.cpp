#include "testfolder.h"

#include <cstdlib>
#include <random>
#include <string>

namespace jw::test {

void setEnvironment(const char *name, const std::string &value)
{
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

void TestFolderListener::OnTestStart(const ::testing::TestInfo &)
{
    namespace fs = std::filesystem;
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (;;) {
        m_folder = base / ("jw-hotkeys-" + std::to_string(random()));
        if (fs::create_directory(m_folder))
            break;
    }
    m_previous = fs::current_path();
    fs::current_path(m_folder);
    fs::create_directory(m_folder / "config");
    setEnvironment("XDG_CONFIG_HOME", (m_folder / "config").string());
    fs::create_directory(m_folder / "runtime");
    fs::permissions(m_folder / "runtime", fs::perms::owner_all);
    setEnvironment("XDG_RUNTIME_DIR", (m_folder / "runtime").string());
}

void TestFolderListener::OnTestEnd(const ::testing::TestInfo &)
{
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::current_path(m_previous, ignored);
    fs::remove_all(m_folder, ignored);
}

void installTestFolders()
{
    ::testing::UnitTest::GetInstance()->listeners().Append(new TestFolderListener);
}

} // namespace jw::test
