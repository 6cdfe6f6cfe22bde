#include "ui/toolbar.h"

#include <QAction>
#include <QToolButton>

namespace jw::ui {

TwoStateToolbar::TwoStateToolbar(QWidget *parent) : QToolBar(parent)
{
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

int TwoStateToolbar::addButton(const QString &key, const QString &toolTip, const QIcon &picture)
{
    auto *action = new QAction(picture, toolTip, this);
    action->setObjectName(key);
    action->setToolTip(toolTip);
    action->setCheckable(true);
    addAction(action);
    m_buttons.push_back(action);
    const int index = int(m_buttons.size());
    // triggered comes only from the user (or trigger()), after the flip.
    connect(action, &QAction::triggered, this, [this, index] { Q_EMIT ButtonClick(index); });
    return index;
}

int TwoStateToolbar::Value(int index) const
{
    const QAction *action = buttonAction(index);
    return action && action->isChecked() ? 1 : 0;
}

void TwoStateToolbar::setValue(int index, int value)
{
    if (QAction *action = buttonAction(index))
        action->setChecked(value != 0);
}

QString TwoStateToolbar::Key(int index) const
{
    const QAction *action = buttonAction(index);
    return action ? action->objectName() : QString();
}

QAction *TwoStateToolbar::buttonAction(int index) const
{
    if (index < 1 || index > buttonCount())
        return nullptr;
    return m_buttons[std::size_t(index - 1)];
}

QToolButton *TwoStateToolbar::buttonWidget(int index) const
{
    return qobject_cast<QToolButton *>(widgetForAction(buttonAction(index)));
}

} // namespace jw::ui
