#pragma once

#include <QWidget>
#include <memory>

class QMovie;
class QSvgRenderer;

// A picture file drawn into a rectangle: a still picture, an animated one (GIF, WebP, APNG) that
// runs, or an SVG drawing (animated SVG included). A file Qt cannot show gives nothing.
class PictureSource : public QObject
{
    Q_OBJECT

public:
    enum class Kind { None, Still, Animated, Svg };

    explicit PictureSource(QObject* parent = nullptr);
    ~PictureSource() override;

    // False (and Kind::None) when the file cannot be shown.
    bool load(const QString& path);
    void clear();
    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::None; }
    QSize naturalSize() const;
    // Draws the picture into `target`, keeping its proportions and centred.
    void paint(QPainter& painter, const QRect& target) const;

Q_SIGNALS:
    void changed(); // a new frame is due

private:
    Kind m_kind = Kind::None;
    QImage m_still;
    std::unique_ptr<QMovie> m_movie;
    std::unique_ptr<QSvgRenderer> m_svg;
};

// A transparent widget in front of the board that shows one picture file (the logo, a picture of
// the video list). A missing or unreadable file leaves it empty.
class PictureView : public QWidget
{
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr);
    bool setFile(const QString& path);
    QString file() const { return m_file; }
    bool isEmpty() const { return m_source.isEmpty(); }
    const PictureSource& source() const { return m_source; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PictureSource m_source;
    QString m_file;
};
