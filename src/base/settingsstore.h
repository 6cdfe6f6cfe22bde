#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace jw {

/// One (key, value) entry of a settings section.
using SettingsEntry = QPair<QString, QString>;
using SettingsEntries = QList<SettingsEntry>;

/// Something about the settings file the user should hear of once: a file
/// that was not valid and was moved aside, one that could not be read, or
/// one that could not be written.
struct SettingsNotice {
    enum class Kind { MovedAside, Unreadable, Unwritable, EntriesDropped };
    Kind kind = Kind::MovedAside;
    QString file;    ///< the settings file
    QString movedTo; ///< where a file that was not valid now is
    QString reason;  ///< what was wrong with it; for EntriesDropped, the entries left out
    bool operator==(const SettingsNotice &) const = default;
};

/// Per-user settings: text values addressed by application, section and key.
///
/// Names compare without regard to letter case and keep the case of their
/// first write. A section keeps its entries in first-write order; rewriting
/// an entry keeps its place. Every change reads the current file under an
/// inter-process lock and replaces it atomically, so two running copies do
/// not undo each other's work and a crash leaves the old or the new file.
/// A file that could not be read is never written over. The parsed file is
/// kept until the file changes (another size, time or inode), so reading
/// the settings on every repaint touches no file.
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

    /// Returns false when nothing needs writing; may throw to change nothing.
    using SectionChange = std::function<bool(SettingsEntries &entries)>;

    /// One read-modify-write of a whole section under one lock and one atomic
    /// write: `change` gets the stored entries (empty when there are none)
    /// and leaves the section's new content in them, in order. Returns the
    /// entries as stored afterwards. Throws jw::IoError, or what `change`
    /// throws, with the file unchanged.
    SettingsEntries updateSection(const QString &app, const QString &section, const SectionChange &change);

    /// What happened to the file since the last call, each thing once.
    QList<SettingsNotice> takeNotices();

private:
    struct Cache;
    /// The file as it is now: parsed again only when it changed since the last look.
    std::shared_ptr<const Cache> current() const;
    void remember(std::shared_ptr<const Cache> cache) const;

    QString m_path;
    mutable std::shared_ptr<const Cache> m_cache;
    mutable QList<SettingsNotice> m_notices;
    mutable QList<SettingsNotice> m_given;
};

} // namespace jw
