#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

// The title line of the board: its text drawn at a horizontal position, so it can scroll.
class BoardTitle : public QWidget
{
    Q_OBJECT

public:
    explicit BoardTitle(QWidget* parent = nullptr);
    void setText(const QString& text);
    QString text() const { return m_text; }
    void setTextColor(const QColor& color);
    void setBackground(const QColor& color);
    // Horizontal position of the text, in twips from the box's left edge.
    void setScrollX(int twips);
    int scrollX() const { return m_x; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QColor m_color = Qt::black;
    QColor m_background;
    int m_x = 0;
};

// The frame drawn around the call table.
class BoardFrame : public QWidget
{
    Q_OBJECT

public:
    explicit BoardFrame(QWidget* parent = nullptr);
    void setLine(const QColor& color, int width);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::black;
    int m_width = 1;
};

// One message of the news band: its text on one line from the left edge, centred vertically, on the
// band's colour. The text is laid out and drawn once into a picture. Being opaque, the message moves
// along the band (every frame) by a copy of the pixels already on the screen; only the strip it
// uncovers is painted again.
class BoardNewsItem : public QWidget
{
    Q_OBJECT

public:
    BoardNewsItem(const QString& text, const QFont& font, const QColor& color, const QColor& band,
                  QWidget* parent = nullptr);
    QString text() const { return m_text; }
    QColor color() const { return m_color; }
    // The picture the text was drawn into (null until the first paint).
    const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void render();

    QString m_text;
    QColor m_color;
    QColor m_band;
    QPixmap m_picture;
};
