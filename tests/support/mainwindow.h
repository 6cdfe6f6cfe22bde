#pragma once

// The one started-main-window fixture of the widget tests.

#include "base/settingsstore.h"
#include "pages/pagefiles.h"
#include "richtext/richtext.h"
#include "shell/frmmain.h"
#include "support/files.h"
#include "support/qtwait.h"

#include <gtest/gtest.h>

#include <memory>

namespace jwtest {

/// A page of plain text in one format.
jw::rtf::Document page(const std::u16string &text, bool bold = false);
/// The text of a page file in the test folder ("" when it cannot be read).
std::u16string pageText(const QString &file);
/// Writes a page file into the test folder.
void writePage(const QString &file, const jw::rtf::Document &doc);

/// Starts the real main window on the test's own folder and settings, with
/// the splash skipped and the window shown as after the expand button.
class MainWindowTest : public ::testing::Test {
protected:
    /// Stores `titles` as the page list first when given.
    jw::frmMain &start(const QStringList &titles = {});
    void TearDown() override;

    QStringList tabs() const;
    /// Types `text` into the editor as the user would.
    void type(const QString &text);
    /// Selects tab `index` (1-based) as a click would.
    bool clickTab(int index);

    jw::SettingsStore store{settingsFile()};
    jw::PageFiles files;
    std::unique_ptr<jw::frmMain> window;
};

} // namespace jwtest
