#include "editing/editormenu.h"

#include "ui/richtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>

namespace jw {

EditorMenu::EditorMenu(ui::RichTextEdit &pad, QObject *parent) : QObject(parent), m_pad(pad)
{
    m_pad.viewport()->installEventFilter(this);
}

void EditorMenu::addSection(Section section) { m_sections.push_back(std::move(section)); }

std::unique_ptr<QMenu> EditorMenu::menuAt(std::optional<QPoint> viewportPos)
{
    const QPoint scroll(m_pad.horizontalScrollBar()->value(), m_pad.verticalScrollBar()->value());
    const QPoint documentPos = viewportPos ? *viewportPos + scroll : m_pad.cursorRect().center() + scroll;
    // The character under the pointer; off the text, the caret place nearest to it.
    int pos = m_pad.textCursor().position();
    if (viewportPos) {
        pos = m_pad.document()->documentLayout()->hitTest(documentPos, Qt::ExactHit);
        if (pos < 0)
            pos = m_pad.cursorForPosition(*viewportPos).position();
    }
    std::unique_ptr<QMenu> menu(m_pad.createStandardContextMenu(documentPos));
    QMenu ours;
    for (const Section &section : m_sections) {
        const auto before = ours.actions().size();
        section(ours, pos);
        if (ours.actions().size() > before)
            ours.addSeparator();
    }
    QAction *first = menu->actions().value(0);
    for (QAction *action : ours.actions()) {
        ours.removeAction(action);
        action->setParent(menu.get());
        menu->insertAction(first, action);
    }
    return menu;
}

bool EditorMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ContextMenu || watched != m_pad.viewport())
        return QObject::eventFilter(watched, event);
    const auto *request = static_cast<QContextMenuEvent *>(event);
    const bool byKeyboard = request->reason() == QContextMenuEvent::Keyboard;
    const std::unique_ptr<QMenu> menu = menuAt(byKeyboard ? std::nullopt : std::optional(request->pos()));
    menu->exec(byKeyboard ? m_pad.viewport()->mapToGlobal(m_pad.cursorRect().center()) : request->globalPos());
    return true;
}

} // namespace jw
