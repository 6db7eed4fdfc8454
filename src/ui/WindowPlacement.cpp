#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centerOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize size = window->size().expandedTo(window->sizeHint());
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}
