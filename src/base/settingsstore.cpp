#include "base/settingsstore.h"

#include "base/fileio.h"
#include "base/filelock.h"
#include "base/ioerror.h"
#include "base/log.h"
#include "base/names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace jw {

namespace {

struct Section {
    QString name;
    SettingsEntries entries;
};

struct App {
    QString name;
    QList<Section> sections;
};

using Model = QList<App>;

bool sameName(const QString &a, const QString &b) { return sameTitle(a, b); }

template <typename List>
auto findNamed(List &list, const QString &name) -> decltype(list.begin())
{
    return std::find_if(list.begin(), list.end(), [&](const auto &item) { return sameName(item.name, name); });
}

SettingsEntries::iterator findKey(SettingsEntries &entries, const QString &key)
{
    return std::find_if(entries.begin(), entries.end(), [&](const SettingsEntry &e) { return sameName(e.first, key); });
}

/// Puts `incoming` into `stored`: a key already there (in any case) takes
/// the new value in its place, a new key goes at the end. Linear, as page
/// lists run to thousands of entries. False when nothing changed.
bool mergeEntries(SettingsEntries &stored, const SettingsEntries &incoming)
{
    QHash<QString, qsizetype> at;
    at.reserve(stored.size() + incoming.size());
    for (qsizetype i = stored.size() - 1; i >= 0; --i)
        at.insert(titleKey(stored.at(i).first), i); // the first of equal keys stays
    bool changed = false;
    for (const SettingsEntry &e : incoming) {
        const QString key = titleKey(e.first);
        const auto it = at.constFind(key);
        if (it == at.cend()) {
            at.insert(key, stored.size());
            stored.append(e);
            changed = true;
        } else if (stored.at(*it).second != e.second) {
            stored[*it].second = e.second;
            changed = true;
        }
    }
    return changed;
}

/// Creates or replaces entries of one section; false when all were already stored.
bool put(Model &model, const QString &app, const QString &section, const SettingsEntries &entries)
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
    return mergeEntries(s->entries, entries);
}

/// Gives a section new content; an empty one goes, and so does an application left empty.
void replaceSection(Model &model, const QString &app, const QString &section, const SettingsEntries &entries)
{
    auto a = findNamed(model, app);
    if (a == model.end()) {
        if (entries.isEmpty())
            return;
        model.append(App{app, {}});
        a = model.end() - 1;
    }
    auto s = findNamed(a->sections, section);
    if (s == a->sections.end()) {
        if (!entries.isEmpty())
            a->sections.append(Section{section, entries});
    } else if (entries.isEmpty()) {
        a->sections.erase(s);
    } else {
        s->entries = entries;
    }
    if (a->sections.isEmpty())
        model.erase(a);
}

const Section *findSection(const Model &model, const QString &app, const QString &section);

enum class FileState { Usable, Broken, Unreadable };

struct Loaded {
    FileState state = FileState::Usable;
    Model model;
    QString problem;     // why the file is broken or unreadable
    QStringList dropped; // entries left out
};

Loaded broken(QString problem) { return Loaded{FileState::Broken, {}, std::move(problem), {}}; }

/// The [key, value] pairs of one section; nullopt when one is no pair.
/// Entries that hold no text are left out, and keys read before (in
/// `model` or here) are replaced; both are named in `dropped`.
std::optional<SettingsEntries> readEntries(const Model &model, const QString &app, const QString &section,
                                           const QJsonArray &entries, QStringList &dropped)
{
    QSet<QString> seen;
    if (const Section *before = findSection(model, app, section)) {
        for (const SettingsEntry &e : before->entries)
            seen.insert(titleKey(e.first));
    }
    SettingsEntries read;
    read.reserve(entries.size());
    for (const QJsonValue &entry : entries) {
        const QJsonArray pair = entry.toArray();
        if (!entry.isArray() || pair.size() != 2 || !pair.at(0).isString())
            return std::nullopt;
        const QString key = pair.at(0).toString();
        const QString where = QStringLiteral("\"%1\" in section \"%2\"").arg(key, section);
        // A hand-edited number means its decimal text; other kinds hold no value of ours.
        const QJsonValue value = pair.at(1);
        if (!value.isString() && !value.isDouble()) {
            dropped << where + QCoreApplication::translate("jw::SettingsStore", " (no text value)");
            continue;
        }
        // As ever, the last value of a key wins, in the first one's place.
        if (seen.contains(titleKey(key)))
            dropped << where
                           + QCoreApplication::translate(
                               "jw::SettingsStore", " (an earlier entry of that name, whose value this one replaces)");
        seen.insert(titleKey(key));
        read.append({key, value.isString() ? value.toString() : QString::number(value.toDouble(), 'g', 17)});
    }
    return read;
}

