#pragma once

// The one started-main-window fixture of the widget tests.

#include "base/settingsstore.h"
#include "pages/pagefiles.h"
#include "richtext/richtext.h"
#include "shell/frmmain.h"
#include "support/files.h"
#include "support/qtwait.h"

#include <gtest/gtest.h>

#include <QAction>

#include <memory>

namespace jw {
class MiniWindowCommands;
namespace ui {
class ComboBox;
class RichTextEdit;
class TabStrip;
class TwoStateToolbar;
} // namespace ui
} // namespace jw
class QPushButton;

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
    /// The window's command of that object name ("mnuSave").
    QAction *action(const char *name) const;
    /// The hot key and mini window feature.
    jw::MiniWindowCommands &miniFeature() const;

    jw::SettingsStore store{settingsFile()};
    jw::PageFiles files;
    std::unique_ptr<jw::frmMain> window;
    // The started window's controls, found by their names.
    jw::ui::RichTextEdit *txtPad = nullptr;
    jw::ui::TabStrip *oTabs = nullptr;
    jw::ui::TwoStateToolbar *Toolbar1 = nullptr;
    jw::ui::ComboBox *cmbFont = nullptr;
    jw::ui::ComboBox *cmbFontSize = nullptr;
    QPushButton *cmdShink = nullptr;
};

} // namespace jwtest
