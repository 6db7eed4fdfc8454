#pragma once

#include <QString>
#include <functional>
#include <memory>

class QWidget;

// System-wide function keys (F4 .. F7 on the counter screen).
class HotKeys
{
public:
    virtual ~HotKeys() = default;
    // Registers key (a Qt::Key) for the window; returns false when another program holds it.
    virtual bool grab(int key, std::function<void()> handler, QWidget* window) = 0;
    virtual void releaseAll() = 0;
};

// System-wide keys through the X server where there is one; application shortcuts elsewhere.
std::unique_ptr<HotKeys> createSystemHotKeys();
