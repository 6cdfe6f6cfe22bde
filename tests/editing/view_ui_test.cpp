// The page's view: the zoom, and the right-click menu the features fill.
#include "support/fakehost.h"
#include "support/qtwait.h"
#include "base/settingsstore.h"
#include "editing/editormenu.h"
#include "editing/pagezoom.h"
#include "ui/richtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QContextMenuEvent>
#include <QTimer>
#include <QCoreApplication>
#include <QMenu>
#include <QTextBlock>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PageZoom, StepsAndTheWheelAreKeptAndShowEveryPageLargerButLeaveTheSizesStored)
{
    jw::SettingsStore store(u"settings.json"_s);
    auto stored = [&] { return store.readOne(u"Jotwell"_s, u"View"_s, u"Zoom"_s); };
    store.write(u"Jotwell"_s, u"View"_s, u"Zoom"_s, u"999"_s);
    jw::ui::RichTextEdit pad;
    pad.setText(u"some words\non lines\nof a page"_s);
    jwtest::Commands commands;
    auto zoom = std::make_unique<jw::PageZoom>(commands, pad, store);
    // The layout's resolution against the screen's: what the page is shown at.
    auto shown = [&] {
        const QPaintDevice *device = pad.document()->documentLayout()->paintDevice();
        return device ? qRound(100.0 * device->logicalDpiY() / pad.logicalDpiY()) : 100;
    };
    EXPECT_EQ(zoom->percent(), 400) << "a stored zoom beyond the steps is kept within them";
    EXPECT_EQ(shown(), 400);
    auto height = [&] {
        const QTextDocument *page = pad.document();
        return page->documentLayout()->blockBoundingRect(page->firstBlock()).height();
    };
    // Each row: a zoom set first (0: none), the command, the zoom after it.
    const std::tuple<int, const char *, int> steps[] = {
        {0, "actZoomReset", 100}, {0, "actZoomOut", 90},  {0, "actZoomIn", 100},  {0, "actZoomIn", 110},
        {500, "actZoomIn", 400},  {95, "actZoomIn", 100}, {52, "actZoomOut", 50}, {0, "actZoomIn", 67}};
    for (const auto &[from, action, percent] : steps) {
        if (from)
            zoom->setPercent(from);
        const double before = height();
        const int was = zoom->percent();
        zoom->findChild<QAction *>(QLatin1StringView(action))->trigger();
        EXPECT_EQ(zoom->percent(), percent) << from << action;
        EXPECT_EQ(shown(), percent) << action;
        EXPECT_EQ(height() > before, percent > was) << "laid out again";
        EXPECT_EQ(stored(), QString::number(percent));
    }

    // Ctrl+wheel: a step per notch, half notches add up; without Ctrl the view scrolls.
    auto wheel = [&](int delta, Qt::KeyboardModifiers keys) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, delta), Qt::NoButton, keys, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(pad.viewport(), &event);
    };
    const std::tuple<int, Qt::KeyboardModifier, int> turns[] = {
        {120, Qt::ControlModifier, 80},  {60, Qt::ControlModifier, 80}, {60, Qt::ControlModifier, 90},
        {-240, Qt::ControlModifier, 67}, {-120, Qt::NoModifier, 67},    {-120, Qt::ControlModifier, 50}};
    for (const auto &[delta, keys, percent] : turns) {
        wheel(delta, keys);
        EXPECT_EQ(zoom->percent(), percent) << delta;
    }

    const QFont font = pad.document()->defaultFont();
    pad.setText(u"another page"_s);
    EXPECT_EQ(shown(), 50) << "a new page is shown zoomed";
    EXPECT_EQ(pad.document()->defaultFont(), font) << "the text keeps its sizes";
    EXPECT_EQ(jw::PageZoom(commands, pad, store).percent(), 50);
    zoom.reset();
    EXPECT_EQ(shown(), 100) << "gone, the zoom leaves the page as it was";
}

TEST(EditorMenu, SectionsComeFirstEachLinedOffForThePlaceClickedOrTheCaret)
{
    jw::ui::RichTextEdit pad;
    pad.setText(u"one two\nthree"_s);
    pad.show();
    jw::EditorMenu menus(pad);
    QList<int> asked;
    menus.addSection([&](QMenu &menu, int pos) { asked << pos, menu.addAction(u"first"_s); });
    menus.addSection([](QMenu &, int) {});
    menus.addSection([](QMenu &menu, int pos) { pos > 2 ? void(menu.addAction(u"later"_s)) : void(); });
    QTextCursor c(pad.document());
    c.setPosition(6);
    pad.setTextCursor(c);
    const auto menu = menus.menuAt(std::nullopt); // by keyboard: at the caret
    const QList<QAction *> items = menu->actions();
    EXPECT_EQ(std::tuple(asked.takeLast(), items[0]->text(), items[1]->isSeparator(), items[2]->text(),
                         items[3]->isSeparator(), items[4]->isSeparator()),
              std::tuple(6, u"first"_s, true, u"later"_s, true, false));
    c.setPosition(13); // beyond a line's end: the caret place nearest
    menus.menuAt(pad.cursorRect(c).center() + QPoint(150, 0));
    EXPECT_EQ(asked.takeLast(), 13);
    QString shown; // a real right-click opens it
    QTimer::singleShot(0, &pad, [&shown] {
        jwtest::waitUntil([] { return QApplication::activePopupWidget(); });
        if (QWidget *popup = QApplication::activePopupWidget())
            shown = popup->actions().value(0)->text(), popup->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), pad.viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(pad.viewport(), &click);
    EXPECT_EQ(shown, u"first"_s);
}
