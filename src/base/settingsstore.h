#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace jw {

/// One (key, value) entry of a settings section.
using SettingsEntry = QPair<QString, QString>;
using SettingsEntries = QList<SettingsEntry>;

/// Per-user settings: text values addressed by application, section and key.
///
/// Names compare without regard to letter case and keep the case of their
/// first write. A section keeps its entries in first-write order; rewriting
/// an entry keeps its place. Every operation reads the current file under an
/// inter-process lock, so two running copies do not undo each other's work.
class SettingsStore final {
public:
    /// Uses the JSON file at `filePath` (created on the first write).
    explicit SettingsStore(QString filePath);

    /// $XDG_CONFIG_HOME/jotwell/settings.json (~/.config/... when unset).
    static QString defaultPath();

    QString filePath() const { return m_path; }

    /// The value, or empty text when the entry does not exist.
    QString readOne(const QString &app, const QString &section, const QString &key) const;

    /// The section's entries in order; nullopt when the section is missing or empty.
    std::optional<SettingsEntries> readSection(const QString &app, const QString &section) const;

    /// Creates or replaces one entry. Throws jw::IoError when the file cannot be written.
    void write(const QString &app, const QString &section, const QString &key, const QString &value);

    /// Writes several entries of one section in one file write, in the given order.
    /// Nothing touches the disk when every value is already stored.
    void writeEntries(const QString &app, const QString &section, const SettingsEntries &entries);

    /// Removes one entry; a missing entry is not an error.
    void deleteEntry(const QString &app, const QString &section, const QString &key);

private:
    QString m_path;
};

} // namespace jw
