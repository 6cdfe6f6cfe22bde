// On a real X server: typed text shows a red wavy line under a misspelt
// word and none under a correct one, read back from the screen's pixels.
#include "support/fakehost.h"
#include "support/qtwait.h"
#include "base/settingsstore.h"
#include "editing/spelling.h"
#include "ui/decorations.h"
#include "ui/richtextedit.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SpellingX11, AMisspeltWordIsUnderlinedInRedOnTheScreenAndACorrectOneIsNot)
{
    jw::SettingsStore store(u"settings.json"_s);
    store.write(u"Jotwell"_s, u"Spelling"_s, u"Languages"_s, u"en_US"_s);
    jw::ui::RichTextEdit pad;
    pad.resize(600, 200);
    jwtest::Commands commands;
    jwtest::Host host;
    jw::Spelling spelling(commands, pad, store, host);
    pad.setTypingDefault(u"DejaVu Sans"_s, 16);
    pad.show();
    pad.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pad));
    QTest::keyClicks(&pad, u"Ths word is rigth here "_s);
    // Marked once the checks came back, then painted.
    ASSERT_TRUE(jwtest::waitUntil([&] {
        pad.decorations().flush();
        return spelling.settled() && pad.extraSelections().size() == 2;
    }));
    const auto redUnder = [&](int from, int to) {
        QTextCursor c(pad.document());
        c.setPosition(from);
        const QRect start = pad.cursorRect(c);
        c.setPosition(to);
        const QRect end = pad.cursorRect(c);
        const QPoint origin = pad.viewport()->mapTo(pad.window(), QPoint(start.left(), start.bottom() - 6));
        const QImage shot =
            pad.screen()
                ->grabWindow(pad.window()->winId(), origin.x(), origin.y(), end.left() - start.left(), 12)
                .toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor p = shot.pixelColor(x, y);
                red += p.red() > 150 && p.green() < 110 && p.blue() < 110;
            }
        return red;
    };
    EXPECT_TRUE(jwtest::waitUntil([&] { return redUnder(0, 3) > 5 && redUnder(12, 17) > 5; }))
        << redUnder(0, 3) << " red pixels under Ths, " << redUnder(12, 17) << " under rigth";
    EXPECT_EQ(redUnder(4, 8), 0) << "word";
    EXPECT_EQ(redUnder(18, 22), 0) << "here";
}
