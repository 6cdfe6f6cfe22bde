#pragma once

#include "editing/speller.h"
#include "editing/spellrules.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTextEdit>
#include <QTextBlock>
#include <QThread>

#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace jw {

class SettingsStore;

namespace ui {
class ICommands;
class IHostWindow;
class RichTextEdit;
} // namespace ui

/// Spelling as the user types. Misspelt words of the text on the screen
/// get a red wavy underline (display only); a right-click on one offers up
/// to seven suggestions, "Add to Dictionary" (the user's word list, used
/// for every language) and "Ignore All" (for this run). Edit > Spelling
/// turns it on and off and chooses the languages, several at once; both
/// are kept in the settings. Dictionaries load and words are checked on a
/// thread of their own; what was checked is remembered, so typing costs
/// only a look-up per word on the screen.
class Spelling final : public QObject {
    Q_OBJECT

public:
    /// The dictionaries are looked for in `folders`.
    Spelling(ui::ICommands &commands, ui::RichTextEdit &pad, SettingsStore &settings, ui::IHostWindow &host,
             const QStringList &folders = systemDictionaryFolders(), QObject *parent = nullptr);
    ~Spelling() override;

    bool enabled() const { return m_enabled; }
    /// Turns marking on or off, and keeps the choice in the settings.
    void setEnabled(bool on);
    /// The languages in use, by dictionary name.
    QStringList languages() const { return m_languages; }
    /// Uses these of the available dictionaries (at least one), kept in the settings.
    void setLanguages(const QStringList &names);
    /// The dictionaries found on the system.
    const QList<Dictionary> &available() const { return m_available; }

    /// The misspelt word at document position `pos` (on it or just after it).
    std::optional<WordSpan> misspeltAt(int pos) const;
    /// The suggestions, "Add to Dictionary" and "Ignore All" for a misspelt word at `pos`.
    void addMenuItems(QMenu &menu, int pos);
    /// True when nothing is loading or being checked.
    bool settled() const { return m_asked.isEmpty() && !m_loading; }

private:
    /// A paragraph's marks as they were at its revision, and its words that
    /// had no answer then.
    struct BlockMarks {
        int revision = -1;
        int length = 0;
        bool atCaret = false;
        QList<QTextEdit::ExtraSelection> marks;
        QStringList unknown;
    };
    QList<QTextEdit::ExtraSelection> marks(int from, int to);
    /// The marks of `block`; the word ending at `caret` is still being typed.
    QList<QTextEdit::ExtraSelection> blockMarks(const QTextBlock &block, int caret);
    void buildMenu(ui::ICommands &commands);
    /// Forgets what was checked and loads the chosen dictionaries afresh.
    void reload();
    /// Asks the checking thread about `words`.
    void ask(const QStringList &words);
    void answered(const QHash<QString, bool> &right, quint64 generation);
    /// Takes `word` as right: for good (the word list) or for this run.
    void accept(const QString &word, bool forGood);
    void store(const QString &key, const QString &value);

    ui::RichTextEdit &m_pad;
    SettingsStore &m_settings;
    ui::IHostWindow &m_host;
    QString m_wordList;
    std::shared_ptr<Speller> m_speller;
    QThread m_thread;
    QObject *m_worker; ///< lives in m_thread
    QList<Dictionary> m_available;
    QStringList m_languages;
    bool m_enabled = true;
    bool m_loading = false;
    quint64 m_generation = 0;        ///< answers of an older one are dropped
    QHash<QString, bool> m_right;    ///< checked words: right or not
    QSet<QString> m_asked;           ///< sent to the thread, not answered yet
    QHash<int, BlockMarks> m_blocks; ///< by block fragment index, the paragraphs last in view
    int m_provider = 0;
    QMenu *m_menu = nullptr;
    QAction *m_onOff = nullptr;
};

} // namespace jw
