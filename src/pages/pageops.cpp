#include "pages/pageops.h"

#include "pages/pagelist.h"

namespace jw {

int newPagePosition(const std::optional<SettingsEntries> &pageList)
{
    if (!pageList || pageList->isEmpty())
        return 1;
    return static_cast<int>(pageList->size()) + 1;
}

SettingsEntries closeGap(const SettingsEntries &remaining, int removed)
{
    SettingsEntries rewrites;
    for (const auto &[title, value] : remaining) {
        const auto position = toInt32(value);
        if (position && *position > removed)
            rewrites.append({title, QString::number(*position - 1)});
    }
    return rewrites;
}

namespace {

template <typename Fold>
int findDuplicate(const QStringList &captions, const QString &title, Fold fold)
{
    const QString wanted = fold(title);
    for (int i = 0; i < captions.size(); ++i) {
        if (fold(captions.at(i)) == wanted)
            return i + 1;
    }
    return 0;
}

} // namespace

int findDuplicateLower(const QStringList &captions, const QString &title, const QLocale &locale)
{
    return findDuplicate(captions, title, [&](const QString &s) { return locale.toLower(s); });
}

int findDuplicateUpper(const QStringList &captions, const QString &title, const QLocale &locale)
{
    return findDuplicate(captions, title, [&](const QString &s) { return locale.toUpper(s); });
}

} // namespace jw
