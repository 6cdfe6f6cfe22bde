#pragma once

#include "ui/feature.h"

#include <QAction>
#include <QStringList>
#include <QTextEdit>

namespace jwtest {

/// A command registry that only keeps the actions it is given.
struct Commands final : jw::ui::ICommands {
    QList<QAction *> actions;
    void add(QAction *action, jw::ui::Place, jw::ui::Keys) override { actions << action; }
    void addKeys(QAction *action) override { actions << action; }
};

/// The editor's marks as "start-end" joined by ' '.
inline QString marked(const QTextEdit &pad)
{
    QStringList out;
    for (const QTextEdit::ExtraSelection &s : pad.extraSelections())
        out << QStringLiteral("%1-%2").arg(s.cursor.selectionStart()).arg(s.cursor.selectionEnd());
    return out.join(u' ');
}

/// A main window that keeps what it is told and owns no windows.
struct Host final : jw::ui::IHostWindow {
    QStringList told;
    QWidget *toolOwner() override { return nullptr; }
    QWidget *messageParent() override { return nullptr; }
    void tell(const QString &text) override { told << text; }
    bool atShortHeight() const override { return false; }
    void RestoreHeight() override {}
};

} // namespace jwtest
