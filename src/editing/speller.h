#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <vector>

namespace jw {

/// A Hunspell dictionary on the system: NAME.aff and NAME.dic in one folder.
struct Dictionary {
    QString name; ///< "en_US"
    QString aff;
    QString dic;
    bool operator==(const Dictionary &) const = default;
};

/// The dictionaries in `folders`, sorted by name; a name found in an
/// earlier folder hides the same name in a later one.
QList<Dictionary> findDictionaries(const QStringList &folders);

/// Where the system keeps its dictionaries.
QStringList systemDictionaryFolders();

/// The user's own words: one word per line, UTF-8; a missing file is an empty list.
QStringList readWordList(const QString &path);
/// Adds `word` to the list at `path` (created with its folder), atomically.
/// Throws jw::IoError with the system's reason.
void addToWordList(const QString &path, const QString &word);

/// Words checked against one or more Hunspell dictionaries at once: a word
/// is right when any of them knows it, or the user added it, or ignores it
/// for this run. Every method may be called from any thread.
class Speller final {
public:
    Speller();
    ~Speller();
    Speller(const Speller &) = delete;
    Speller &operator=(const Speller &) = delete;

    /// Loads `dictionaries` in place of those in use (slow: keep it off the
    /// user-interface thread). Returns the names of those that could not be
    /// loaded.
    QStringList load(const QList<Dictionary> &dictionaries);
    /// The names of the dictionaries in use.
    QStringList languages() const;

    /// Whether `word` is right. With no dictionary in use every word is.
    bool check(const QString &word) const;
    /// Up to `max` replacements for `word`, best first, none twice.
    QStringList suggest(const QString &word, int max = 7) const;

    /// Words every dictionary takes as right, now and after a load.
    void addOwnWords(const QStringList &words);
    /// Takes `word` as right for the rest of this run.
    void ignore(const QString &word);

private:
    struct Loaded;
    mutable std::mutex m_mutex;
    std::vector<std::unique_ptr<Loaded>> m_dictionaries;
    QStringList m_ownWords;
    QSet<QString> m_ignored;
};

} // namespace jw
