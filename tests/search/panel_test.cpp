// The panel of Find in All Pages with stand-ins for the pad: typing, the
// pause, choosing and opening hits; then F3 in a started pad.
#include "search/frmfindall.h"
#include "ui/combobox.h"
#include "ui/decorations.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include "support/mainwindow.h"
#include "support/qtwait.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QListView>
#include <QLabel>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>

#include <ranges>

#include <gtest/gtest.h>

using namespace jw::search;
using namespace Qt::StringLiterals;
using jwtest::here;
using jwtest::waitUntil;

namespace {

struct Panel {
    QString shownText = u"the shown page, typed: apple"_s;
    frmFindAll form{nullptr, [this] {
                        SearchRequest r;
                        r.tabs = {u"A"_s, u"B"_s, u"C"_s};
                        r.shownTitle = u"A"_s;
                        r.shownText = shownText;
                        return r;
                    }};
    QSignalSpy opened{&form, &frmFindAll::hitChosen};
    // Views rely on the model's signals matching its rows: any mismatch aborts.
    QAbstractItemModelTester checked{&form.results(), QAbstractItemModelTester::FailureReportingMode::Fatal};

    Panel()
    {
        jwtest::writeBytes(here(u"B.rtf"_s), "Apple pie, an apple a day");
        jwtest::writeBytes(here(u"C.rtf"_s), "pears only");
        jwtest::writeBytes(here(u"Old.rtf"_s), "one old apple");
        form.Form_Load();
    }
    bool done() { return !form.searching(); }
    QString row(int r) { return form.results().index(r).data().toString(); }
    std::pair<QString, qsizetype> lastOpened()
    {
        const auto args = opened.takeLast();
        return {args[0].value<PageHits>().title, args[1].value<Hit>().start};
    }
};

TEST(FindAllPanel, ListsHitsByPageAfterThePauseAndOpensTheChosenOne)
{
    Panel p;
    EXPECT_TRUE(waitUntil([&] { return p.form.txtFind->hasFocus(); }));
    QTest::keyClicks(p.form.txtFind, u"APPLE"_s);
    EXPECT_TRUE(p.form.results().rowCount() == 0); // not before the pause
    ASSERT_TRUE(waitUntil([&] { return p.done(); }));
    jwtest::expectLaidOut(p.form);
    EXPECT_EQ(p.form.lblStatus->text(), u"4 hits on 3 pages."_s);
    const QStringList rows = {u"A (1)"_s,
                              u"the shown page, typed: apple"_s,
                              u"B (2)"_s,
                              u"Apple pie, an apple a day"_s,
                              u"Apple pie, an apple a day"_s,
                              u"Removed pages"_s,
                              u"Old (1)"_s,
                              u"one old apple"_s};
    for (int r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(p.row(r), rows[r]);
        const bool hit = rows[r].contains(u"apple"_s, Qt::CaseInsensitive) && !rows[r].endsWith(u')');
        EXPECT_EQ(p.form.results().flags(p.form.results().index(r)).testFlag(Qt::ItemIsSelectable), hit) << r;
    }
    EXPECT_EQ(p.form.results().index(4).data(ResultsModel::MarkStartRole).toInt(), 14);
    // A hit is marked as wide as it is in bold, but not on the chosen row (1) nor on headings.
    const QImage shot = p.form.lstResults->viewport()->grab().toImage();
    const auto marked = [&](int r, QColor colour = QColor(255, 226, 110)) {
        const QRect row = p.form.lstResults->visualRect(p.form.results().index(r));
        int n = 0; // columns with that colour somewhere
        for (int x = 0; x < shot.width(); ++x)
            n += std::ranges::any_of(std::views::iota(row.top(), row.bottom()),
                                     [&](int y) { return shot.pixelColor(x, y) == colour; });
        return n;
    };
    QFont bold = p.form.lstResults->font();
    bold.setBold(true);
    EXPECT_EQ(std::vector({marked(0), marked(1), marked(4)}),
              std::vector({0, 0, QFontMetrics(bold).horizontalAdvance(u"apple"_s)}));
    const QColor chosen = p.form.lstResults->palette().color(QPalette::Highlight);
    EXPECT_TRUE(marked(1, chosen) > 0 && marked(4, chosen) == 0) << "the chosen row looks chosen";

    // The first hit is chosen; Down and Up pass over headings, in the box or the list; Enter opens.
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(p.form.txtFind, key);
    QTest::keyClick(p.form.lstResults, Qt::Key_Up);
    EXPECT_EQ(p.form.lstResults->currentIndex().row(), 3);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Return})
        QTest::keyClick(p.form.lstResults, key);
    ASSERT_EQ(p.opened.size(), 1);
    EXPECT_EQ(p.lastOpened(), std::pair(u"B"_s, qsizetype(14)));
    p.form.goToHit(1);
    EXPECT_EQ(p.lastOpened(), std::pair(u"Old"_s, qsizetype(8)));
    p.form.goToHit(1);
    EXPECT_EQ(std::pair(p.opened.size(), p.form.lblStatus->text()),
              std::pair(qsizetype(0), u"No more hits after this one."_s));

    // Options search again; Match case leaves the capital Apple out.
    p.form.txtFind->setText(u"apple"_s);
    p.form.chkMatchCase->setChecked(true);
    ASSERT_TRUE(waitUntil([&] { return p.done() && p.form.results().hitCount() == 3; }));
    EXPECT_EQ(p.row(2), u"B (1)"_s);
    p.form.chkWholeWords->setChecked(true);
    p.form.txtFind->setText(u"appl"_s);
    ASSERT_TRUE(waitUntil([&] { return p.done(); }));
    EXPECT_EQ(p.form.lblStatus->text(), u"No hits."_s);
    // Opened again, the panel searches again: the pages may have changed meanwhile.
    p.form.close();
    p.shownText = u"appl"_s;
    p.form.Form_Load();
    EXPECT_TRUE(waitUntil([&] { return p.done() && p.form.results().hitCount() == 1; }));
}

