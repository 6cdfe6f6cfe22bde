#include "ui/decorations.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QScrollBar>
#include <QTextDocument>

namespace jw::ui {

namespace {

/// Characters beyond each edge of the view that are marked too, so that a
/// small scroll shows marks at once.
constexpr int kMargin = 512;

} // namespace

Decorations::Decorations(QTextEdit *editor) : QObject(editor), m_editor(editor)
{
    m_timer.setSingleShot(true); // and at its default interval of 0: at the next turn of the event loop
    connect(&m_timer, &QTimer::timeout, this, &Decorations::recompute);
    // textChanged follows the editor's current document, a new one included.
    connect(editor, &QTextEdit::textChanged, this, &Decorations::refresh);
    connect(editor->verticalScrollBar(), &QScrollBar::valueChanged, this, &Decorations::refresh);
    connect(editor->horizontalScrollBar(), &QScrollBar::valueChanged, this, &Decorations::refresh);
    // The range grows as a new page is laid out, which moves what the view shows.
    connect(editor->verticalScrollBar(), &QScrollBar::rangeChanged, this, &Decorations::refresh);
    m_viewport = editor->viewport();
    m_viewport->installEventFilter(this);
}

int Decorations::addProvider(Provider provider)
{
    m_providers.emplace(m_nextId, std::move(provider));
    refresh();
    return m_nextId++;
}

void Decorations::removeProvider(int id)
{
    if (m_providers.erase(id) > 0)
        refresh();
}

void Decorations::refresh()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void Decorations::flush()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    recompute();
}

bool Decorations::eventFilter(QObject *watched, QEvent *event)
{
    // Compared with the pointer kept: while the editor is being destroyed its
    // viewport still gets events, and the editor is no scroll area any more.
    if (watched == m_viewport && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        refresh();
    return QObject::eventFilter(watched, event);
}

std::pair<int, int> Decorations::visibleRange() const
{
    const int end = m_editor->document()->characterCount() - 1;
    const QRect view = m_editor->viewport()->rect();
    // A point in the page's top margin may hit the last block laid out so
    // far, and a page still being laid out may answer a corner wrongly: the
    // two corners in either order still span the view.
    const int margin = int(m_editor->document()->documentMargin()) + 1;
    const int a = m_editor->cursorForPosition(view.topLeft() + QPoint(0, margin)).position();
    const int b = m_editor->cursorForPosition(view.bottomRight()).position();
    return {std::max(0, std::min(a, b) - kMargin), std::min(end, std::max(a, b) + kMargin)};
}

void Decorations::recompute()
{
    QList<QTextEdit::ExtraSelection> all;
    if (!m_providers.empty()) {
        const auto [from, to] = visibleRange();
        for (const auto &[id, provider] : m_providers)
            all += provider(from, to);
    }
    m_editor->setExtraSelections(all);
}

} // namespace jw::ui
