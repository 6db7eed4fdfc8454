#include "reports/AlertReport.h"

#include "core/AlertTables.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "tickets/EstimateAccuracy.h"
#include "ui/Clock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMap>

#include <cmath>

namespace alertreport {

namespace {

const char* usage = "report alerts --from D --to D";

struct Tally
{
    ServiceAlerts figures;
    QList<double> leads;
};

QDateTime at(const QString& date, const QString& time)
{
    const QDate d = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    QTime t = QTime::fromString(time.left(8), QStringLiteral("HH:mm:ss"));
    if (!t.isValid())
        t = QTime::fromString(time.left(5), QStringLiteral("HH:mm"));
    return d.isValid() && t.isValid() ? QDateTime(d, t) : QDateTime();
}

QString minutes(double m)
{
    return QString::number(m, 'f', m == std::floor(m) ? 0 : 1);
}

} // namespace

QString Share::text() const
{
    if (of == 0)
        return QStringLiteral("0/0");
    return QStringLiteral("%1/%2, %3 %").arg(served).arg(of).arg(qRound(100.0 * double(served) / double(of)));
}

QList<ServiceAlerts> measure(Database& db, const QDate& from, const QDate& to, const QDate& today)
{
    const bool alerts = alerttables::present(db);
    const QString alertColumns =
        alerts ? QStringLiteral("a.tickauto, a.fired, a.sms") : QStringLiteral("null, null, null");
    const QString alertJoin =
        alerts ? QStringLiteral(" left join brivane_alert a on a.tickauto = t.tickAuto") : QString();
    const ResultSet rs =
        db.query(QStringLiteral("select s.ServName, t.tickDate, t.call, t.attTime, t.status, t.origin, %1 "
                                "from tblTicket t join tblService s on s.servAuto = t.servAuto%2 "
                                "where t.tickDate >= ? and t.tickDate <= ?")
                     .arg(alertColumns, alertJoin),
                 {from.toString(QStringLiteral("yyyy-MM-dd")), to.toString(QStringLiteral("yyyy-MM-dd"))});
    const QString todayText = today.toString(QStringLiteral("yyyy-MM-dd"));
    QMap<QString, Tally> byService;
    for (int r = 0; r < rs.size(); ++r) {
        Tally& tally = byService[rs.text(r, 0)];
        ServiceAlerts& f = tally.figures;
        f.service = rs.text(r, 0);
        const QString date = rs.text(r, 1);
        const bool called = rs.text(r, 2) == QLatin1String("1");
        const QString status = rs.text(r, 4).toLower();
        const bool turnedAway = status == QLatin1String("cancelled") || status == QLatin1String("notarrived");
        const bool stillWaiting = !called && !turnedAway && date >= todayText;
        const bool served = called && !turnedAway;
        const bool asked = !rs.isNull(r, 6);
        const bool fired = asked && !rs.text(r, 7).isEmpty();
        if (asked)
            ++f.asked;
        if (fired) {
            ++f.fired;
            if (rs.text(r, 8) == QLatin1String("sent"))
                ++f.textsSent;
            const QDateTime firedAt =
                QDateTime::fromString(rs.text(r, 7), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            const QDateTime calledAt = at(date, rs.text(r, 3));
            if (called && firedAt.isValid() && calledAt.isValid() && calledAt >= firedAt)
                tally.leads.append(double(firedAt.secsTo(calledAt)) / 60.0);
        }
        if (stillWaiting)
            continue;
        const auto count = [served](Share& s) {
            ++s.of;
            s.served += served ? 1 : 0;
        };
        if (fired)
            count(f.alerted);
        if (rs.text(r, 5) == QLatin1String("phone"))
            count(f.joined);
        else
            count(f.kiosk);
    }
    QList<ServiceAlerts> out;
    for (Tally& t : byService) {
        if (!t.leads.isEmpty())
            t.figures.medianLeadMinutes = waiting::medianOf(t.leads);
        out.append(t.figures);
    }
    return out;
}

QString format(const QList<ServiceAlerts>& services, const QDate& from, const QDate& to)
{
    const auto said = [](const char* text) { return QCoreApplication::translate("AlertReport", text); };
    const QChar nl = QLatin1Char('\n');
    QString out =
        said(QT_TRANSLATE_NOOP("AlertReport", "Alerts from %1 to %2"))
            .arg(from.toString(QStringLiteral("yyyy-MM-dd")), to.toString(QStringLiteral("yyyy-MM-dd"))) +
        nl;
    if (services.isEmpty())
        out += said(QT_TRANSLATE_NOOP("AlertReport", "No tickets in these days.")) + nl;
    for (const ServiceAlerts& s : services) {
        out += s.service + QStringLiteral(": ");
        if (s.asked == 0) {
            out += said(QT_TRANSLATE_NOOP("AlertReport", "no alerts")) + nl;
        } else {
            out +=
                said(QT_TRANSLATE_NOOP("AlertReport", "%1 alerts asked, %2 fired on the page, %3 texts sent"))
                    .arg(s.asked)
                    .arg(s.fired)
                    .arg(s.textsSent) +
                nl;
            out += QStringLiteral("  ") +
                   (s.medianLeadMinutes
                        ? said(QT_TRANSLATE_NOOP("AlertReport",
                                                 "lead time: median %1 minutes from the alert to the call"))
                              .arg(minutes(*s.medianLeadMinutes))
                        : said(QT_TRANSLATE_NOOP("AlertReport", "lead time: no alerted token called"))) +
                   nl;
            out += QStringLiteral("  ") +
                   said(QT_TRANSLATE_NOOP("AlertReport", "served, alerted: %1")).arg(s.alerted.text()) + nl;
        }
        out +=
            QStringLiteral("  ") +
            said(QT_TRANSLATE_NOOP("AlertReport", "served, joined from the phone: %1")).arg(s.joined.text()) +
            nl;
        out += QStringLiteral("  ") +
               said(QT_TRANSLATE_NOOP("AlertReport", "served, from the kiosk: %1")).arg(s.kiosk.text()) + nl;
    }
    return out;
}

namespace {

int reportAlertsCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QDate from =
        QDate::fromString(takeOption(args, QStringLiteral("--from")), QStringLiteral("yyyy-MM-dd"));
    const QDate to =
        QDate::fromString(takeOption(args, QStringLiteral("--to")), QStringLiteral("yyyy-MM-dd"));
    if (!args.isEmpty() || !from.isValid() || !to.isValid() || to < from) {
        err << "usage: brivane-ctl " << usage << Qt::endl;
        return 2;
    }
    out << format(measure(ctx.db, from, to, ctx.clock.today()), from, to);
    out.flush();
    return 0;
}

} // namespace

void registerAlertReport(CommandRegistry& commands)
{
    // A command of two words: brivane-ctl looks for "report alerts" before "report".
    commands.add(QStringLiteral("report alerts"), QString::fromLatin1(usage), reportAlertsCommand);
}

} // namespace alertreport
