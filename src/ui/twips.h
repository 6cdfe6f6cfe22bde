#pragma once

#include <initializer_list>

class QWidget;

namespace jw::ui {

// Window geometry in twips: pixels x 1440 / the screen's logical DPI.
//
// Left/Top/Width/Height are the outer frame rectangle; for a maximized or
// minimized window they are its normal (restored) rectangle. The frame
// margins of a window are known only once it is mapped, and the platform
// forgets them while it is hidden: they are remembered from the last mapping.
// Before the first, a position or outer size asked for is what the getters
// give, and it is applied again once the margins are known.

/// Twips per pixel across, for the screen the widget is on (15 at 96 DPI).
double twipsPerPixelX(const QWidget *widget);
/// Twips per pixel down.
double twipsPerPixelY(const QWidget *widget);
/// Twips across to whole pixels, rounded to nearest.
int toPixelsX(const QWidget *widget, double twips);
/// Twips down to whole pixels, rounded to nearest.
int toPixelsY(const QWidget *widget, double twips);

/// Left edge of the window's outer frame on the desktop.
double Left(const QWidget *window);
/// Top edge of the window's outer frame.
double Top(const QWidget *window);
/// Outer width, frame included.
double Width(const QWidget *window);
/// Outer height, frame included.
double Height(const QWidget *window);
/// Moves the outer frame's left edge.
void setLeft(QWidget *window, double twips);
/// Moves the outer frame's top edge.
void setTop(QWidget *window, double twips);
/// Sets the outer width (the client gets it less the frame).
void setWidth(QWidget *window, double twips);
/// Sets the outer height.
void setHeight(QWidget *window, double twips);

/// Width of the widget's own area (for a window: its client area).
double ScaleWidth(const QWidget *widget);
/// Height of the widget's own area.
double ScaleHeight(const QWidget *widget);

/// Width of the screen the widget is on.
double ScreenWidth(const QWidget *widget);
/// Height of the screen the widget is on.
double ScreenHeight(const QWidget *widget);

/// Places a child in its parent's area in one step; negative sizes give 0.
void placeTwips(QWidget *child, double left, double top, double width, double height);
/// Sizes a window's client area.
void setClientSizeTwips(QWidget *window, double width, double height);
/// Widens the buttons of a row, given left to right, that are too narrow for
/// their caption (a translation may be longer than the designed one): each
/// grows to its caption, those after it move right by as much, and `window`
/// grows with them. Captions that fit change nothing.
void fitButtonRow(QWidget *window, std::initializer_list<QWidget *> row);

} // namespace jw::ui
