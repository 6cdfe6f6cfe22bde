#include "editing/linkfinder.h"

#include <algorithm>

namespace jw {

namespace {

constexpr QStringView kWeb = u"www.";
constexpr QStringView kPrefixes[] = {u"http://", u"https://", u"ftp://", u"mailto:", kWeb};

/// What makes a preceding character part of the same word, so that
/// "xhttp://" or "mail@www.x" holds no address of its own.
bool joinsWord(QChar c) { return c.isLetterOrNumber() || c.isMark() || QStringView(u"_@./-").contains(c); }

/// Characters no address holds, wherever they stand.
bool endsAddress(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
           || QStringView(u"<>\"`\u2028\u2029\uFFFC\uFFFD").contains(c);
}

/// `end` moved back over sentence punctuation and over closing brackets
/// whose opening bracket lies outside the address.
qsizetype trimmedEnd(QStringView text, qsizetype start, qsizetype end)
{
    constexpr QStringView kClosers = u")]}";
    constexpr QStringView kOpeners = u"([{";
    while (end > start) {
        const QChar last = text[end - 1];
        if (QStringView(u".,;:!?'*").contains(last)) {
            --end;
            continue;
        }
        const qsizetype kind = kClosers.indexOf(last);
        if (kind < 0)
            break;
        const QStringView body = text.sliced(start, end - start);
        if (body.count(kOpeners[kind]) >= body.count(last))
            break;
        --end;
    }
    return end;
}

} // namespace

QList<FoundLink> findLinks(QStringView text)
{
    QList<FoundLink> found;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t first = text[i].toLower().unicode();
        if ((first != u'h' && first != u'f' && first != u'm' && first != u'w') || (i > 0 && joinsWord(text[i - 1])))
            continue;
        // No prefix starts another, so at most one matches here.
        const auto *prefix = std::find_if(std::begin(kPrefixes), std::end(kPrefixes), [&](QStringView p) {
            return text.sliced(i).startsWith(p, Qt::CaseInsensitive);
        });
        if (prefix == std::end(kPrefixes))
            continue;
        const qsizetype rest = i + prefix->size();
        qsizetype end = rest;
        while (end < n && !endsAddress(text[end]))
            ++end;
        end = trimmedEnd(text, rest, end);
        const QStringView place = text.sliced(rest, end - rest);
        if (std::none_of(place.begin(), place.end(), [](QChar c) { return c.isLetterOrNumber(); }))
            continue;
        QString url = text.sliced(i, end - i).toString();
        if (*prefix == kWeb)
            url.prepend(QStringLiteral("http://"));
        found.append({i, end - i, url});
        i = end - 1;
    }
    return found;
}

} // namespace jw
