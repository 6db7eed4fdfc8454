#include "display/design/cRect.h"

#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <utility>

cRect::cRect(double twipsPerPixel) : m_twipsPerPixel(twipsPerPixel > 0 ? twipsPerPixel : 15) {}

cRect::cRect(int left, int top, int right, int bottom, double twipsPerPixel)
    : Left(left), Top(top), Right(right), Bottom(bottom),
      m_twipsPerPixel(twipsPerPixel > 0 ? twipsPerPixel : 15)
{
}

double cRect::screenTwipsPerPixel()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const double dpi = screen->logicalDotsPerInchX();
            if (dpi > 0)
                return twips::perInch / dpi;
        }
    }
    return 15;
}

int cRect::toPixels(double twipsValue) const
{
    return int(std::lround(twipsValue / m_twipsPerPixel));
}

int cRect::toTwips(double pixels) const
{
    return int(std::lround(pixels * m_twipsPerPixel));
}

void cRect::SetRectToCtrl(const QWidget* ctrl)
{
    const QRect g = ctrl->geometry();
    Left = toTwips(g.x());
    Top = toTwips(g.y());
    Right = toTwips(g.x() + g.width());
    Bottom = toTwips(g.y() + g.height());
    NormalizeRect();
}

void cRect::SetCtrlToRect(QWidget* ctrl)
{
    NormalizeRect();
    const int x = toPixels(Left);
    const int y = toPixels(Top);
    ctrl->setGeometry(x, y, toPixels(Right) - x, toPixels(Bottom) - y);
}

void cRect::SetRectToLine(const QLine& line)
{
    Left = line.x1();
    Top = line.y1();
    Right = line.x2();
    Bottom = line.y2();
    m_flipX = Right < Left;
    m_flipY = Bottom < Top;
    NormalizeRect();
}

QLine cRect::lineFromRect() const
{
    const int x1 = m_flipX ? Right : Left;
    const int x2 = m_flipX ? Left : Right;
    const int y1 = m_flipY ? Bottom : Top;
    const int y2 = m_flipY ? Top : Bottom;
    return QLine(x1, y1, x2, y2);
}

void cRect::ScreenToTwips(const QWidget* ctrl)
{
    const QWidget* container = ctrl->parentWidget();
    const QPoint origin = container ? container->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    Left = toTwips(Left - origin.x());
    Top = toTwips(Top - origin.y());
    Right = toTwips(Right - origin.x());
    Bottom = toTwips(Bottom - origin.y());
}

void cRect::TwipsToScreen(const QWidget* ctrl)
{
    const QWidget* container = ctrl->parentWidget();
    const QPoint origin = container ? container->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    Left = toPixels(Left) + origin.x();
    Top = toPixels(Top) + origin.y();
    Right = toPixels(Right) + origin.x();
    Bottom = toPixels(Bottom) + origin.y();
}

void cRect::NormalizeRect()
{
    if (Right < Left)
        std::swap(Left, Right);
    if (Bottom < Top)
        std::swap(Top, Bottom);
}
