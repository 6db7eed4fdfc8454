#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

// The frame the window manager puts around windows, as the window in front has it (none before
// any window is shown, or on a platform without frames).
QMargins frameOf(const QWidget* shown)
{
    if (!shown || !shown->isVisible())
        return {};
    const QRect inner = shown->geometry();
    const QRect outer = shown->frameGeometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

// The size the window will have when shown.
QSize sizeWhenShown(QWidget* window)
{
    if (QLayout* layout = window->layout())
        layout->activate();
    const QSize size = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    return size.expandedTo(window->minimumSize());
}

} // namespace

void centerOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize size = window->size().expandedTo(window->sizeHint());
    const QRect area = screen->availableGeometry();
    QRect at(QPoint(), size);
    at.moveCenter(area.center());
    window->move(fitIntoScreen(at, area).topLeft());
}

QRect fitIntoScreen(const QRect& window, const QRect& available, const QMargins& frame)
{
    const QRect room = available.marginsRemoved(frame);
    QRect fitted(window.topLeft(), window.size().boundedTo(room.size()));
    if (fitted.right() > room.right())
        fitted.moveRight(room.right());
    if (fitted.bottom() > room.bottom())
        fitted.moveBottom(room.bottom());
    if (fitted.left() < room.left())
        fitted.moveLeft(room.left());
    if (fitted.top() < room.top())
        fitted.moveTop(room.top());
    return fitted;
}

namespace {

// Full-screen, maximised and frameless windows (boards, kiosks, pictures) take the place they want.
bool placesItself(const QWidget* window)
{
    return !window || !window->isWindow() || window->windowFlags().testFlag(Qt::FramelessWindowHint) ||
           (window->windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized));
}

// Moves (and if need be shrinks) the window to `fitted`, its area inside a frame of `frame`.
void putAt(QWidget* window, const QRect& fitted, const QSize& size, const QMargins& frame)
{
    if (fitted.size() != size)
        window->resize(fitted.size());
    // A window's pos() is where its frame begins; its geometry is the area inside the frame.
    window->move(fitted.topLeft() - QPoint(frame.left(), frame.top()));
}

} // namespace

void keepOnScreen(QWidget* window)
{
    if (placesItself(window) || !window->isVisible())
        return;
    QScreen* screen = window->screen();
    if (!screen)
        return;
    const QMargins frame = frameOf(window);
    const QRect fitted = fitIntoScreen(window->geometry(), screen->availableGeometry(), frame);
    if (fitted != window->geometry())
        putAt(window, fitted, window->size(), frame);
}

void placeOnScreen(QWidget* window)
{
    if (placesItself(window) || window->isVisible())
        return;
    QWidget* front = QApplication::activeWindow();
    const bool placed = window->testAttribute(Qt::WA_Moved);
    QScreen* screen =
        placed ? QGuiApplication::screenAt(window->geometry().center()) : (front ? front->screen() : nullptr);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameOf(front);
    const QSize size = sizeWhenShown(window);
    QRect at(window->pos() + QPoint(frame.left(), frame.top()), size);
    if (!placed)
        at.moveCenter(area.center());
    putAt(window, fitIntoScreen(at, area, frame), size, frame);
}

void showOnScreen(QWidget* window)
{
    placeOnScreen(window);
    window->show();
    keepOnScreen(window);
    // Some window managers put the frame around a window only once it is mapped.
    QTimer::singleShot(100, window, [window] { keepOnScreen(window); });
}
