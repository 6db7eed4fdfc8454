#pragma once

#include <QWidget>

// The ruler above the news editor's text: inch marks, the indent slider of the paragraph at the
// cursor (drag it to indent the selected paragraphs) and a guide line that follows the mouse over
// the text. Positions are in document units from the text's left edge.
class EditorRuler : public QWidget
{
    Q_OBJECT

public:
    explicit EditorRuler(QWidget* parent = nullptr);

    // Where the text starts inside the ruler (the text box's frame and document margin).
    void setTextOrigin(int x);
    double indent() const { return m_indent; }
    void setIndent(double units);
    // The guide line at this x of the text box's viewport; -1 hides it.
    void setGuide(int x);
    int guide() const { return m_guide; }

    QSize sizeHint() const override { return {400, 22}; }

Q_SIGNALS:
    // The user dragged the slider.
    void indentMoved(double units);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int sliderX() const { return m_origin + int(m_indent); }

    int m_origin = 0;
    double m_indent = 0;
    int m_guide = -1;
    bool m_dragging = false;
};
