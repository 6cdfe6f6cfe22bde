#pragma once

#include <gtest/gtest.h>

#include <filesystem>

namespace jw::test {

/// Gives every test its own empty temporary folder as current folder and
/// points XDG_CONFIG_HOME and XDG_RUNTIME_DIR into it; all is undone after the test.
class TestFolderListener final : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo &info) override;
    void OnTestEnd(const ::testing::TestInfo &info) override;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_folder;
};

/// Sets an environment variable for this process.
void setEnvironment(const char *name, const std::string &value);

/// Installs the listener; call after InitGoogleTest.
void installTestFolders();

} // namespace jw::test
