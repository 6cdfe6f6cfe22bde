// Every test runs in a fresh temporary folder as its current folder, with
// its own settings location, so nothing touches the developer's home.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

class TempFolderPerTest final : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo &) override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "jw-editing-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_dir = pattern;
        std::filesystem::create_directories(m_dir / "config");
        setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
        std::filesystem::current_path(m_dir);
    }

    void OnTestEnd(const testing::TestInfo &) override
    {
        std::error_code ec;
        std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
        std::filesystem::remove_all(m_dir, ec);
    }

private:
    std::filesystem::path m_dir;
};

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new TempFolderPerTest);
    return RUN_ALL_TESTS();
}
