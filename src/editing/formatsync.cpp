#include "editing/formatsync.h"

#include <QHash>
#include <QRegularExpression>

#include <cmath>

namespace jw {

namespace {

// Sizes a page file can hold: half points up to what the editor accepts.
constexpr double kLargestSize = 1638;

} // namespace

int sizeEntry(const QStringList &entries, double points)
{
    int shown = -1;
    for (int i = 0; i < entries.size(); ++i) {
        bool ok = false;
        if (entries.at(i).toDouble(&ok) == points && ok)
            shown = i;
    }
    return shown;
}

QString sizeText(double points) { return QString::number(points); }

std::optional<double> typedSize(const QString &text)
{
    QString number = text.trimmed();
    number.replace(u',', u'.');
    bool ok = false;
    const double points = number.toDouble(&ok);
    if (!ok || !std::isfinite(points) || points <= 0 || points > kLargestSize)
        return std::nullopt;
    return std::round(points * 2) / 2;
}

int typedFontEntry(const QStringList &entries, const QString &typed)
{
    const QString name = typed.trimmed();
    const int exact = int(entries.lastIndexOf(name));
    if (exact >= 0 || name.isEmpty())
        return exact;
    int found = -1;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).compare(name, Qt::CaseInsensitive) == 0)
            found = i;
    }
    return found;
}

QStringList plainFontNames(const QStringList &families)
{
    static const QRegularExpression tag(QStringLiteral("\\s*\\[[^\\[\\]]*\\]$"));
    QStringList plain;
    plain.reserve(families.size());
    QHash<QString, int> uses;
    for (const QString &family : families) {
        plain << QString(family).remove(tag);
        ++uses[plain.back()];
    }
    for (int i = 0; i < plain.size(); ++i) {
        if (uses.value(plain.at(i)) > 1)
            plain[i] = families.at(i);
    }
    return plain;
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