Loaded parse(const QByteArray &bytes)
{
    // An empty file holds nothing that could be lost.
    if (bytes.trimmed().isEmpty())
        return {};

    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (doc.isNull())
        return broken(QCoreApplication::translate("jw::SettingsStore", "not valid JSON: %1 at byte %2")
                          .arg(error.errorString())
                          .arg(error.offset));
    if (!doc.isObject())
        return broken(QCoreApplication::translate("jw::SettingsStore", "the top level is not a JSON object"));

    Loaded loaded;
    const QJsonObject apps = doc.object();
    for (auto app = apps.begin(); app != apps.end(); ++app) {
        if (!app.value().isObject())
            return broken(QStringLiteral("application \"%1\" is not a JSON object").arg(app.key()));
        const QJsonObject sections = app.value().toObject();
        for (auto section = sections.begin(); section != sections.end(); ++section) {
            if (!section.value().isArray())
                return broken(QStringLiteral("section \"%1\" is not a JSON array").arg(section.key()));
            const auto read =
                readEntries(loaded.model, app.key(), section.key(), section.value().toArray(), loaded.dropped);
            if (!read)
                return broken(
                    QStringLiteral("section \"%1\" holds an entry that is not a [key, value] pair").arg(section.key()));
            if (!read->isEmpty())
                put(loaded.model, app.key(), section.key(), *read);
        }
    }
    if (!loaded.dropped.isEmpty())
        qCWarning(lcSettings).noquote() << "left out of the settings:" << loaded.dropped.join(QStringLiteral("; "));
    return loaded;
}

