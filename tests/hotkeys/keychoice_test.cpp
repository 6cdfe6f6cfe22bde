// The hot key a user may choose, in the registry's codes.
#include "hotkeys/qt/keychoice.h"

#include <gtest/gtest.h>

#include <optional>

using jw::HotKeyChoice;

TEST(KeyChoice, OneKeyWithAltCtrlOrTheLogoKey)
{
    const struct {
        const char *keys;
        std::optional<HotKeyChoice> choice;
    } cases[] = {
        {"Alt+V", jw::kDefaultHotKey},
        {"Ctrl+Alt+J", HotKeyChoice{'J', 0x3}},
        {"Ctrl+Shift+5", HotKeyChoice{'5', 0x6}},
        {"Meta+F12", HotKeyChoice{0x7B, 0x8}},
        {"Alt+PgDown", HotKeyChoice{0x22, 0x1}},
        {"Ctrl+/", HotKeyChoice{0xBF, 0x2}},
        {"Ctrl+Space", HotKeyChoice{0x20, 0x2}},
        {"V", std::nullopt}, // typing would set it off
        {"Shift+V", std::nullopt},
        {"Alt+V, Alt+W", std::nullopt}, // one combination only
        {"", std::nullopt},
        {"Ctrl+Ä", std::nullopt}, // no key of the registry's
    };
    for (const auto &c : cases) {
        QString why;
        const auto choice = jw::hotKeyChoice(QKeySequence::fromString(QString::fromUtf8(c.keys)), &why);
        EXPECT_EQ(choice, c.choice) << c.keys;
        EXPECT_EQ(why.isEmpty(), c.choice.has_value()) << c.keys;
    }
}
