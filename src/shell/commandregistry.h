#pragma once

#include "ui/feature.h"

#include <QKeySequence>
#include <QList>

#include <vector>

class QMenu;
class QMenuBar;

namespace jw {

/// The main window's menus, built from the places of ui::Place: each menu
/// holds its places in order, with a line above the places that start a
/// group; features add their commands into the places.
class CommandRegistry final : public ui::ICommands {
public:
    /// Makes the File, Edit and Help menus in `bar`.
    explicit CommandRegistry(QMenuBar &bar);

    void add(QAction *action, ui::Place place, ui::Keys keys = ui::Keys::Window) override;
    void addKeys(QAction *action) override;

    /// Whether `pressed` is the shortcut of a command that wins over the
    /// field that has the keys.
    bool claims(const QKeySequence &pressed) const;

private:
    struct Slot {
        ui::Place place;
        QMenu *menu = nullptr;
        QAction *line = nullptr; ///< the separator above the place, if any
        QList<QAction *> actions;
    };
    Slot &slot(ui::Place place);
    /// The first thing in the menu below `place`, before which its commands go.
    QAction *below(ui::Place place) const;

    std::vector<Slot> m_slots;
    QList<QAction *> m_windowKeys;
};

} // namespace jw
