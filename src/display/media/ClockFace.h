#pragma once

#include "display/media/PictureView.h"

#include <QTime>
#include <QTimer>
#include <QWidget>
#include <memory>

class Clock;
class QSvgRenderer;

// The clock of the board drawn from a face file of files/clock, transparent, at the time of Clock.
// A face is an SVG drawing whose group "dial" is the still part; groups "hour", "minute" and
// "second", drawn pointing at twelve, are turned about the drawing's centre; a rectangle "digits"
// (and "date") gets the time (and date) written into it, in the rectangle's fill colour and font
// family, in the format its data-format attribute gives. Any other picture is shown as it is. A file
// that cannot be shown (a Flash movie from an older installation, a missing file) gets the default
// face.
class ClockFace : public QWidget
{
    Q_OBJECT

public:
    enum class Mode { Face, Picture, Builtin };

    struct Hands
    {
        double hour = 0; // degrees clockwise from twelve
        double minute = 0;
        double second = 0;
    };
    static Hands handAngles(const QTime& time);

    ClockFace(const Clock& clock, QWidget* parent = nullptr);
    ~ClockFace() override;

    // Shows `path`, or `defaultFace` when `path` cannot be shown. Returns the file shown (empty: the
    // built-in face drawn without a file).
    QString setFile(const QString& path, const QString& defaultFace);
    Mode mode() const { return m_mode; }
    QString shownFile() const { return m_shown; }
    // Whether a file is a face or a picture this widget can show.
    static bool canShow(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct TextBox
    {
        QString id;
        QRectF box;
        QColor color = Qt::white;
        QString family;
        QString format;
        bool present = false;
    };
    bool loadFace(const QString& path);
    void readTextBoxes(const QString& path);
    void scheduleTick();
    void paintFace(QPainter& p) const;
    void paintText(QPainter& p, const TextBox& box, const QTransform& map) const;
    void paintBuiltin(QPainter& p) const;

    const Clock& m_clock;
    Mode m_mode = Mode::Builtin;
    QString m_shown;
    std::unique_ptr<QSvgRenderer> m_face;
    PictureSource m_picture;
    TextBox m_digits;
    TextBox m_date;
    bool m_hasSeconds = false;
    QTimer m_tick;
};
