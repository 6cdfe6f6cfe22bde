#include "ui/messagebox.h"

#include <QMessageBox>
#include <QPushButton>

namespace jw::ui {

void MsgBox(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    // Page titles and system reasons may contain '<' or '&'.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace jw::ui

namespace jw::ui {

bool AskBox(QWidget *parent, const QString &text, const QString &yes, const QString &no, const QString &title,
            Default enter)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    QPushButton *yesButton = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton *noButton = box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(enter == Default::Yes ? yesButton : noButton);
    box.setEscapeButton(noButton);
    box.exec();
    return box.clickedButton() == yesButton;
}

} // namespace jw::ui
