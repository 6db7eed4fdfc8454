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
    p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_text);
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