Loaded load(const QString &path)
{
    const QFileInfo info(path);
    // A link whose file is missing may point into a folder not mounted yet:
    // writing would put a new file there or replace the link.
    if (info.isSymLink() && !info.exists())
        return Loaded{FileState::Unreadable,
                      {},
                      QStringLiteral("it is a link to \"%1\", which does not exist").arg(info.symLinkTarget()),
                      {}};
    if (!info.exists())
        return {};
    try {
        return parse(readWholeFile(path));
    } catch (const IoError &e) {
        return Loaded{FileState::Unreadable, {}, e.reason(), {}};
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
// the file sees one entry per line.
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

QString lockPath(const QString &path) { return path + QStringLiteral(".lock"); }

/// Moves a broken file to a free "(broken)" name; returns that name. The
/// caller holds the lock. Throws when the file cannot be moved, so that it
/// is never written over.
QString moveAside(const QString &path, const QString &problem)
{
    // An earlier broken file is kept as well.
    const QString target =
        asideName(path, QStringLiteral("broken"), [](const QString &name) { return QFileInfo::exists(name); });
    QFile file(path);
    if (!file.rename(target)) {
        qCWarning(lcSettings).noquote() << "the settings file" << path << "is not valid (" << problem
                                        << ") and could not be moved to" << target << ":" << file.errorString();
        throw IoError(path, file.errorString());
    }
    qCWarning(lcSettings).noquote() << "the settings file" << path << "was not valid (" << problem << "); moved it to"
                                    << target;
    return target;
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

const Section *findSection(const Model &model, const QString &app, const QString &section)
{
    const auto a = findNamed(model, app);
    if (a == model.end())
        return nullptr;
    const auto s = findNamed(a->sections, section);
    return s == a->sections.end() ? nullptr : &*s;
}

/// Whether every one of `entries` is stored with that value already.
bool holds(const Model &model, const QString &app, const QString &section, const SettingsEntries &entries)
{
    const Section *s = findSection(model, app, section);
    return std::all_of(entries.begin(), entries.end(), [&](const SettingsEntry &e) {
        if (!s)
            return false;
        const auto at = std::find_if(s->entries.begin(), s->entries.end(),
                                     [&](const SettingsEntry &stored) { return sameName(stored.first, e.first); });
        return at != s->entries.end() && at->second == e.second;
    });
}

/// The file as it stands for a change: read under the lock, a file that
/// was not valid moved aside first. Throws for a file that cannot be read.
Model lockedModel(const QString &path, Loaded loaded, QList<SettingsNotice> &notices)
{
    switch (loaded.state) {
    case FileState::Usable: break;
    case FileState::Broken: {
        const QString movedTo = moveAside(path, loaded.problem);
        notices.append({SettingsNotice::Kind::MovedAside, path, movedTo, loaded.problem});
        loaded.model.clear();
        break;
    }
    case FileState::Unreadable:
        // Writing now would throw away every entry we could not read.
        throw IoError(path, loaded.problem);
    }
    return loaded.model;
}

} // namespace

struct SettingsStore::Cache {
    FileStamp stamp;
    Loaded loaded;
};

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

namespace {

// The notices a store has given, so that each is given once per run.
void note(QList<SettingsNotice> &pending, QList<SettingsNotice> &given, const SettingsNotice &notice)
{
    if (given.contains(notice))
        return;
    given.append(notice);
    pending.append(notice);
}

} // namespace

QString SettingsStore::readOne(const QString &app, const QString &section, const QString &key) const
{
    if (const auto entries = readSection(app, section)) {
        for (const SettingsEntry &e : *entries) {
            if (sameName(e.first, key))
                return e.second;
        }
    }
    return {};
}

std::shared_ptr<const SettingsStore::Cache> SettingsStore::current() const
{
    // Looked at before it is read, so a change in between is seen at the next look.
    const FileStamp stamp = fileStamp(m_path);
    if (m_cache && m_cache->stamp == stamp)
        return m_cache;
    auto fresh = std::make_shared<const Cache>(Cache{stamp, load(m_path)});
    const Loaded &loaded = fresh->loaded;
    if (!loaded.dropped.isEmpty())
        note(m_notices, m_given,
             {SettingsNotice::Kind::EntriesDropped, m_path, {}, loaded.dropped.join(QStringLiteral("; "))});
    if (loaded.state == FileState::Unreadable) {
        qCWarning(lcSettings).noquote() << "cannot read the settings file" << m_path << ":" << loaded.problem;
        note(m_notices, m_given, {SettingsNotice::Kind::Unreadable, m_path, {}, loaded.problem});
    }
    if (loaded.state == FileState::Usable)
        remember(fresh);
    return fresh;
}

void SettingsStore::remember(std::shared_ptr<const Cache> cache) const { m_cache = std::move(cache); }

std::optional<SettingsEntries> SettingsStore::readSection(const QString &app, const QString &section) const
{
    const std::shared_ptr<const Cache> now = current();
    const Model *model = &now->loaded.model;
    Model fixed;
    if (now->loaded.state == FileState::Broken) {
        try {
            const FileLock lock(lockPath(m_path));
            QList<SettingsNotice> found;
            fixed = lockedModel(m_path, current()->loaded, found); // another copy may have dealt with it meanwhile
            for (const SettingsNotice &n : found)
                note(m_notices, m_given, n);
        } catch (const IoError &error) {
            qCWarning(lcSettings) << "reading the settings as empty:" << error.what();
            fixed.clear();
        }
        model = &fixed;
    }
    const Section *s = findSection(*model, app, section);
    if (!s || s->entries.isEmpty())
        return std::nullopt;
    return s->entries;
}

SettingsEntries SettingsStore::updateSection(const QString &app, const QString &section, const SectionChange &change)
{
    const auto unwritable = [&](const IoError &error) {
        note(m_notices, m_given, {SettingsNotice::Kind::Unwritable, m_path, {}, error.reason()});
    };
    std::optional<FileLock> lock;
    try {
        makeFolder(QFileInfo(m_path).absolutePath());
        lock.emplace(lockPath(m_path));
    } catch (const IoError &error) {
        unwritable(error);
        throw;
    }
    QList<SettingsNotice> found;
    Model model = lockedModel(m_path, current()->loaded, found);
    for (const SettingsNotice &n : found)
        note(m_notices, m_given, n);

    const Section *old = findSection(model, app, section);
    SettingsEntries entries = old ? old->entries : SettingsEntries{};
    if (!change(entries))
        return entries;
    replaceSection(model, app, section, entries);
    try {
        const QByteArray bytes = serialize(model);
        const FileStamp written = writeFileAtomically(m_path, bytes);
        // As a later read would see it (sections in name order).
        remember(std::make_shared<const Cache>(Cache{written, parse(bytes)}));
    } catch (const IoError &error) {
        unwritable(error);
        throw;
    }
    return entries;
}

void SettingsStore::write(const QString &app, const QString &section, const QString &key, const QString &value)
{
    writeEntries(app, section, {{key, value}});
}

void SettingsStore::writeEntries(const QString &app, const QString &section, const SettingsEntries &entries)
{
    // The position is written on every repaint: when the file already says
    // so, leave the disk alone, lock file included.
    const std::shared_ptr<const Cache> before = current();
    if (before->loaded.state == FileState::Usable && holds(before->loaded.model, app, section, entries))
        return;
    updateSection(app, section, [&](SettingsEntries &stored) { return mergeEntries(stored, entries); });
}

void SettingsStore::deleteEntry(const QString &app, const QString &section, const QString &key)
{
    updateSection(app, section, [&](SettingsEntries &stored) {
        const auto at = findKey(stored, key);
        if (at == stored.end())
            return false;
        stored.erase(at);
        return true;
    });
}

QList<SettingsNotice> SettingsStore::takeNotices() { return std::exchange(m_notices, {}); }

} // namespace jw
