// Links over the page: shown, opened with Ctrl+click and from the menu,
// kept in the page when stored, pasted or typed next to.
#include "support/fakehost.h"
#include "support/qtwait.h"
#include "editing/linkview.h"
#include "ui/decorations.h"
#include "ui/richtextedit.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using jw::rtf::CharFormat;
using jw::rtf::Document;

namespace {

/// The middle of the character at document position `pos`, in viewport coordinates.
QPoint pointOf(const jw::ui::RichTextEdit &pad, int pos)
{
    QTextCursor c(pad.document());
    c.setPosition(pos);
    const QRect left = pad.cursorRect(c);
    c.setPosition(pos + 1);
    return QPoint((3 * left.x() + pad.cursorRect(c).x()) / 4, left.center().y());
}

} // namespace

TEST(LinkView, AddressesAndStoredLinksAreShownAndOpenedByCtrlClickOrTheMenuAndKeptInThePage)
{
    jw::ui::RichTextEdit pad;
    pad.resize(500, 200);
    pad.show();
    const CharFormat plain{"DejaVu Sans", 24};
    CharFormat web = plain, file = plain;
    web.href = "https://b.example/x";
    file.href = "file:///etc/passwd";
    // "see www.a.org or here. file"
    const Document page{u"see www.a.org or here. file", {{0, 17, plain}, {17, 4, web}, {21, 2, plain}, {23, 4, file}}};
    pad.setFromDocument(page);
    QList<QUrl> opened;
    jw::LinkView links(pad, [&opened](const QUrl &url) { return opened.append(url), true; });
    pad.decorations().flush();
    EXPECT_EQ(jwtest::marked(pad), u"4-13 17-21"_s) << "a file link is kept but neither shown nor opened";

    for (int after : {24, 13, 21}) // on the file link, just after each of the others
        QTest::mouseClick(pad.viewport(), Qt::LeftButton, Qt::ControlModifier, pointOf(pad, after));
    QTest::mouseClick(pad.viewport(), Qt::LeftButton, Qt::NoModifier, pointOf(pad, 18));
    EXPECT_EQ(pad.textCursor().position(), 18) << "a plain click puts the caret";
    QTest::mouseClick(pad.viewport(), Qt::LeftButton, Qt::ControlModifier, pointOf(pad, 5));
    QTest::mouseClick(pad.viewport(), Qt::LeftButton, Qt::ControlModifier, pointOf(pad, 20));
    EXPECT_EQ(opened, (QList<QUrl>{QUrl(u"http://www.a.org"_s), QUrl(u"https://b.example/x"_s)}));
    EXPECT_EQ(pad.textCursor().position(), 18) << "Ctrl+click on a link leaves the caret";

    QCursor::setPos(pad.viewport()->mapToGlobal(pointOf(pad, 18)));
    QTest::mouseMove(pad.viewport(), pointOf(pad, 18));
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(&pad, &ctrl);
    EXPECT_EQ(pad.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
    QApplication::sendEvent(&pad, &release);
    EXPECT_EQ(pad.viewport()->cursor().shape(), Qt::IBeamCursor);
    QMouseEvent move(QEvent::MouseMove, pointOf(pad, 18), QCursor::pos(), Qt::NoButton, {}, Qt::ControlModifier);
    QApplication::sendEvent(pad.viewport(), &move); // Ctrl held while the mouse comes onto the link
    EXPECT_EQ(pad.viewport()->cursor().shape(), Qt::PointingHandCursor);

    QMenu menu;
    links.addMenuItems(menu, 2);
    EXPECT_TRUE(menu.actions().isEmpty());
    links.addMenuItems(menu, 17);
    ASSERT_EQ(menu.actions().size(), 2);
    EXPECT_EQ(menu.actions()[0]->text(), u"Open Link"_s);
    menu.actions()[1]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"https://b.example/x"_s);
    EXPECT_EQ(pad.toDocument(), page) << "the page keeps its links, and shown addresses are no part of it";
}

TEST(LinkView, PastedLinksKeepTheirAddressAndTextTypedAfterALinkIsNoPartOfIt)
{
    jw::ui::RichTextEdit pad;
    jw::LinkView links(pad, [](const QUrl &) { return true; });
    auto *html = new QMimeData; // the clipboard owns it
    html->setHtml(u"<p>go <a href=\"https://c.example/\">there</a></p>"_s);
    pad.setFocus();
    QApplication::clipboard()->setMimeData(html);
    pad.paste();
    QTest::keyClicks(&pad, u" now"_s);
    const Document doc = pad.toDocument();
    ASSERT_EQ(doc.text, u"go there now");
    ASSERT_EQ(doc.runs.size(), 3u);
    EXPECT_EQ(doc.runs[1].format.href, "https://c.example/");
    EXPECT_EQ(doc.runs[1].length, 5u);
}
