#include "base/settingsstore.h"

#include "base/fileio.h"
#include "base/ioerror.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QLockFile>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace jw {

namespace {

// How long an operation waits for another running copy to finish its own.
constexpr int kLockTimeoutMs = 10000;

struct Section {
    QString name;
    SettingsEntries entries;
};

struct App {
    QString name;
    QList<Section> sections;
};

using Model = QList<App>;

bool sameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

template <typename List>
auto findNamed(List &list, const QString &name) -> decltype(list.begin())
{
    return std::find_if(list.begin(), list.end(),
                        [&](const auto &item) { return sameName(item.name, name); });
}

SettingsEntries::iterator findKey(SettingsEntries &entries, const QString &key)
{
    return std::find_if(entries.begin(), entries.end(),
                        [&](const SettingsEntry &e) { return sameName(e.first, key); });
}

/// Creates or replaces one entry; false when the value was already stored.
bool put(Model &model, const QString &app, const QString &section, const QString &key,
         const QString &value)
{
    auto a = findNamed(model, app);
    if (a == model.end()) {
        model.append(App{app, {}});
        a = model.end() - 1;
    }
    auto s = findNamed(a->sections, section);
    if (s == a->sections.end()) {
        a->sections.append(Section{section, {}});
        s = a->sections.end() - 1;
    }
    auto e = findKey(s->entries, key);
    if (e == s->entries.end()) {
        s->entries.append({key, value});
        return true;
    }
    if (e->second == value)
        return false;
    e->second = value;
    return true;
}

/// Removes one entry and whatever it leaves empty; false when it was missing.
bool remove(Model &model, const QString &app, const QString &section, const QString &key)
{
    auto a = findNamed(model, app);
    if (a == model.end())
        return false;
    auto s = findNamed(a->sections, section);
    if (s == a->sections.end())
        return false;
    auto e = findKey(s->entries, key);
    if (e == s->entries.end())
        return false;
    s->entries.erase(e);
    if (s->entries.isEmpty())
        a->sections.erase(s);
    if (a->sections.isEmpty())
        model.erase(a);
    return true;
}

enum class FileState { Usable, Broken, Unreadable };

struct Loaded {
    FileState state = FileState::Usable;
    Model model;
    QString problem; // why the file is broken or unreadable
};

Loaded broken(QString problem)
{
    return Loaded{FileState::Broken, {}, std::move(problem)};
}

Loaded parse(const QByteArray &bytes)
{
    // An empty file holds nothing that could be lost.
    if (bytes.trimmed().isEmpty())
        return {};

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (doc.isNull())
        return broken(QStringLiteral("not valid JSON: %1 at byte %2")
                          .arg(error.errorString())
                          .arg(error.offset));
    if (!doc.isObject())
        return broken(QStringLiteral("the top level is not a JSON object"));

    Loaded loaded;
    const QJsonObject apps = doc.object();
    for (auto app = apps.begin(); app != apps.end(); ++app) {
        if (!app.value().isObject())
            return broken(QStringLiteral("application \"%1\" is not a JSON object").arg(app.key()));
        const QJsonObject sections = app.value().toObject();
        for (auto section = sections.begin(); section != sections.end(); ++section) {
            if (!section.value().isArray())
                return broken(QStringLiteral("section \"%1\" is not a JSON array").arg(section.key()));
            const QJsonArray entries = section.value().toArray();
            for (const QJsonValue &entry : entries) {
                const QJsonArray pair = entry.toArray();
                if (!entry.isArray() || pair.size() != 2 || !pair.at(0).isString())
                    return broken(QStringLiteral("section \"%1\" holds an entry that is not a [key, value] pair")
                                      .arg(section.key()));
                // A value that is not text cannot have been written by us; leave it out.
                if (!pair.at(1).isString())
                    continue;
                put(loaded.model, app.key(), section.key(), pair.at(0).toString(),
                    pair.at(1).toString());
            }
        }
    }
    return loaded;
}

Loaded load(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    try {
        return parse(readWholeFile(path));
    } catch (const IoError &e) {
        return Loaded{FileState::Unreadable, {}, e.reason()};
    }
}

void appendJsonString(QByteArray &out, const QString &text)
{
    out += '"';
    QString plain; // runs of characters that go out as UTF-8
    const auto flush = [&] {
        out += plain.toUtf8();
        plain.clear();
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            plain += c;
            plain += text.at(++i);
            continue;
        }
        const char *escape = nullptr;
        switch (u) {
        case u'"': escape = "\\\""; break;
        case u'\\': escape = "\\\\"; break;
        case u'\n': escape = "\\n"; break;
        case u'\r': escape = "\\r"; break;
        case u'\t': escape = "\\t"; break;
        case u'\b': escape = "\\b"; break;
        case u'\f': escape = "\\f"; break;
        default: break;
        }
        if (escape) {
            flush();
            out += escape;
        } else if (u < 0x20 || c.isSurrogate()) {
            // Control characters must be escaped; a lone surrogate has no UTF-8 form.
            flush();
            out += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
        } else {
            plain += c;
        }
    }
    flush();
    out += '"';
}

