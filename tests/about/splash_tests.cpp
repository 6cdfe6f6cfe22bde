// The splash: its picture in the middle of the screen, and the three ways it
// hands over to the mini window.
#include "about/frmsplash.h"
#include "support/qtwait.h"
#include "ui/pictures.h"

#include <QLabel>
#include <QGuiApplication>

#include <gtest/gtest.h>

using namespace jw;

TEST(Splash, AClickAKeyOrTheTimerShowsTheMiniWindowOnceAndCloses)
{
    const std::function<void(frmSplash &)> ways[] = {
        [](frmSplash &splash) { // and a key before it has gone
            QTest::mouseClick(splash.Picture1, Qt::LeftButton, {}, QPoint(100, 100));
            QTest::keyClick(&splash, Qt::Key_Space);
        },
        [](frmSplash &splash) { QTest::keyClick(&splash, Qt::Key_Space); },
        nullptr, // the timer, two seconds on
    };
    for (const auto &dismiss : ways) {
        int shown = 0;
        QPointer<frmSplash> splash = new frmSplash([&shown] { ++shown; });
        splash->show();
        // The picture the build drew is the one the drawing makes.
        EXPECT_EQ(splash->Picture1->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                  ui::splashPicture(1.0).toImage().convertToFormat(QImage::Format_RGB32));
        EXPECT_LE(
            (splash->geometry().center() - QGuiApplication::primaryScreen()->geometry().center()).manhattanLength(), 2);
        if (dismiss) {
            dismiss(*splash);
            EXPECT_EQ(shown, 1) << "at once";
        }
        ASSERT_TRUE(jwtest::waitUntil([&] { return splash.isNull(); }));
        jwtest::settle();
        EXPECT_EQ(shown, 1);
    }
}
