#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Puts a top-level window in the middle of the screen it will show on.
void centerOnScreen(QWidget* window);

// The window's area (without its frame) moved and, where it must, made smaller, so that the window
// with its frame lies inside `available` (a screen's area without its panels).
QRect fitIntoScreen(const QRect& window, const QRect& available, const QMargins& frame = QMargins());

// Before a window is first shown: a window that chose no place of its own goes in the middle of the
// screen of the window in front; either way it is kept inside that screen's free area, frame and all.
// Full-screen, maximised and frameless windows place themselves and are left as they are.
void placeOnScreen(QWidget* window);
// A window on screen moved (and if need be shrunk) back inside its screen's free area, with the frame
// it has now.
void keepOnScreen(QWidget* window);
// Shows a window inside the screen: placed before it shows, and kept inside once its frame is known.
void showOnScreen(QWidget* window);
