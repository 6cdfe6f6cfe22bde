#include "ui/combobox.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace jw::ui {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, this, &ComboBox::onActivated);
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    // currentIndexChanged is not one of our events, so nothing to block.
    setCurrentIndex(index);
}

void ComboBox::chooseIndex(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        return;
    }
    setCurrentIndex(index);
    Q_EMIT Click();
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    // Enter in the field would pick the entry matching the typed text.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool old = m_typing;
    if (enter)
        m_typing = true;
    QComboBox::keyPressEvent(event);
    m_typing = old;
}

void ComboBox::onActivated(int index)
{
    if (m_typing || index < 0)
        return;
    Q_EMIT Click();
}

} // namespace jw::ui
