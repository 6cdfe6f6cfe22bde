#include "pages/pagelist.h"

#include <cmath>
#include <limits>

namespace jw {

namespace {

std::optional<double> toNumber(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return std::nearbyint(value); // the default rounding mode rounds halves to even
}

template <typename Int>
std::optional<Int> toInt(const QString &text)
{
    const auto value = toNumber(text);
    if (!value || *value < std::numeric_limits<Int>::min() || *value > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(*value);
}

} // namespace

std::optional<qint16> toInt16(const QString &text) { return toInt<qint16>(text); }
std::optional<qint32> toInt32(const QString &text) { return toInt<qint32>(text); }

QStringList tabCaptionsFromPageList(const SettingsEntries &entries)
{
    QStringList captions(entries.size());
    for (const auto &[title, value] : entries) {
        const auto p = toInt16(value);
        if (p && *p >= 1 && *p <= captions.size())
            captions[*p - 1] = title;
    }
    return captions;
}

SettingsEntries defaultPageList()
{
    return {{QStringLiteral("Welcome"), QStringLiteral("1")}, {QStringLiteral("Notes"), QStringLiteral("2")}};
}

} // namespace jw
