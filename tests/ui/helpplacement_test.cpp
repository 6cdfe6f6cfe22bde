// The help window never opens over the main window's buttons.
#include "ui/dialogplacement.h"

#include <gtest/gtest.h>

TEST(HelpClearOf, BesideTheMainWindowNarrowedToTheRoomElseBelowItsButtons)
{
    const QRect screen(0, 0, 1024, 768);
    const QRect main(300, 100, 330, 400);
    const std::pair<QRect, QRect> cases[] = {
        {{640, 100, 380, 500}, {640, 100, 380, 500}}, // beside already
        {{384, 100, 640, 500}, {630, 100, 394, 500}}, // over it: narrowed to the right
        {{0, 100, 640, 500}, {630, 100, 394, 500}},
        {{10, 0, 250, 90}, {10, 0, 250, 90}}, // above and left of it
    };
    for (const auto &[help, placed] : cases)
        EXPECT_EQ(jw::ui::helpClearOf(help, main, 80, screen, 360), placed) << help.x();
    // Room on the left only; no room either side: below the band, within the screen.
    EXPECT_EQ(jw::ui::helpClearOf({384, 100, 640, 500}, {600, 100, 330, 400}, 80, screen, 360),
              QRect(0, 100, 600, 500));
    EXPECT_EQ(jw::ui::helpClearOf({200, 100, 640, 700}, {200, 100, 700, 400}, 80, screen, 360),
              QRect(200, 180, 640, 588));
}
