#include "calling/HallNowText.h"

#include <QCoreApplication>

#include <cmath>

namespace hallnow {

namespace {

const char* const Context = "HallNow";

QString tr(const char* text)
{
    return QCoreApplication::translate(Context, text);
}

// A target missed within this many minutes is shown as coming soon.
constexpr int SoonMinutes = 30;

QString percent(double value)
{
    return QStringLiteral("%1 %").arg(std::lround(value));
}

} // namespace

QStringList headers()
{
    static const char* const names[] = {QT_TRANSLATE_NOOP("HallNow", "Service"),
                                        QT_TRANSLATE_NOOP("HallNow", "Waiting"),
                                        QT_TRANSLATE_NOOP("HallNow", "Longest wait"),
                                        QT_TRANSLATE_NOOP("HallNow", "Serving"),
                                        QT_TRANSLATE_NOOP("HallNow", "Idle"),
                                        QT_TRANSLATE_NOOP("HallNow", "Served last hour"),
                                        QT_TRANSLATE_NOOP("HallNow", "Within target today"),
                                        QT_TRANSLATE_NOOP("HallNow", "Target"),
                                        QT_TRANSLATE_NOOP("HallNow", "Arrivals an hour"),
                                        QT_TRANSLATE_NOOP("HallNow", "Service time"),
                                        QT_TRANSLATE_NOOP("HallNow", "Forecast"),
                                        QT_TRANSLATE_NOOP("HallNow", "Counters to keep it")};
    QStringList h;
    for (const char* n : names)
        h.append(tr(n));
    return h;
}

QString outlookName(Outlook outlook)
{
    switch (outlook) {
    case Outlook::Kept:
        return QStringLiteral("kept");
    case Outlook::Soon:
        return QStringLiteral("soon");
    case Outlook::Missed:
        return QStringLiteral("missed");
    case Outlook::None:
        break;
    }
    return QString();
}

QVector<Row> rows(const Snapshot& snapshot)
{
    QVector<Row> out;
    for (const ServiceNow& s : snapshot.services) {
        Row r;
        const Forecast& f = s.forecast;
        QString outlook;
        if (!s.target.isSet()) {
            outlook = tr("No target");
        } else if (!f.known) {
            outlook = tr("Too little history");
        } else if (!f.missedInMinutes) {
            outlook = tr("Kept for the next hour");
            r.outlook = Outlook::Kept;
        } else if (*f.missedInMinutes == 0) {
            outlook = tr("Missed now");
            r.outlook = Outlook::Missed;
        } else {
            outlook = tr("Missed in %1 min").arg(*f.missedInMinutes);
            r.outlook = *f.missedInMinutes <= SoonMinutes ? Outlook::Soon : Outlook::Kept;
        }
        QString keep;
        if (f.known)
            keep = f.countersToKeep ? QString::number(*f.countersToKeep)
                                    : tr("more than %1").arg(Rule().mostCounters);
        r.cells = {s.name,
                   QString::number(s.waiting),
                   s.longestWaitSeconds ? waitClock(*s.longestWaitSeconds) : QString(),
                   QString::number(s.serving),
                   QString::number(s.idle),
                   QString::number(s.servedLastHour),
                   s.sharePercent ? percent(*s.sharePercent) : QString(),
                   s.target.isSet()
                       ? tr("%1 % within %2 min").arg(s.target.sharePercent()).arg(s.target.waitMinutes())
                       : QString(),
                   QString::number(std::lround(s.arrivalsPerHour)),
                   s.serviceMinutes ? tr("%1 min").arg(*s.serviceMinutes, 0, 'f', 1) : QString(),
                   outlook,
                   keep};
        out.append(r);
    }
    return out;
}

} // namespace hallnow