TEST(FindAllPanel, EnterBeforeThePauseOpensTheFirstHitOnceFoundAndEscCloses)
{
    Panel p;
    p.shownText = u"nothing here"_s;
    QSignalSpy closed(&p.form, &frmFindAll::closed);
    QTest::keyClicks(p.form.txtFind, u"day"_s);
    QTest::keyClick(p.form.txtFind, Qt::Key_Return);
    EXPECT_EQ(p.form.lblStatus->text(), u"Searching…"_s);
    ASSERT_TRUE(waitUntil([&] { return p.opened.size() == 1; }));
    EXPECT_EQ(p.lastOpened(), std::pair(u"B"_s, qsizetype(22)));
    QTest::keyClick(p.form.txtFind, Qt::Key_Escape);
    EXPECT_EQ(std::pair(p.form.isVisible(), closed.size()), std::pair(false, qsizetype(1)));
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) { // closed within the pause, or while searching
        p.form.Form_Load();
        p.form.txtFind->setText(p.form.txtFind->text() + u'y');
        QTest::keyClick(p.form.txtFind, key);
        QTest::keyClick(p.form.txtFind, Qt::Key_Escape);
        EXPECT_FALSE(p.form.searching()) << "no search is left waiting or running";
    }
}

class FindAllFeature : public jwtest::MainWindowTest {};

TEST_F(FindAllFeature, F3GoesFromHitToHitAcrossPagesAndOffersARemovedPageBack)
{
    jwtest::writePage(u"Welcome.rtf"_s, jwtest::page(u"apple one"));
    jwtest::writePage(u"Notes.rtf"_s, jwtest::page(u"two apple"));
    jwtest::writePage(u"Old.rtf"_s, jwtest::page(u"an old apple"));
    start({u"Welcome"_s, u"Notes"_s});
    action("mnuFindAll")->trigger();
    auto *panel = window->findChild<frmFindAll *>();
    ASSERT_TRUE(panel && panel->isVisible());
    panel->txtFind->setText(u"APPLE"_s);
    ASSERT_TRUE(waitUntil([&] { return !panel->searching(); }));
    // The hit on the page shown is marked (a background; other marks underline), outside the text.
    auto marked = [&] {
        txtPad->decorations().flush();
        QStringList found;
        for (const auto &mark : txtPad->extraSelections())
            if (mark.format.background().style() != Qt::NoBrush)
                found << mark.cursor.selectedText();
        return found;
    };
    EXPECT_EQ(marked(), QStringList{u"apple"_s});

    auto selected = [&] { return std::pair(oTabs->caption(oTabs->selectedIndex()), txtPad->SelStart()); };
    txtPad->selectAll();
    type(u"x two apple, apple"_s); // the page shown, changed since the search
    cmbFont->setFocus();
    action("mnuFindAllNext")->trigger(); // the first hit is chosen: F3 goes to the second, where it went
    EXPECT_EQ(selected(), std::pair(u"Notes"_s, 6));
    // The changed page is searched again: four hits now.
    ASSERT_TRUE(waitUntil([&] { return !panel->searching() && panel->results().hitCount() == 4; }));
    EXPECT_EQ(txtPad->SelText(), u"apple"_s);
    EXPECT_TRUE(waitUntil([&] { return txtPad->hasFocus(); })) << "the keys go to the page";
    action("mnuFindAllPrevious")->trigger();
    EXPECT_EQ(selected(), std::pair(u"Welcome"_s, 0));
    for (const int at : {6, 13}) {
        action("mnuFindAllNext")->trigger();
        EXPECT_EQ(selected(), std::pair(u"Notes"_s, at));
    }
    jwtest::onNextModal([](QWidget *box) { jwtest::clickButton(box, u"&Restore"_s); });
    action("mnuFindAllNext")->trigger();
    EXPECT_EQ(tabs(), (QStringList{u"Welcome"_s, u"Notes"_s, u"Old"_s}));
    EXPECT_EQ(selected(), std::pair(u"Old"_s, 7));
    window->hide(); // the panel goes and comes with the main window
    EXPECT_FALSE(panel->isVisible());
    window->show();
    EXPECT_TRUE(panel->isVisible());
    QTest::keyClick(panel, Qt::Key_Escape);
    EXPECT_TRUE(marked().isEmpty());
}

} // namespace
