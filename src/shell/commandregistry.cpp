#include "shell/commandregistry.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace jw {

using ui::Place;

namespace {

struct MenuLayout {
    const char *name;
    const char *caption;
    // Places in order; `true` puts a line above the place.
    std::vector<std::pair<Place, bool>> places;
};

const std::vector<MenuLayout> &menuLayout()
{
    static const std::vector<MenuLayout> layout{
        {"mnuFile",
         QT_TRANSLATE_NOOP("frmMain", "&File"),
         {{Place::FilePrint, false}, {Place::FileSave, false}, {Place::FileExport, false}, {Place::FileExit, false}}},
        {"mnuEdit",
         QT_TRANSLATE_NOOP("frmMain", "&Edit"),
         {{Place::EditUndo, false},
          {Place::EditClipboard, true},
          {Place::EditFind, true},
          {Place::EditFindAll, false},
          {Place::EditPages, false},
          {Place::EditPageHistory, false},
          {Place::EditSpelling, false},
          {Place::EditHotKey, false},
          {Place::EditHide, false},
          {Place::EditOnTop, false}}},
        {"mnuHelp", QT_TRANSLATE_NOOP("frmMain", "&Help"), {{Place::HelpAbout, false}, {Place::HelpTopics, false}}},
    };
    return layout;
}

} // namespace

CommandRegistry::CommandRegistry(QMenuBar &bar)
{
    for (const MenuLayout &layout : menuLayout()) {
        QMenu *menu = bar.addMenu(QCoreApplication::translate("frmMain", layout.caption));
        menu->setObjectName(QString::fromLatin1(layout.name));
        // A line with nothing above or below it is not shown.
        menu->setSeparatorsCollapsible(true);
        for (const auto &[place, line] : layout.places)
            m_slots.push_back({place, menu, line ? menu->addSeparator() : nullptr, {}});
    }
}

CommandRegistry::Slot &CommandRegistry::slot(Place place)
{
    return *std::find_if(m_slots.begin(), m_slots.end(), [&](const Slot &s) { return s.place == place; });
}

QAction *CommandRegistry::below(Place place) const
{
    auto it = std::find_if(m_slots.begin(), m_slots.end(), [&](const Slot &s) { return s.place == place; });
    const QMenu *menu = it->menu;
    for (++it; it != m_slots.end() && it->menu == menu; ++it) {
        if (it->line)
            return it->line;
        if (!it->actions.isEmpty())
            return it->actions.front();
    }
    return nullptr;
}

void CommandRegistry::add(QAction *action, Place place, ui::Keys keys)
{
    Slot &s = slot(place);
    s.menu->insertAction(below(place), action);
    s.actions << action;
    if (keys == ui::Keys::Window)
        m_windowKeys << action;
}

void CommandRegistry::addKeys(QAction *action) { m_windowKeys << action; }

bool CommandRegistry::claims(const QKeySequence &pressed) const
{
    return std::any_of(m_windowKeys.begin(), m_windowKeys.end(), [&](const QAction *action) {
        return action->isEnabled() && action->shortcuts().contains(pressed);
    });
}

} // namespace jw
