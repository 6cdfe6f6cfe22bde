#pragma once

#include <QObject>

namespace jw {

class EditorMenu;
class LinkView;
class PageZoom;
class Spelling;

namespace ui {
struct FeatureContext;
}

/// What helps while writing on the page: spelling as the user types, links
/// that open, the page's right-click menu that offers both, and the zoom.
class WritingAids final : public QObject {
    Q_OBJECT

public:
    explicit WritingAids(const ui::FeatureContext &context, QObject *parent = nullptr);
    ~WritingAids() override;

    Spelling &spelling() const { return *m_spelling; }
    LinkView &links() const { return *m_links; }
    PageZoom &zoom() const { return *m_zoom; }
    EditorMenu &menu() const { return *m_menu; }

private:
    Spelling *m_spelling;
    LinkView *m_links;
    PageZoom *m_zoom;
    EditorMenu *m_menu;
};

} // namespace jw