// Written by hand rather than through QJsonDocument so that a person reading
// the file sees one entry per line, sections in the order they were created.
QByteArray serialize(const Model &model)
{
    QByteArray out = "{";
    for (qsizetype a = 0; a < model.size(); ++a) {
        out += a ? ",\n    " : "\n    ";
        appendJsonString(out, model[a].name);
        out += ": {";
        const auto &sections = model[a].sections;
        for (qsizetype s = 0; s < sections.size(); ++s) {
            out += s ? ",\n        " : "\n        ";
            appendJsonString(out, sections[s].name);
            out += ": [";
            const auto &entries = sections[s].entries;
            for (qsizetype e = 0; e < entries.size(); ++e) {
                out += e ? ",\n            [" : "\n            [";
                appendJsonString(out, entries[e].first);
                out += ", ";
                appendJsonString(out, entries[e].second);
                out += ']';
            }
            out += entries.isEmpty() ? "]" : "\n        ]";
        }
        out += sections.isEmpty() ? "}" : "\n    }";
    }
    out += model.isEmpty() ? "}\n" : "\n}\n";
    return out;
}

QString lockFailure(const QLockFile &lock)
{
    switch (lock.error()) {
    case QLockFile::LockFailedError:
        return QStringLiteral("the settings are locked by another running copy");
    case QLockFile::PermissionError:
        return QStringLiteral("Permission denied");
    default:
        return QStringLiteral("the lock file cannot be created");
    }
}

class Lock final {
public:
    explicit Lock(const QString &settingsPath)
        : m_path(settingsPath + QStringLiteral(".lock")), m_lock(m_path)
    {
        // QLockFile's own waiting sleeps 100 ms and more between attempts,
        // far longer than an operation of the other copy takes.
        const QDeadlineTimer deadline(kLockTimeoutMs);
        int pauseMs = 1;
        while (!m_lock.tryLock(0)) {
            if (m_lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
                throw IoError(m_path, lockFailure(m_lock));
            QThread::msleep(pauseMs);
            pauseMs = std::min(pauseMs * 2, 20);
        }
    }

private:
    QString m_path;
    QLockFile m_lock;
};

/// Moves a broken file to a free ".broken" name and tells the user on stderr.
/// The caller holds the lock. Throws when the file cannot be moved, so that
/// it is never written over.
void moveAside(const QString &path, const QString &problem)
{
    QString target = path + QStringLiteral(".broken");
    // An earlier broken file is kept as well.
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".broken.") + QString::number(n);
    QFile file(path);
    if (!file.rename(target)) {
        const QString reason = file.errorString();
        std::fprintf(stderr, "jotwell: the settings file %s is unusable (%s) and could not be moved to %s: %s\n",
                     qPrintable(path), qPrintable(problem), qPrintable(target), qPrintable(reason));
        throw IoError(path, reason);
    }
    std::fprintf(stderr, "jotwell: the settings file %s is unusable (%s); moved it to %s and started with empty settings\n",
                 qPrintable(path), qPrintable(problem), qPrintable(target));
}

