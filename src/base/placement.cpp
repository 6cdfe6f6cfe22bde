#include "base/placement.h"

#include <algorithm>
#include <cmath>

namespace jw {

QString twipsText(double twips)
{
    const float value = static_cast<float>(twips);
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == std::trunc(value) && std::fabs(value) < 1e15f)
        return QString::number(static_cast<qint64>(value));
    // Single precision keeps about seven significant digits.
    QString text = QString::number(static_cast<double>(value), 'f', 7);
    const int digits = text.indexOf(QLatin1Char('.'));
    const int keep = std::max(0, 7 - (digits - (value < 0 ? 1 : 0)));
    text = QString::number(static_cast<double>(value), 'f', keep);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

std::optional<qint32> toInt32(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode rounds halves to even
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

namespace {

// The classic conversion of a coordinate to a whole number: halves to even.
qint32 wholeTwips(float value)
{
    const double rounded = std::nearbyint(static_cast<double>(value));
    if (rounded >= 2147483647.0)
        return 2147483647;
    if (rounded <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<qint32>(rounded);
}

} // namespace

ExpandPlacement expandPlacement(Corner mini, double screenWidth, double screenHeight)
{
    // The comparisons are made in single precision, as the coordinates are held.
    const float top = static_cast<float>(mini.top);
    const float left = static_cast<float>(mini.left);
    const float lowest = static_cast<float>(screenHeight) - 4350.0f;
    const float rightmost = static_cast<float>(screenWidth) - 4770.0f;
    ExpandPlacement result;
    if (lowest >= top) {
        result.main.top = top;
    } else {
        result.rememberTop = wholeTwips(top);
        result.main.top = lowest;
    }
    if (left > rightmost) {
        result.rememberLeft = wholeTwips(left);
        result.main.left = rightmost;
    } else {
        result.main.left = left;
    }
    return result;
}

Corner shrinkPlacement(Corner main, qint32 &iTop, qint32 &iLeft)
{
    Corner mini = main;
    if (iTop != 0) {
        mini.top = iTop;
        iTop = 0;
    }
    if (iLeft != 0) {
        mini.left = iLeft;
        iLeft = 0;
    }
    return mini;
}

Corner dialogPlacement(Corner main, Widths widths, double screenHeight)
{
    Corner dialog;
    if (main.left + widths.main + widths.dialog <= widths.screen)
        dialog.left = main.left + widths.main;
    else if (main.left - widths.dialog >= 0)
        dialog.left = main.left - widths.dialog;
    else
        dialog.left = main.left < 4000 ? main.left + 4770 : main.left - 4000;
    dialog.top = main.top > screenHeight - 1725 ? main.top + 960 - 1725 : main.top;
    return dialog;
}

Corner helpPlacement(Corner main, Widths widths, double height, double screenHeight)
{
    const double right = main.left + widths.main;
    Corner help;
    if (right + widths.dialog <= widths.screen)
        help.left = right;
    else if (main.left - widths.dialog >= 0)
        help.left = main.left - widths.dialog;
    else
        help.left = widths.screen - right >= main.left ? std::max(0.0, widths.screen - widths.dialog) : 0;
    help.top = std::max(0.0, std::min(main.top, screenHeight - height));
    return help;
}

Corner aboutPlacement(Corner main, double screenHeight)
{
    Corner box = main;
    if (main.top > screenHeight - 3930)
        box.top = main.top + 960 - 3930;
    return box;
}

QPoint onSomeScreen(const QRect &frame, const QList<QRect> &screens, const QRect &primary)
{
    const bool seen = std::any_of(screens.begin(), screens.end(), [&](const QRect &s) { return s.intersects(frame); });
    return seen ? frame.topLeft() : primary.topLeft();
}

} // namespace jw
