#include "display/BoardWidgets.h"

#include "display/BoardDrawing.h"

#include <QPainter>

using boardDrawing::px;

BoardTitle::BoardTitle(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void BoardTitle::setText(const QString& text)
{
    m_text = text;
    update();
}

void BoardTitle::setTextColor(const QColor& color)
{
    m_color = color;
    update();
}

void BoardTitle::setBackground(const QColor& color)
{
    m_background = color;
    update();
}

void BoardTitle::setScrollX(int twipsX)
{
    m_x = twipsX;
    update();
}

void BoardTitle::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_background.isValid())
        p.fillRect(rect(), m_background);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    p.setPen(m_color);
    const QRect r(px(m_x), 0, qMax(width(), fontMetrics().horizontalAdvance(m_text) + 4), height());
    // Centred in the box's height, so that it lines up with the clock beside it.
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}

BoardFrame::BoardFrame(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BoardFrame::setLine(const QColor& color, int width)
{
    m_color = color;
    m_width = qMax(1, width);
    update();
}

void BoardFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPen pen(m_color);
    pen.setWidth(m_width);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const int half = m_width / 2;
    p.drawRect(rect().adjusted(half, half, -half - (m_width % 2 ? 1 : 0), -half - (m_width % 2 ? 1 : 0)));
}

BoardNewsItem::BoardNewsItem(const QString& text, const QFont& font, const QColor& color, const QColor& band,
                             QWidget* parent)
    : QWidget(parent), m_text(text), m_color(color), m_band(band.isValid() ? band : QColor(Qt::black))
{
    m_band.setAlpha(255);
    setFont(font);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BoardNewsItem::render()
{
    const qreal ratio = devicePixelRatioF();
    m_picture = QPixmap(size() * ratio);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(m_band);
    QPainter p(&m_picture);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font());
    p.setPen(m_color);
    p.drawText(QRect(QPoint(0, 0), size()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}

void BoardNewsItem::paintEvent(QPaintEvent*)
{
    // Drawn again only when the size or the screen's pixel ratio changed, never for a move.
    if (m_picture.isNull() || m_picture.deviceIndependentSize() != QSizeF(size()) ||
        m_picture.devicePixelRatio() != devicePixelRatioF())
        render();
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}
