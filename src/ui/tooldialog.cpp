#include "ui/tooldialog.h"

#include "ui/dialogplacement.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace jw::ui {

ToolDialog::ToolDialog(QWidget *owner, const QString &caption, double clientWidth, double clientHeight)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                         | Qt::MSWindowsFixedSizeDialogHint),
      m_owner(owner)
{
    // A tool window with a parent stays out of the taskbar on every desktop.
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(caption);
    setSizeGripEnabled(false);
    setClientSizeTwips(this, clientWidth, clientHeight);
    setFixedSize(size());
}

QPushButton *ToolDialog::plainButton(const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    // In a dialog every button would otherwise become the default while it has the focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void ToolDialog::setTextBox(QLineEdit *box)
{
    m_box = box;
    setFocusProxy(box);
    box->setFocus();
    box->installEventFilter(this);
}

void ToolDialog::placeBesideOwner()
{
    if (m_owner)
        applyDialogPlacement(this, m_owner);
}

bool ToolDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter)
            return textBoxKeyDown(13, key->modifiers());
    }
    return QDialog::eventFilter(watched, event);
}

void ToolDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the dialog as Cancel and the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace jw::ui
