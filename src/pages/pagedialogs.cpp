#include "pages/pagedialogs.h"

#include "ui/tabstrip.h"
#include "ui/twips.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace jw {

void setUpToolDialog(QDialog *dialog, const QString &caption, double clientWidth, double clientHeight)
{
    // A tool window with a parent stays out of the taskbar on every desktop.
    dialog->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setWindowTitle(caption);
    dialog->setSizeGripEnabled(false);
    ui::setClientSizeTwips(dialog, clientWidth, clientHeight);
    dialog->setFixedSize(dialog->size());
}

QPushButton *plainButton(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    // In a dialog every button would otherwise become the default while it has the focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

bool isEnterKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

QStringList tabCaptions(const ui::TabStrip &tabs)
{
    QStringList captions;
    for (int i = 1; i <= tabs.count(); ++i)
        captions << tabs.caption(i);
    return captions;
}

} // namespace jw
