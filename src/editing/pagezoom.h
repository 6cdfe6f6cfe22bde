#pragma once

#include <QImage>
#include <QObject>

namespace jw {

class SettingsStore;

namespace ui {
class ICommands;
class RichTextEdit;
} // namespace ui

/// The page view's zoom: Ctrl+wheel, Ctrl+= (and Ctrl++), Ctrl+- and Ctrl+0
/// show the text larger or smaller on the screen; the sizes stored with the
/// text stay as they are. The zoom is kept in the settings.
class PageZoom final : public QObject {
    Q_OBJECT

public:
    PageZoom(ui::ICommands &commands, ui::RichTextEdit &pad, SettingsStore &settings, QObject *parent = nullptr);
    ~PageZoom() override;

    /// The zoom in percent (100: as the sizes say).
    int percent() const { return m_percent; }
    /// Sets the zoom (kept between 50 and 400 percent) and keeps it in the settings.
    void setPercent(int percent);
    /// One step larger, smaller, or back to 100 percent.
    void zoomIn();
    void zoomOut();
    void zoomReset();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Lays the page out for the zoom, on each new page too.
    void apply();

    ui::RichTextEdit &m_pad;
    SettingsStore &m_settings;
    int m_percent = 100;
    QImage m_device;                ///< a paint device of the zoomed resolution, for the layout
    const void *m_zoomed = nullptr; ///< the document laid out for m_device
    int m_wheel = 0;                ///< wheel turns not yet a whole step
};

} // namespace jw
