#include "display/media/PictureView.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMovie>
#include <QPainter>
#include <QSvgRenderer>

PictureSource::PictureSource(QObject* parent) : QObject(parent) {}

PictureSource::~PictureSource() = default;

void PictureSource::clear()
{
    m_kind = Kind::None;
    m_still = QImage();
    m_movie.reset();
    m_svg.reset();
}

bool PictureSource::load(const QString& path)
{
    clear();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    const QByteArray format = QImageReader::imageFormat(path);
    if (format == "svg" || format == "svgz" || path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        auto svg = std::make_unique<QSvgRenderer>(path);
        if (svg->isValid()) {
            connect(svg.get(), &QSvgRenderer::repaintNeeded, this, &PictureSource::changed);
            m_svg = std::move(svg);
            m_kind = Kind::Svg;
            return true;
        }
        return false;
    }
    if (format.isEmpty())
        return false;
    if (QImageReader reader(path); reader.supportsAnimation() && reader.imageCount() != 1) {
        auto movie = std::make_unique<QMovie>(path);
        if (movie->isValid()) {
            connect(movie.get(), &QMovie::frameChanged, this, &PictureSource::changed);
            movie->start();
            m_movie = std::move(movie);
            m_kind = Kind::Animated;
            return true;
        }
    }
    m_still = QImage(path);
    if (m_still.isNull())
        return false;
    m_kind = Kind::Still;
    return true;
}

QSize PictureSource::naturalSize() const
{
    switch (m_kind) {
    case Kind::Still:
        return m_still.size();
    case Kind::Animated:
        return m_movie->currentImage().size();
    case Kind::Svg:
        return m_svg->defaultSize();
    case Kind::None:
        break;
    }
    return {};
}

void PictureSource::paint(QPainter& painter, const QRect& target) const
{
    if (m_kind == Kind::None || target.isEmpty())
        return;
    QSize size = naturalSize();
    if (size.isEmpty())
        size = target.size();
    size.scale(target.size(), Qt::KeepAspectRatio);
    const QRect r(target.x() + (target.width() - size.width()) / 2,
                  target.y() + (target.height() - size.height()) / 2, size.width(), size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (m_kind) {
    case Kind::Still:
        painter.drawImage(r, m_still);
        break;
    case Kind::Animated:
        painter.drawImage(r, m_movie->currentImage());
        break;
    case Kind::Svg:
        m_svg->render(&painter, QRectF(r));
        break;
    case Kind::None:
        break;
    }
}

PictureView::PictureView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    connect(&m_source, &PictureSource::changed, this, qOverload<>(&QWidget::update));
}

bool PictureView::setFile(const QString& path)
{
    m_file = path;
    const bool ok = m_source.load(path);
    update();
    return ok;
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    m_source.paint(p, rect());
}
