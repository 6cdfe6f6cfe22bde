#pragma once

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QMenu;

namespace jw {

namespace ui {
class RichTextEdit;
}

/// The page's right-click menu: what the features offer for the place
/// clicked (spelling suggestions, link commands), then the editor's own
/// commands (undo, cut, copy, paste ...).
class EditorMenu final : public QObject {
    Q_OBJECT

public:
    /// Adds a feature's items for document position `pos` to the menu, or nothing.
    using Section = std::function<void(QMenu &menu, int pos)>;

    explicit EditorMenu(ui::RichTextEdit &pad, QObject *parent = nullptr);

    /// Sections come in the order they were added, a line after each that added items.
    void addSection(Section section);

    /// The menu for a click at `viewportPos`; with no point, for the caret.
    std::unique_ptr<QMenu> menuAt(std::optional<QPoint> viewportPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ui::RichTextEdit &m_pad;
    std::vector<Section> m_sections;
};

} // namespace jw
