// Plain C++ test programs: every test runs in a temporary folder of its own,
// which is also the current folder and holds XDG_CONFIG_HOME.
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
        m_previous = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "jotwell-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        std::filesystem::current_path(m_folder);
        std::filesystem::create_directory(m_folder / "config");
        ::setenv("XDG_CONFIG_HOME", (m_folder / "config").c_str(), 1);
    }

    void OnTestEnd(const testing::TestInfo &) override
    {
        std::filesystem::current_path(m_previous);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_folder;
};

} // namespace

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new TempFolderPerTest);
    return RUN_ALL_TESTS();
}
