#include "editing/formatsync.h"

#include <cfenv>
#include <cmath>

namespace jw {

int roundHalfEven(double value)
{
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(mode);
    // Sizes far outside any list cannot match an entry; keep the cast defined.
    if (!(rounded > -1e9 && rounded < 1e9))
        return rounded > 0 ? 1000000000 : -1000000000;
    return static_cast<int>(rounded);
}

int syncFontEntry(const QStringList &entries, const std::optional<QString> &name, int current)
{
    if (!name)
        return current;
    int shown = current;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i) == *name)
            shown = i;
    }
    return shown;
}

int syncSizeEntry(const QStringList &entries, const std::optional<double> &size, int current)
{
    if (!size || !std::isfinite(*size))
        return current;
    const int rounded = roundHalfEven(*size);
    int shown = current;
    for (int i = 0; i < entries.size(); ++i) {
        bool ok = false;
        const double value = entries.at(i).toDouble(&ok);
        if (ok && roundHalfEven(value) == rounded)
            shown = i;
    }
    return shown;
}

int startupFontEntry(const QStringList &entries)
{
    int shown = -1;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).toLower() == QLatin1StringView("ms sans serif"))
            shown = i;
    }
    return shown;
}

} // namespace jw
