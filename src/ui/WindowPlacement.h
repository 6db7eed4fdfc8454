#pragma once

class QWidget;

// Puts a top-level window in the middle of the screen it will show on.
void centerOnScreen(QWidget* window);
