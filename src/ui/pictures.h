#pragma once

#include <QIcon>
#include <QPixmap>

namespace jw::ui {

// The program's pictures, drawn from the SVG files of resources/ at the size
// and device pixel ratio they are shown at. A picture that cannot be read is
// logged (jotwell.pictures) and comes back null.

/// Picture `index` of the format toolbar's image list, 16 x 16 on a
/// transparent ground: 1 an underlined U, 2 a slanted I, 3 a bold B.
/// Null when `index` is out of range.
QIcon imageListPicture(int index);

/// The shrink button's 16 x 16 picture: a window going into a small one.
QIcon shrinkPicture();

/// The mini window's 16 x 16 expand picture: a dark arrow curving up and right.
QIcon expandPicture();

/// The program icon: the drawing the desktop's icon is made from.
QIcon programIcon();

/// The splash artwork, 389 x 388 device-independent pixels.
QPixmap splashPicture(qreal devicePixelRatio);

} // namespace jw::ui
