// The Page History window with real versions on disk.
#include "pages/frmpagehistory.h"
#include "support/qtwait.h"

#include <QTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace jw;
using namespace Qt::StringLiterals;

TEST(PageHistoryWindow, ListsNewestFirstCountsWordsMarksThePreviewAndRestores)
{
    QDateTime now = QDateTime::fromString(u"2026-03-10T12:00:00Z"_s, Qt::ISODate);
    const PageHistory history(jwtest::here(u"history"_s), [&now] { return now; });
    const QString pages = QDir::currentPath();
    const rtf::Document older{u"alpha beta gamma omega psi", {{0, 5, {"Sans", 24, true}}, {5, 21, {"Sans", 24}}}};
    history.keepPage(pages, u"Notes"_s, older, PageHistory::Reason::Saved);
    now = now.addSecs(90);
    history.keepPage(pages, u"Notes"_s, {u"alpha delta", {}}, PageHistory::Reason::Removed);
    const rtf::Document page{u"alpha beta epsilon zeta omega psi", {}};
    std::optional<rtf::Document> restored;
    frmPageHistory dialog(nullptr, u"Notes"_s, history.versions(pages, u"Notes"_s), page,
                          [&restored](const rtf::Document &v) {
                              restored = v;
                              return true;
                          });
    dialog.show();
    ASSERT_TRUE(jwtest::waitUntil([&] { return dialog.countsDone(); }));
    jwtest::expectLaidOut(dialog);
    QTreeWidget &list = *dialog.lstVersions;
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(0)->text(1), frmPageHistory::kindText(PageHistory::Reason::Removed));
    // Words added since and removed: beta epsilon zeta omega psi and delta, then epsilon zeta and gamma.
    EXPECT_EQ((QStringList{list.topLevelItem(0)->text(3), list.topLevelItem(0)->text(4), list.topLevelItem(1)->text(3),
                           list.topLevelItem(1)->text(4)}),
              (QStringList{u"5"_s, u"1"_s, u"2"_s, u"1"_s}));

    list.setCurrentItem(list.topLevelItem(1));
    QTextDocument &preview = *dialog.txtPreview->document();
    EXPECT_EQ(preview.toPlainText(), u"alpha beta gamma epsilon zeta omega psi");
    QTextCursor at(&preview);
    at.setPosition(2);
    EXPECT_TRUE(at.charFormat().font().bold());
    at.setPosition(14); // in gamma, only in this version
    EXPECT_TRUE(at.charFormat().background().color() == QColor(198, 239, 206) && !at.charFormat().fontStrikeOut());
    at.setPosition(20); // in epsilon, only in the page now
    EXPECT_TRUE(at.charFormat().fontStrikeOut() && at.charFormat().foreground().color() == QColor(176, 0, 32));
    at.setPosition(32); // in omega, in both
    EXPECT_FALSE(at.charFormat().fontStrikeOut() || at.charFormat().hasProperty(QTextFormat::BackgroundBrush));
    list.setCurrentItem(list.topLevelItem(0));
    ASSERT_TRUE(QFile::remove(history.versions(pages, u"Notes"_s).front().file)); // gone meanwhile
    const QString told = jwtest::messageFrom([&] { dialog.cmdRestore->click(); });
    EXPECT_TRUE(told.startsWith(u"This version could not be read: "_s) && !restored && dialog.isVisible())
        << told.toStdString();
    const QPoint second = list.visualItemRect(list.topLevelItem(1)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second); // a double click restores too
    EXPECT_EQ(std::pair(restored, dialog.result()), std::pair(std::optional(older), int(QDialog::Accepted)));
}
