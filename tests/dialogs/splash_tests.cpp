// The splash: its picture, and the three ways it hands over to the mini window.
#include "dialogs/frmsplash.h"
#include "support/qtwait.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QPointer>

#include <gtest/gtest.h>

using namespace jw;

TEST(Splash, ShowsItsPictureAtTheScreensPixelRatioInTheMiddleOfTheScreen)
{
    frmSplash splash({});
    EXPECT_EQ(splash.size(), QSize(ui::toPixelsX(&splash, 5805), ui::toPixelsY(&splash, 5820)));
    EXPECT_EQ(splash.minimumSize(), splash.maximumSize());
    EXPECT_LE((splash.geometry().center() - QGuiApplication::primaryScreen()->geometry().center()).manhattanLength(), 2);
    const QPixmap picture = splash.Picture1->pixmap();
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(389, 388));
    EXPECT_EQ(picture.devicePixelRatio(), splash.devicePixelRatioF());
}

TEST(Splash, AClickAKeyOrTheTimerShowsTheMiniWindowOnceAndCloses)
{
    const std::function<void(frmSplash &)> ways[] = {
        [](frmSplash &splash) { QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(100, 100)); },
        [](frmSplash &splash) { QTest::keyClick(&splash, Qt::Key_Space); },
        nullptr, // the timer, two seconds on
    };
    for (const auto &dismiss : ways) {
        int shown = 0;
        QPointer<frmSplash> splash = new frmSplash([&shown] { ++shown; });
        splash->show();
        if (dismiss) {
            dismiss(*splash);
            EXPECT_EQ(shown, 1) << "at once";
        }
        ASSERT_TRUE(jwtest::waitUntil([&] { return splash.isNull(); }, 10000));
        jwtest::settle();
        EXPECT_EQ(shown, 1);
    }
}
