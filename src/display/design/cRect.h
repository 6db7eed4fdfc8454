#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>

class QWidget;

// A rectangle of four edges, as the layout designer drags it around. Controls are measured in twips
// of their container; while a drag runs the rectangle is in pixels of the screen. One scale factor,
// the screen's twips per pixel along x, serves x and y alike.
class cRect
{
public:
    explicit cRect(double twipsPerPixel = screenTwipsPerPixel());
    cRect(int left, int top, int right, int bottom, double twipsPerPixel = screenTwipsPerPixel());

    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    void setWidth(int value) { Right = Left + value; }
    void setHeight(int value) { Bottom = Top + value; }

    // Takes the control's rectangle (twips of its container), normalised.
    void SetRectToCtrl(const QWidget* ctrl);
    // Moves and sizes the control to the rectangle (twips of its container), normalised, in one step.
    void SetCtrlToRect(QWidget* ctrl);
    // A line is kept by its two end points; the rectangle remembers which way it ran.
    void SetRectToLine(const QLine& line);
    QLine lineFromRect() const;

    // Both corners from pixels of the screen to twips of the control's container, and back.
    void ScreenToTwips(const QWidget* ctrl);
    void TwipsToScreen(const QWidget* ctrl);

    void NormalizeRect();
    bool PtInRect(int x, int y) const { return Left <= x && x < Right && Top <= y && y < Bottom; }

    double twipsPerPixel() const { return m_twipsPerPixel; }
    // Twips per pixel along x of the primary screen (15 at 96 dots per inch).
    static double screenTwipsPerPixel();

    bool operator==(const cRect& other) const
    {
        return Left == other.Left && Top == other.Top && Right == other.Right && Bottom == other.Bottom;
    }

private:
    int toPixels(double twipsValue) const;
    int toTwips(double pixels) const;

    double m_twipsPerPixel;
    bool m_flipX = false; // the line ran from right to left
    bool m_flipY = false; // the line ran from bottom to top
};
