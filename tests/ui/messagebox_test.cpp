// Message boxes: one OK button, no icon, the program's title by default.
#include "ui/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace jw::ui;

namespace {

struct Seen {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::Information;
    int buttons = -1;
    bool ok = false;
};

/// Shows the box, reads it from the modal-widget list and presses OK.
Seen showAndRead(const std::function<void()> &show)
{
    Seen seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&seen, &poll] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        seen.icon = box->icon();
        seen.buttons = int(box->buttons().size());
        seen.ok = box->button(QMessageBox::Ok) != nullptr;
        if (seen.ok)
            box->button(QMessageBox::Ok)->click();
        else
            box->done(0);
    });
    poll.start();
    show();
    return seen;
}

} // namespace

TEST(MessageBox, DefaultTitleOneOkButtonNoIcon)
{
    const Seen seen = showAndRead([] { MsgBox(nullptr, QStringLiteral("The page could not be saved.")); });
    EXPECT_EQ(seen.title, QStringLiteral("Jotwell Pro"));
    EXPECT_EQ(seen.text, QStringLiteral("The page could not be saved."));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.ok);
}

TEST(MessageBox, OwnTitleAndLiteralText)
{
    QWidget parent;
    const Seen seen = showAndRead([&] { MsgBox(&parent, QStringLiteral("<b>R&D</b> is missing"), QStringLiteral("Search")); });
    EXPECT_EQ(seen.title, QStringLiteral("Search"));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.text, QStringLiteral("<b>R&D</b> is missing"));
}
