#pragma once

#include <QIcon>
#include <QPixmap>

namespace jw::ui {

// The program's small pictures, drawn at run time so they stay sharp at any
// device pixel ratio. Backgrounds are transparent.

/// Picture `index` of the format toolbar's image list, 16 x 16 logical
/// pixels: 1 an underlined U, 2 a slanted I, 3 a bold B. Null when out of range.
QPixmap imageListPicture(int index, qreal devicePixelRatio = 1.0);

/// The bold button's icon: the theme's format-text-bold, else the drawn B.
QIcon boldIcon();
/// The italic button's icon: the theme's format-text-italic, else the drawn I.
QIcon italicIcon();
/// The underline button's icon: the theme's format-text-underline, else the drawn U.
QIcon underlineIcon();

/// The shrink button's 16 x 16 picture: a window going into a small one.
QPixmap shrinkPicture(qreal devicePixelRatio = 1.0);
/// The same as an icon with 1x and 2x pixmaps.
QIcon shrinkIcon();

/// The mini window's 16 x 16 expand picture: a dark arrow curving up and right.
QPixmap expandPicture(qreal devicePixelRatio = 1.0);
/// The same as an icon with 1x and 2x pixmaps.
QIcon expandIcon();

/// The program icon (a small tabbed notepad) at `size` x `size` pixels.
QPixmap programPicture(int size);
/// The program icon with sizes from 16 to 256.
QIcon programIcon();

} // namespace jw::ui
