#include "content/EditorRuler.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

EditorRuler::EditorRuler(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Ruler"));
    setFixedHeight(22);
    setCursor(Qt::ArrowCursor);
    setToolTip(tr("Drag the marker to indent the selected paragraphs"));
}

void EditorRuler::setTextOrigin(int x)
{
    m_origin = x;
    update();
}

void EditorRuler::setIndent(double units)
{
    if (qFuzzyCompare(m_indent + 1, units + 1))
        return;
    m_indent = qMax(0.0, units);
    update();
}

void EditorRuler::setGuide(int x)
{
    if (m_guide == x)
        return;
    m_guide = x;
    update();
}

void EditorRuler::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, height() - 1, width(), height() - 1);
    // Marks every eighth of an inch, longer at the half, numbered at the inch.
    const double inch = logicalDpiX();
    p.setPen(palette().color(QPalette::Text));
    QFont small = font();
    small.setPointSize(7);
    p.setFont(small);
    for (int i = 0;; ++i) {
        const int x = m_origin + int(i * inch / 8);
        if (x > width())
            break;
        const int length = i % 8 == 0 ? 8 : (i % 4 == 0 ? 5 : 3);
        p.drawLine(x, height() - 1 - length, x, height() - 1);
        if (i % 8 == 0 && i > 0)
            p.drawText(QRect(x - 10, 0, 20, 10), Qt::AlignCenter, QString::number(i / 8));
    }
    // The indent slider.
    const int sx = sliderX();
    const QPolygon marker(
        {QPoint(sx - 5, height() - 9), QPoint(sx + 5, height() - 9), QPoint(sx, height() - 2)});
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(palette().color(QPalette::Highlight));
    p.drawPolygon(marker);
    // The mouse's guide line.
    if (m_guide >= 0) {
        p.setPen(QPen(Qt::red, 1, Qt::DotLine));
        p.drawLine(m_guide, 0, m_guide, height());
    }
}

void EditorRuler::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && qAbs(event->position().x() - sliderX()) <= 7)
        m_dragging = true;
}

void EditorRuler::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    setIndent(qMax(0.0, event->position().x() - m_origin));
    Q_EMIT indentMoved(m_indent);
}

void EditorRuler::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}
