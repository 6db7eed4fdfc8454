#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What a screen reader meets in a window: every control that can take the keyboard's focus, in the
// accessibility tree Qt builds for it (QAccessible), and the order Tab visits them.
namespace accessibilitywalk {

// "objectName (role): why" for each focusable, visible control whose accessible name is empty.
QStringList unnamedControls(QWidget* window);

// The visible controls Tab reaches, in the order it reaches them, from the first one in the window.
QList<QWidget*> tabOrder(QWidget* window);

// Controls Tab reaches before one that stands above them or, on the same line, before them (to their
// left; to their right in a right-to-left window):
// "a before b" for each such pair of neighbours in the tab order. Controls on one line are those
// whose vertical extents overlap.
QStringList outOfVisualOrder(QWidget* window);

} // namespace accessibilitywalk
