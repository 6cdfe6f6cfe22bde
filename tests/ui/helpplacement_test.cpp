// The help window never opens over the main window's buttons.
#include "ui/dialogplacement.h"

#include <gtest/gtest.h>

TEST(HelpClearOf, BesideTheMainWindowNarrowedToTheRoomElseBelowItsButtons)
{
    const QRect screen(0, 0, 1024, 768);
    const QRect main(300, 100, 330, 400);
    const std::tuple<QRect, QRect, QRect> cases[] = {
        {{640, 100, 380, 500}, main, {640, 100, 380, 500}}, // beside already
        {{384, 100, 640, 500}, main, {630, 100, 394, 500}}, // over it: narrowed to the right
        {{0, 100, 640, 500}, main, {630, 100, 394, 500}},
        {{384, 100, 640, 500}, {362, 100, 300, 400}, {662, 100, 362, 500}}, // as much room either side: right
        {{10, 0, 250, 90}, main, {10, 0, 250, 90}},                         // above and left of it
        // Room on the left only; no room either side: below the band, within the screen.
        {{384, 100, 640, 500}, {600, 100, 330, 400}, {0, 100, 600, 500}},
        {{200, 100, 640, 700}, {200, 100, 700, 400}, {200, 180, 640, 588}},
    };
    for (const auto &[help, owner, placed] : cases)
        EXPECT_EQ(jw::ui::helpClearOf(help, owner, 80, screen, 360), placed) << help.x() << "," << owner.x();
}
