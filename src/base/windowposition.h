#pragma once

#include <QString>

#include <optional>

namespace jw {

class SettingsStore;

/// The last window position in the settings (section "Position": "Top",
/// "Left", "Width", "Height" in twips). The section is read by place, so a
/// section holding only the mini window's "Top" and "Left" still works.
class WindowPosition final {
public:
    /// What the section holds; a coordinate that is missing or not a number is empty.
    struct Stored {
        bool exists = false;
        std::optional<double> top, left, width, height;
    };

    explicit WindowPosition(SettingsStore &store) : m_store(store) {}

    Stored read() const;
    /// Records a window's corner (the mini window).
    void recordCorner(double top, double left);
    /// Records a window's corner and outer size (the main window).
    void recordAll(double top, double left, double width, double height);

private:
    void record(const QList<QPair<QString, QString>> &entries);

    SettingsStore &m_store;
    bool m_failureLogged = false;
};

} // namespace jw
