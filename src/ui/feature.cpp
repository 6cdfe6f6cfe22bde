#include "ui/feature.h"

namespace jw::ui {

QAction *newAction(QObject *owner, const char *name, const QString &caption, const QKeySequence &keys)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
}

} // namespace jw::ui
