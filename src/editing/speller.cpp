#include "editing/speller.h"

#include "base/fileio.h"
#include "base/ioerror.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.hxx>

#include <cerrno>

namespace jw {

/// One dictionary in use, with the conversion to and from its encoding.
struct Speller::Loaded {
    QString name;
    std::unique_ptr<Hunspell> hunspell;
    QStringEncoder encode;
    QStringDecoder decode;

    /// The word in the dictionary's encoding; false when it has no such letters.
    bool encoded(const QString &word, std::string &out)
    {
        const QByteArray bytes = encode(word);
        if (encode.hasError()) {
            encode.resetState();
            return false;
        }
        out.assign(bytes.constData(), std::size_t(bytes.size()));
        return true;
    }
};

QList<Dictionary> findDictionaries(const QStringList &folders)
{
    QList<Dictionary> found;
    for (const QString &folder : folders) {
        const QDir dir(folder);
        for (const QFileInfo &aff : dir.entryInfoList({QStringLiteral("*.aff")}, QDir::Files | QDir::Readable)) {
            const QString name = aff.completeBaseName();
            const QString dic = dir.filePath(name + QStringLiteral(".dic"));
            const bool known =
                std::any_of(found.cbegin(), found.cend(), [&](const Dictionary &d) { return d.name == name; });
            if (!known && QFileInfo(dic).isReadable())
                found.append({name, aff.filePath(), dic});
        }
    }
    std::sort(found.begin(), found.end(), [](const Dictionary &a, const Dictionary &b) { return a.name < b.name; });
    return found;
}

QStringList systemDictionaryFolders()
{
    return {QStringLiteral("/usr/share/hunspell"), QStringLiteral("/usr/local/share/hunspell"),
            QStringLiteral("/usr/share/myspell/dicts")};
}

QStringList readWordList(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    QStringList words;
    for (const QString &line : QString::fromUtf8(readWholeFile(path)).split(u'\n')) {
        if (const QString word = line.trimmed(); !word.isEmpty())
            words.append(word);
    }
    return words;
}

void addToWordList(const QString &path, const QString &word)
{
    QStringList words = readWordList(path);
    if (words.contains(word))
        return;
    words.append(word);
    if (!QDir().mkpath(QFileInfo(path).path()))
        throw IoError(QFileInfo(path).path(), qt_error_string(errno));
    writeFileAtomically(path, (words.join(u'\n') + u'\n').toUtf8());
}

Speller::Speller() = default;
Speller::~Speller() = default;

QStringList Speller::load(const QList<Dictionary> &dictionaries)
{
    QStringList failed;
    std::vector<std::unique_ptr<Loaded>> loaded;
    for (const Dictionary &d : dictionaries) {
        auto one = std::make_unique<Loaded>();
        one->name = d.name;
        one->hunspell =
            std::make_unique<Hunspell>(QFile::encodeName(d.aff).constData(), QFile::encodeName(d.dic).constData());
        const QByteArray encoding = QByteArray::fromStdString(one->hunspell->get_dict_encoding());
        one->encode = QStringEncoder(encoding.constData(), QStringConverter::Flag::Stateless);
        one->decode = QStringDecoder(encoding.constData());
        // Hunspell reads no file it cannot open and then knows no word at all.
        if (!one->encode.isValid() || !one->decode.isValid() || !QFileInfo(d.dic).isReadable()) {
            failed.append(d.name);
            continue;
        }
        loaded.push_back(std::move(one));
    }
    const std::lock_guard lock(m_mutex);
    m_dictionaries = std::move(loaded);
    for (const auto &d : m_dictionaries) {
        for (const QString &word : m_ownWords) {
            if (std::string bytes; d->encoded(word, bytes))
                d->hunspell->add(bytes);
        }
    }
    return failed;
}

QStringList Speller::languages() const
{
    const std::lock_guard lock(m_mutex);
    QStringList names;
    for (const auto &d : m_dictionaries)
        names.append(d->name);
    return names;
}

bool Speller::check(const QString &word) const
{
    const std::lock_guard lock(m_mutex);
    if (m_dictionaries.empty() || m_ignored.contains(word))
        return true;
    std::string bytes;
    return std::any_of(m_dictionaries.begin(), m_dictionaries.end(),
                       [&](const auto &d) { return d->encoded(word, bytes) && d->hunspell->spell(bytes); });
}

QStringList Speller::suggest(const QString &word, int max) const
{
    const std::lock_guard lock(m_mutex);
    QStringList out;
    std::string bytes;
    for (const auto &d : m_dictionaries) {
        if (!d->encoded(word, bytes))
            continue;
        for (const std::string &s : d->hunspell->suggest(bytes)) {
            const QString suggestion = d->decode(QByteArray::fromStdString(s));
            if (out.size() < max && !out.contains(suggestion))
                out.append(suggestion);
        }
    }
    return out;
}

void Speller::addOwnWords(const QStringList &words)
{
    const std::lock_guard lock(m_mutex);
    for (const QString &word : words) {
        if (m_ownWords.contains(word))
            continue;
        m_ownWords.append(word);
        for (const auto &d : m_dictionaries) {
            if (std::string bytes; d->encoded(word, bytes))
                d->hunspell->add(bytes);
        }
    }
}

void Speller::ignore(const QString &word)
{
    const std::lock_guard lock(m_mutex);
    m_ignored.insert(word);
}

} // namespace jw
