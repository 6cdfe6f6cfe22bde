// Display-only marks: merged from all providers for the visible text,
// recomputed once per turn after edits, scrolls and new pages, never stored.
#include "support/qtwait.h"
#include "ui/decorations.h"
#include "ui/richtextedit.h"

#include <QScrollBar>
#include <gtest/gtest.h>

using namespace jw::ui;

namespace {

/// A provider that marks the first character of its range and counts its calls.
struct Marker {
    QColor colour;
    int calls = 0;
    std::pair<int, int> range{};
    QList<QTextEdit::ExtraSelection> operator()(QTextEdit &edit, int from, int to)
    {
        ++calls;
        range = {from, to};
        QTextEdit::ExtraSelection mark{QTextCursor(edit.document()), {}};
        mark.cursor.setPosition(from);
        mark.cursor.setPosition(from + 1, QTextCursor::KeepAnchor);
        mark.format.setBackground(colour);
        return {mark};
    }
};

} // namespace

TEST(Decorations, ProvidersAreMergedForTheVisibleTextOncePerTurnAndNothingIsStored)
{
    RichTextEdit edit;
    edit.resize(300, 200);
    edit.show();
    edit.setText(QString(40000, u'x').replace(QStringLiteral("xxxxxxxxxx"), QStringLiteral("xxxxxxxxx\n")));
    Marker red{Qt::red}, blue{Qt::blue};
    const int redId = edit.decorations().addProvider([&](int f, int t) { return red(edit, f, t); });
    edit.decorations().addProvider([&](int f, int t) { return blue(edit, f, t); });
    ASSERT_TRUE(jwtest::waitUntil([&] { return blue.calls > 0; }));
    const int calls = red.calls;
    edit.decorations().refresh();
    edit.decorations().refresh();
    edit.decorations().flush();
    edit.decorations().flush();
    EXPECT_EQ(red.calls, calls + 1) << "refreshes coalesce";
    ASSERT_EQ(edit.extraSelections().size(), 2);
    EXPECT_EQ(edit.extraSelections()[0].format.background().color(), QColor(Qt::red)) << "in the order added";
    EXPECT_EQ(red.range.first, 0);
    EXPECT_LT(red.range.second, 5000) << "only the visible part and a margin";

    edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->maximum());
    ASSERT_TRUE(jwtest::waitUntil([&] { return red.range.second == 40000; }));
    EXPECT_GT(red.range.first, 30000);
    const int scrolled = red.calls;
    jwtest::settle();
    EXPECT_EQ(red.calls, scrolled) << "nothing is recomputed without a change";

    const int before = red.calls;
    edit.textCursor().insertText(QStringLiteral("y"));
    ASSERT_TRUE(jwtest::waitUntil([&] { return red.calls > before; }));
    edit.setText(QStringLiteral("new page"));
    ASSERT_TRUE(jwtest::waitUntil([&] { return red.range == std::pair(0, 8); }));

    edit.decorations().removeProvider(redId);
    edit.decorations().flush();
    ASSERT_EQ(edit.extraSelections().size(), 1);
    EXPECT_EQ(std::tuple(edit.Text(), edit.document()->isUndoAvailable(), edit.document()->isModified()),
              std::tuple(QStringLiteral("new page"), false, false));
    EXPECT_EQ(edit.toDocument().runs.size(), 1u) << "no format of a mark reaches the page";
    edit.decorations().addProvider([&](int f, int t) { return red(edit, f, t); });
    edit.decorations().flush();
    EXPECT_EQ(edit.extraSelections().size(), 2) << "a provider added shows with the next flush";
}
