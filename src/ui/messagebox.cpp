#include "ui/messagebox.h"

#include <QMessageBox>

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
