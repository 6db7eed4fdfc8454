#include "display/media/ClockFace.h"

#include "ui/Clock.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace {

const QString Dial = QStringLiteral("dial");
const QString HourHand = QStringLiteral("hour");
const QString MinuteHand = QStringLiteral("minute");
const QString SecondHand = QStringLiteral("second");

bool isFace(QSvgRenderer& svg)
{
    return svg.elementExists(HourHand) || svg.elementExists(MinuteHand) ||
           svg.elementExists(QStringLiteral("digits"));
}

} // namespace

ClockFace::Hands ClockFace::handAngles(const QTime& t)
{
    Hands h;
    h.second = 6.0 * t.second();
    h.minute = 6.0 * t.minute() + t.second() / 10.0;
    h.hour = 30.0 * (t.hour() % 12) + t.minute() / 2.0 + t.second() / 120.0;
    return h;
}

ClockFace::ClockFace(const Clock& clock, QWidget* parent) : QWidget(parent), m_clock(clock)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    m_tick.setSingleShot(true);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        update();
        scheduleTick();
    });
    connect(&m_picture, &PictureSource::changed, this, qOverload<>(&QWidget::update));
}

ClockFace::~ClockFace() = default;

bool ClockFace::canShow(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    PictureSource probe;
    return probe.load(path);
}

QString ClockFace::setFile(const QString& path, const QString& defaultFace)
{
    m_face.reset();
    m_picture.clear();
    m_mode = Mode::Builtin;
    m_shown.clear();
    for (const QString& file : {path, defaultFace}) {
        if (file.isEmpty() || !QFileInfo(file).isFile())
            continue;
        if (loadFace(file)) {
            m_mode = Mode::Face;
            m_shown = file;
            break;
        }
        if (m_picture.load(file)) {
            m_mode = Mode::Picture;
            m_shown = file;
            break;
        }
    }
    scheduleTick();
    update();
    return m_shown;
}

bool ClockFace::loadFace(const QString& path)
{
    if (!path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return false;
    auto svg = std::make_unique<QSvgRenderer>(path);
    if (!svg->isValid() || !isFace(*svg))
        return false;
    m_face = std::move(svg);
    m_hasSeconds = m_face->elementExists(SecondHand);
    readTextBoxes(path);
    return true;
}

void ClockFace::readTextBoxes(const QString& path)
{
    m_digits = TextBox();
    m_digits.id = QStringLiteral("digits");
    m_date = TextBox();
    m_date.id = QStringLiteral("date");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString id = xml.attributes().value(QLatin1String("id")).toString();
        TextBox* box = id == m_digits.id ? &m_digits : id == m_date.id ? &m_date : nullptr;
        if (!box)
            continue;
        box->present = true;
        box->box = m_face->boundsOnElement(id);
        const QXmlStreamAttributes a = xml.attributes();
        const QColor fill(a.value(QLatin1String("fill")).toString());
        if (fill.isValid())
            box->color = fill;
        box->family = a.value(QLatin1String("font-family")).toString();
        box->format = a.value(QLatin1String("data-format")).toString();
    }
    if (m_digits.format.isEmpty())
        m_digits.format = QStringLiteral("HH:mm");
    if (m_date.format.isEmpty())
        m_date.format = QStringLiteral("ddd dd MMM yyyy");
    m_hasSeconds = m_hasSeconds || m_digits.format.contains(QLatin1Char('s'));
}

void ClockFace::scheduleTick()
{
    m_tick.stop();
    if (m_mode == Mode::Picture)
        return; // a picture runs on its own frames
    // The next repaint falls on the next second (or minute) of the clock.
    const QTime now = m_clock.time();
    int ms = 1000 - now.msec();
    if (m_mode == Mode::Face && !m_hasSeconds)
        ms += (59 - now.second()) * 1000;
    m_tick.start(qBound(20, ms, 60000));
}

void ClockFace::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    switch (m_mode) {
    case Mode::Face:
        paintFace(p);
        break;
    case Mode::Picture:
        m_picture.paint(p, rect());
        break;
    case Mode::Builtin:
        paintBuiltin(p);
        break;
    }
}

void ClockFace::paintFace(QPainter& p) const
{
    const QRectF vb = m_face->viewBoxF();
    if (vb.isEmpty())
        return;
    const double s = qMin(width() / vb.width(), height() / vb.height());
    QTransform map;
    map.translate((width() - vb.width() * s) / 2, (height() - vb.height() * s) / 2);
    map.scale(s, s);
    map.translate(-vb.x(), -vb.y());
    const auto render = [&](const QString& id) {
        if (m_face->elementExists(id))
            m_face->render(&p, id, map.mapRect(m_face->boundsOnElement(id)));
    };
    render(Dial);
    if (m_digits.present)
        paintText(p, m_digits, map);
    if (m_date.present)
        paintText(p, m_date, map);

    const Hands hands = handAngles(m_clock.time());
    const QPointF centre = map.map(vb.center());
    const std::pair<const QString*, double> order[] = {
        {&HourHand, hands.hour}, {&MinuteHand, hands.minute}, {&SecondHand, hands.second}};
    for (const auto& [id, angle] : order) {
        if (!m_face->elementExists(*id))
            continue;
        p.save();
        p.translate(centre);
        p.rotate(angle);
        p.translate(-centre);
        render(*id);
        p.restore();
    }
    render(QStringLiteral("cap"));
}

void ClockFace::paintText(QPainter& p, const TextBox& box, const QTransform& map) const
{
    const QRectF r = map.mapRect(box.box);
    const QString text = m_clock.now().toString(box.format);
    QFont f = font();
    if (!box.family.isEmpty())
        f.setFamily(box.family);
    f.setBold(true);
    f.setPixelSize(qMax(1, int(r.height() * 0.8)));
    const double w = QFontMetricsF(f).horizontalAdvance(text);
    if (w > r.width() && w > 0)
        f.setPixelSize(qMax(1, int(f.pixelSize() * r.width() / w)));
    p.setFont(f);
    p.setPen(box.color);
    p.drawText(r, Qt::AlignCenter, text);
}

void ClockFace::paintBuiltin(QPainter& p) const
{
    // Without any face file: a plain dial with three hands.
    const double side = qMin(width(), height());
    if (side <= 0)
        return;
    p.translate(width() / 2.0, height() / 2.0);
    p.scale(side / 200.0, side / 200.0);
    p.setPen(QPen(Qt::white, 4));
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QPointF(0, 0), 96, 96);
    for (int i = 0; i < 12; ++i) {
        p.drawLine(QPointF(0, -80), QPointF(0, -90));
        p.rotate(30);
    }
    const Hands hands = handAngles(m_clock.time());
    const auto hand = [&](double angle, double length, double width, const QColor& color) {
        p.save();
        p.rotate(angle);
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, 10), QPointF(0, -length));
        p.restore();
    };
    hand(hands.hour, 50, 8, Qt::white);
    hand(hands.minute, 75, 5, Qt::white);
    hand(hands.second, 82, 2, QColor(220, 40, 40));
}
