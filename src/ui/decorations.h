#pragma once

#include <QList>
#include <QObject>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <map>

namespace jw::ui {

/// Display-only marks over an editor (misspelt words, links, search hits).
///
/// Each provider returns extra selections for a range of document positions
/// (the visible part plus a small margin); the editor's extra selections are
/// all providers' lists, in the order the providers were added. They are
/// recomputed once per event-loop turn after a scroll, a resize, an edit, a
/// new document or refresh(). Nothing of it reaches the text, its file or
/// its undo history.
class Decorations final : public QObject {
    Q_OBJECT

public:
    /// Marks for the document positions [from, to) of the editor's document.
    using Provider = std::function<QList<QTextEdit::ExtraSelection>(int from, int to)>;

    explicit Decorations(QTextEdit *editor);

    /// Adds a provider; returns its id for removeProvider(). Asks for a refresh.
    int addProvider(Provider provider);
    /// Removes a provider and its marks (at the next refresh).
    void removeProvider(int id);

    /// Asks for a recompute at the next event-loop turn; calls coalesce.
    void refresh();
    /// Recomputes now if a refresh is pending.
    void flush();

    /// The range handed to providers: the visible text plus a margin.
    std::pair<int, int> visibleRange() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void recompute();

    QTextEdit *m_editor;
    QWidget *m_viewport = nullptr;
    QTimer m_timer;
    std::map<int, Provider> m_providers;
    int m_nextId = 1;
};

} // namespace jw::ui
