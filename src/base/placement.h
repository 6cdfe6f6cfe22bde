#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace jw {

/// A window coordinate as stored in the settings: the decimal text of a
/// single-precision number of twips, without exponent ("1500", "-15", "1012.5").
QString twipsText(double twips);

/// Stored text to a whole number the way stored values have always been
/// read: surrounding blanks allowed, a fraction rounded half to even,
/// nullopt when the text is not a number or the result does not fit.
std::optional<qint32> toInt32(const QString &text);

/// A window's corner, in twips.
struct Corner {
    double top = 0;
    double left = 0;
    bool operator==(const Corner &) const = default;
};

/// Where the main window goes when the mini window at `mini` expands, and
/// which coordinates of the mini window are remembered (0 = none) because the
/// main window had to move to keep 4350 twips of height and 4770 of width on
/// the screen.
struct ExpandPlacement {
    Corner main;
    qint32 rememberTop = 0;
    qint32 rememberLeft = 0;
};
ExpandPlacement expandPlacement(Corner mini, double screenWidth, double screenHeight);

/// Where the mini window goes on a shrink: a remembered coordinate (not 0)
/// wins over the main window's and is used up.
Corner shrinkPlacement(Corner main, qint32 &iTop, qint32 &iLeft);

/// A window's outer width and the screen's size, in twips.
struct Widths {
    double main = 0;
    double dialog = 0;
    double screen = 0;
};

/// Where the add, rename and search dialogs stand beside the main window's
/// frame: right of it when the dialog fits on the screen there, else left of
/// it when it fits there, else 4770 twips right of the corner when that lies
/// left of 4000, else 4000 twips left of it. Near the bottom of the screen
/// the dialog goes 765 twips higher than the main window's top.
Corner dialogPlacement(Corner main, Widths widths, double screenHeight);

/// Where the help window (`widths.dialog` wide, `height` high) opens beside
/// the main window's frame: right of it when it fits there, else left of it,
/// else against the screen's edge on the roomier side; always within the
/// screen's height when it can be.
Corner helpPlacement(Corner main, Widths widths, double height, double screenHeight);

/// Where the About box opens: at the main window's corner, or higher up
/// when the main window stands near the bottom of the screen.
Corner aboutPlacement(Corner main, double screenHeight);

/// Where a window with the frame `frame` (pixels) opens: where it is when
/// it overlaps one of the `screens` (their available areas), else at the
/// top-left of `primary`, the primary screen's available area.
QPoint onSomeScreen(const QRect &frame, const QList<QRect> &screens, const QRect &primary);

} // namespace jw
