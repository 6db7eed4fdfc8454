#include "reports/ReportFigures.h"

#include <QCoreApplication>

FiguresCollector::FiguresCollector(ReportKind kind, const ReportListing& listing, ServiceTargets targets)
    : m_kind(kind), m_counterNames(listing.counterNames()), m_wantedCounters(listing.wantedCounters()),
      m_targets(std::move(targets))
{
}

void FiguresCollector::add(const ReportRow& row)
{
    const QVector<Visit> visits = visitsOf(row);
    const TokenState state = row.status == QLatin1String("Cancelled")    ? TokenState::Cancelled
                             : row.status == QLatin1String("NotArrived") ? TokenState::NotArrived
                             : row.called                                ? TokenState::Served
                                                                         : TokenState::Waiting;
    const auto target = m_targets.constFind(row.serviceKey);
    const std::optional<ServiceTarget> serviceTarget =
        target == m_targets.cend() ? std::nullopt : std::optional<ServiceTarget>(*target);
    if (m_kind != ReportKind::Counter) {
        m_totals.add(row.service, state, visits, serviceTarget);
        m_totals.addToAll(state, visits, serviceTarget);
        m_hourly.add(row.service, row.issuedSecond, visits, serviceTarget);
        return;
    }
    // Per counter: what each counter did with the token. A counter that handed it on served it; the
    // token's present state belongs to the counter that has it now.
    const auto wanted = [this](qint64 counter) {
        return counter > 0 && (!m_wantedCounters || m_wantedCounters->contains(counter));
    };
    struct AtCounter
    {
        qint64 counter;
        TokenState state;
        QVector<Visit> visits;
    };
    QVector<AtCounter> counters;
    const auto at = [&counters](qint64 counter) -> AtCounter& {
        for (AtCounter& c : counters) {
            if (c.counter == counter)
                return c;
        }
        counters.append({counter, TokenState::Served, {}});
        return counters.last();
    };
    QVector<Visit> counted;
    for (const Visit& v : visits) {
        if (!wanted(v.counter))
            continue;
        AtCounter& c = at(v.counter);
        c.visits.append(v);
        c.state = v.last ? state : TokenState::Served;
        counted.append(v);
    }
    if (state == TokenState::Waiting && wanted(row.counterKey))
        at(row.counterKey).state = TokenState::Waiting; // directed to that counter
    if (m_wantedCounters && counters.isEmpty())
        return; // nothing of it happened at the counters asked for
    for (const AtCounter& c : counters) {
        const auto name = m_counterNames.constFind(c.counter);
        if (name != m_counterNames.cend())
            m_totals.add(*name, c.state, c.visits, serviceTarget);
    }
    m_totals.addToAll(state, counted, serviceTarget);
    m_hourly.add(row.service, row.issuedSecond, counted, serviceTarget);
}

ReportFigures FiguresCollector::figures() const
{
    ReportFigures f;
    f.kind = m_kind;
    f.totals = m_totals.lines();
    f.hourly = m_hourly.lines();
    f.firstHour = m_hourly.firstHour();
    f.lastHour = m_hourly.lastHour();
    for (const HourlyLine& line : f.hourly)
        f.hasTargets = f.hasTargets || line.target.has_value();
    return f;
}

ReportFigures listReport(Database& db, const ReportRequest& request,
                         const std::function<void(const ReportRow& row)>& listed)
{
    const ReportListing listing(db, request.kind, request.filter, request.from, request.to, request.showAll,
                                ReportListing::Scope::Period);
    FiguresCollector figures(request.kind, listing, ServiceTarget::readAll(db));
    listing.forEachTicket(db, [&](const ReportRow& row, bool shown) {
        figures.add(row);
        if (shown && listed)
            listed(row);
    });
    return figures.figures();
}

QString chartTitle(FigureChart chart)
{
    switch (chart) {
    case FigureChart::Arrivals:
        return QCoreApplication::translate("ReportFigures", "Tokens issued per hour");
    case FigureChart::Waiting:
        return QCoreApplication::translate("ReportFigures", "Average waiting per hour");
    case FigureChart::WithinTarget:
        break;
    }
    return QCoreApplication::translate("ReportFigures", "Share called within the service's target");
}

QString chartValueAxis(FigureChart chart)
{
    switch (chart) {
    case FigureChart::Arrivals:
        return QCoreApplication::translate("ReportFigures", "Tokens");
    case FigureChart::Waiting:
        return QCoreApplication::translate("ReportFigures", "Minutes");
    case FigureChart::WithinTarget:
        break;
    }
    return QCoreApplication::translate("ReportFigures", "% within target");
}

QString hourText(int hour)
{
    return QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0'));
}

QStringList totalsHeadings(ReportKind kind)
{
    return {kind == ReportKind::Counter ? QCoreApplication::translate("ReportFigures", "Counter")
                                        : QCoreApplication::translate("ReportFigures", "Service"),
            QCoreApplication::translate("ReportFigures", "Tokens"),
            QCoreApplication::translate("ReportFigures", "Served"),
            QCoreApplication::translate("ReportFigures", "Cancelled"),
            QCoreApplication::translate("ReportFigures", "Waiting now"),
            QCoreApplication::translate("ReportFigures", "Avg waiting"),
            QCoreApplication::translate("ReportFigures", "90% waiting"),
            QCoreApplication::translate("ReportFigures", "Avg service"),
            QCoreApplication::translate("ReportFigures", "Within target"),
            QCoreApplication::translate("ReportFigures", "Not arrived")};
}
