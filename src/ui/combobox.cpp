#include "ui/combobox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace jw::ui {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // A name too long for the list loses its end, never its start.
    view()->setTextElideMode(Qt::ElideRight);
    connect(this, &QComboBox::activated, this, &ComboBox::onActivated);
    connect(this, &QComboBox::currentIndexChanged, this, &ComboBox::showStart);
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    // currentIndexChanged is not one of our events, so nothing to block.
    setCurrentIndex(index);
    // The field may hold typed text over the same entry.
    setEditText(index >= 0 ? itemText(index) : QString());
    showStart();
}

void ComboBox::setText(const QString &text)
{
    setCurrentIndex(-1);
    setEditText(text);
    showStart();
}

void ComboBox::chooseIndex(int index)
{
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        return;
    }
    setListIndex(index);
    Q_EMIT Click();
}

void ComboBox::showPopup()
{
    const int frame = 2 * view()->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    view()->setMinimumWidth(std::max(width(), view()->sizeHintForColumn(0) + frame));
    QComboBox::showPopup();
}

void ComboBox::keyPressEvent(QKeyEvent *event)
{
    // Enter would pick the entry matching the typed text on its own terms;
    // the owner decides what the text means.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT Entered();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        Q_EMIT Escaped();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void ComboBox::refuse(const QString &why)
{
    QApplication::beep();
    QToolTip::showText(mapToGlobal(QPoint(0, height())), why, this);
}

void ComboBox::onActivated(int index)
{
    if (index < 0)
        return;
    Q_EMIT Click();
}

void ComboBox::showStart()
{
    if (QLineEdit *field = lineEdit())
        field->setCursorPosition(0);
}

} // namespace jw::ui