/// The current settings for reading. Reads report no errors: an unreadable
/// file reads as empty, a broken one is moved aside.
Model current(const QString &path)
{
    Loaded loaded = load(path);
    if (loaded.state == FileState::Broken) {
        try {
            const Lock lock(path);
            // Another copy may have dealt with it meanwhile.
            loaded = load(path);
            if (loaded.state == FileState::Broken)
                moveAside(path, loaded.problem);
        } catch (const IoError &) {
        }
        return loaded.state == FileState::Usable ? loaded.model : Model{};
    }
    return loaded.model;
}

void makeFolder(const QString &folder)
{
#if defined(Q_OS_WIN)
    const std::filesystem::path native(folder.toStdWString());
#else
    const std::filesystem::path native(QFile::encodeName(folder).toStdString());
#endif
    std::error_code error;
    std::filesystem::create_directories(native, error);
    if (error)
        throw IoError(folder, QString::fromLocal8Bit(error.message()));
}

/// Applies `change` to the current file under the inter-process lock and
/// writes the result when `change` reports a difference.
template <typename Change>
void update(const QString &path, Change change)
{
    // The position is written on every repaint: when the file already says
    // so, leave the disk alone, lock file included.
    {
        Loaded loaded = load(path);
        if (loaded.state == FileState::Usable && !change(loaded.model))
            return;
    }

    makeFolder(QFileInfo(path).absolutePath());

    const Lock lock(path);
    Loaded loaded = load(path);
    switch (loaded.state) {
    case FileState::Usable:
        break;
    case FileState::Broken:
        moveAside(path, loaded.problem);
        loaded.model.clear();
        break;
    case FileState::Unreadable:
        // Writing now would throw away every entry we could not read.
        throw IoError(path, loaded.problem);
    }
    if (change(loaded.model))
        writeFileAtomically(path, serialize(loaded.model));
}

const Section *findSection(const Model &model, const QString &app, const QString &section)
{
    const auto a = findNamed(model, app);
    if (a == model.end())
        return nullptr;
    const auto s = findNamed(a->sections, section);
    return s == a->sections.end() ? nullptr : &*s;
}

} // namespace

SettingsStore::SettingsStore(QString filePath) : m_path(std::move(filePath)) {}

QString SettingsStore::defaultPath()
{
    const QString tail = QStringLiteral("/jotwell/settings.json");
#if defined(Q_OS_WIN)
    const QString appData = qEnvironmentVariable("APPDATA");
    if (!appData.isEmpty())
        return QDir::fromNativeSeparators(appData) + tail;
    return QDir::homePath() + QStringLiteral("/AppData/Roaming") + tail;
#else
    // Relative values are invalid and to be ignored.
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.isEmpty() && QDir::isAbsolutePath(config))
        return QDir::cleanPath(config) + tail;
    return QDir::homePath() + QStringLiteral("/.config") + tail;
#endif
}

QString SettingsStore::readOne(const QString &app, const QString &section, const QString &key) const
{
    const Model model = current(m_path);
    const Section *s = findSection(model, app, section);
    if (!s)
        return {};
    for (const SettingsEntry &e : s->entries) {
        if (sameName(e.first, key))
            return e.second;
    }
    return {};
}

std::optional<SettingsEntries> SettingsStore::readSection(const QString &app,
                                                          const QString &section) const
{
    const Model model = current(m_path);
    const Section *s = findSection(model, app, section);
    if (!s || s->entries.isEmpty())
        return std::nullopt;
    return s->entries;
}

void SettingsStore::write(const QString &app, const QString &section, const QString &key,
                          const QString &value)
{
    update(m_path, [&](Model &model) { return put(model, app, section, key, value); });
}

void SettingsStore::writeEntries(const QString &app, const QString &section,
                                 const SettingsEntries &entries)
{
    update(m_path, [&](Model &model) {
        bool changed = false;
        for (const SettingsEntry &e : entries)
            changed = put(model, app, section, e.first, e.second) || changed;
        return changed;
    });
}

void SettingsStore::deleteEntry(const QString &app, const QString &section, const QString &key)
{
    update(m_path, [&](Model &model) { return remove(model, app, section, key); });
}

} // namespace jw
