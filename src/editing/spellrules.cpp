#include "editing/spellrules.h"

#include "editing/linkfinder.h"

#include <QLocale>

namespace jw {

namespace {

bool isApostrophe(QChar c) { return c == u'\'' || c == u'\u2019'; }

/// Whether the word [start, end) is part of a name, not of a sentence.
bool partOfName(QStringView text, qsizetype start, qsizetype end)
{
    constexpr QStringView kJoiners = u"@/\\_";
    const qsizetype n = text.size();
    const QChar before = start > 0 ? text[start - 1] : QChar();
    const QChar after = end < n ? text[end] : QChar();
    if (kJoiners.contains(before) || kJoiners.contains(after))
        return true;
    // A dot between letters joins a name ("notes.txt"); a sentence's dot is followed by a space.
    return (before == u'.' && start >= 2 && text[start - 2].isLetterOrNumber())
           || (after == u'.' && end + 1 < n && text[end + 1].isLetterOrNumber());
}

/// The language part and the whole of a locale name ("de_DE.UTF-8@euro" gives "de", "de_DE").
std::pair<QString, QString> localeParts(QString value)
{
    value = value.section(u'.', 0, 0).section(u'@', 0, 0).replace(u'-', u'_');
    return {value.section(u'_', 0, 0), value};
}

} // namespace

QList<WordSpan> spellWords(QStringView text)
{
    const QList<FoundLink> links = findLinks(text);
    auto link = links.cbegin();
    QList<WordSpan> words;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (!text[i].isLetterOrNumber()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        bool digits = false;
        while (i < n) {
            const QChar c = text[i];
            if (c.isLetterOrNumber() || c.isMark()) {
                digits = digits || c.isDigit();
                ++i;
            } else if (isApostrophe(c) && i + 1 < n && text[i + 1].isLetter()) {
                ++i;
            } else {
                break;
            }
        }
        while (link != links.cend() && link->start + link->length <= start)
            ++link;
        const bool inLink = link != links.cend() && link->start < i;
        if (!digits && !inLink && !partOfName(text, start, i))
            words.append({start, i - start});
    }
    return words;
}

QString desktopLanguage(const QStringList &available, const std::function<QString(const char *)> &env)
{
    QStringList wanted = env("LANGUAGE").split(u':', Qt::SkipEmptyParts);
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        wanted.append(env(name));
    for (const QString &value : wanted) {
        const auto [language, whole] = localeParts(value);
        if (language.isEmpty() || language == u"C" || language == u"POSIX")
            continue;
        if (available.contains(whole))
            return whole;
        // By language alone: its home country's dictionary first ("de_DE"), else any.
        const QString home = language + u'_' + language.toUpper();
        if (available.contains(home))
            return home;
        for (const QString &name : available) {
            if (name.startsWith(language + u'_'))
                return name;
        }
    }
    if (available.contains(QStringLiteral("en_US")))
        return QStringLiteral("en_US");
    return available.value(0);
}

QString languageLabel(const QString &dictionary)
{
    const QLocale locale(dictionary);
    if (locale.language() == QLocale::C || !dictionary.startsWith(QLocale::languageToCode(locale.language())))
        return dictionary;
    const QString language = QLocale::languageToString(locale.language());
    if (!dictionary.contains(u'_'))
        return language;
    return QStringLiteral("%1 (%2)").arg(language, QLocale::territoryToString(locale.territory()));
}

} // namespace jw
