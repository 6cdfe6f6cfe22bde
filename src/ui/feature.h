#pragma once

// What the main window offers the features that build on it: a place for
// their commands in its menus, and the few parts of it they work on. A
// feature is handed these instead of the window, so a test can build one
// feature with stand-ins.

#include <QAction>
#include <QKeySequence>
#include <QString>
#include <QStringList>

class QWidget;

namespace jw {

class SettingsStore;

namespace ui {

class RichTextEdit;
class TabStrip;

/// The places of the menu bar, top to bottom; a menu shows its places in
/// this order and a place its commands in the order they were added. Places
/// without commands take no room, so a place can wait for its feature.
enum class Place {
    // File
    FilePrint,
    FileSave,
    FileExport,
    FileExit,
    // Edit; a line above Clipboard and above Find
    EditUndo,
    EditClipboard,
    EditFind,
    EditFindAll,
    EditPages,
    EditPageHistory,
    EditSpelling,
    EditHotKey,
    EditHide,
    EditOnTop,
    // Help
    HelpAbout,
    HelpTopics,
};

/// Who gets a command's shortcut while a text field has the keys.
enum class Keys {
    Window, ///< the command, even where the field has a use for the key
    Field,  ///< the field first (the editing keys: undo, cut, copy ...)
};

/// The registry of the main window's commands.
class ICommands {
public:
    virtual ~ICommands() = default;
    /// Puts `action` (a submenu's menuAction() too) into the menus at `place`,
    /// after the commands added there before. The caller keeps owning it.
    virtual void add(QAction *action, Place place, Keys keys = Keys::Window) = 0;
    /// A shortcut outside the menus (a toolbar button's) that works in the
    /// whole main window, before the field that has the keys.
    virtual void addKeys(QAction *action) = 0;
};

/// A new action of `owner` with the object name `name` (by which tests find
/// it), `caption` and shortcut `keys`.
QAction *newAction(QObject *owner, const char *name, const QString &caption, const QKeySequence &keys = {});

/// A command of `owner` that runs `handler`, added to `commands` at `place`.
template <class Owner>
QAction *addCommand(ICommands &commands, Owner *owner, const char *name, const QString &caption,
                    const QKeySequence &keys, void (Owner::*handler)(), Place place, Keys who = Keys::Window)
{
    QAction *action = newAction(owner, name, caption, keys);
    QObject::connect(action, &QAction::triggered, owner, handler);
    commands.add(action, place, who);
    return action;
}

/// The page the editor shows and the pages around it, as commands need them.
class ICurrentPage {
public:
    virtual ~ICurrentPage() = default;
    /// The selected page's title; empty without one.
    virtual QString title() const = 0;
    /// Every page's title, first tab to last.
    virtual QStringList titles() const = 0;
    /// Writes the editor to the page's file. A failure is told to the user,
    /// the text stays in the editor and false is returned.
    virtual bool save() = 0;
    /// Makes page `title` current as a click on its tab does, saving the page
    /// left first; false (after telling why) when either step fails.
    virtual bool switchTo(const QString &title) = 0;
    /// Shows `titles` as the tabs with `current` selected. The editor keeps
    /// what it shows; nothing is saved or read.
    virtual void showTitles(const QStringList &titles, const QString &current) = 0;
    /// The page shown was renamed from `oldTitle` to `newTitle`, whose file
    /// already holds the editor's text.
    virtual void renamed(const QString &oldTitle, const QString &newTitle) = 0;
    /// Reads the selected tab's page into the editor, after the page it
    /// showed went away; one that cannot be read is told and shown empty.
    virtual void reload() = 0;
};

/// The main window as the windows and messages of the features see it.
class IHostWindow {
public:
    virtual ~IHostWindow() = default;
    /// The main window: tool windows open beside it and belong to it.
    virtual QWidget *toolOwner() = 0;
    /// The window a message goes above: the main window when it is shown,
    /// else the mini window; none while neither is.
    virtual QWidget *messageParent() = 0;
    /// Tells the user `text` in a message box, or with the start-up's
    /// notices when the first window is not on the screen yet.
    virtual void tell(const QString &text) = 0;
    /// Whether the main window stands at its short height.
    virtual bool atShortHeight() const = 0;
    /// Sets the main window's height back to its full height.
    virtual void RestoreHeight() = 0;
};

/// Everything a feature is handed; each feature keeps what it needs.
struct FeatureContext {
    ICommands &commands;
    RichTextEdit &editor;
    TabStrip &tabs;
    ICurrentPage &page;
    IHostWindow &host;
    SettingsStore &settings;
};

} // namespace ui
} // namespace jw
