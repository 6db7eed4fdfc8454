#include "reports/ReportTotals.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

std::optional<int> ReportTotals::secondOfDay(const QString& time)
{
    const qsizetype n = time.size();
    if (n != 5 && n != 8)
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    for (qsizetype i = 0, part = 0; i < n; ++i) {
        const QChar c = time.at(i);
        if (i == 2 || i == 5) {
            if (c != QLatin1Char(':'))
                return std::nullopt;
            ++part;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        parts[part] = parts[part] * 10 + (c.unicode() - u'0');
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

QString ReportTotals::minutesText(const std::optional<double>& minutes)
{
    if (!minutes)
        return QStringLiteral("–");
    return QCoreApplication::translate("ReportTotals", "%1 min").arg(minutesNumber(minutes));
}

QString ReportTotals::minutesNumber(const std::optional<double>& minutes)
{
    return minutes ? QString::number(*minutes, 'f', 1) : QString();
}

QString ReportTotals::shareText(const std::optional<double>& share)
{
    if (!share)
        return QStringLiteral("–");
    return QCoreApplication::translate("ReportTotals", "%1 %").arg(std::lround(*share * 100.0));
}

void ReportTotals::count(Group& g, TokenState state, const QVector<Visit>& visits,
                         const std::optional<ServiceTarget>& target)
{
    ++g.tokens;
    switch (state) {
    case TokenState::Served:
        ++g.served;
        break;
    case TokenState::Cancelled:
        ++g.cancelled;
        break;
    case TokenState::Waiting:
        ++g.waiting;
        break;
    case TokenState::NotArrived:
        ++g.notArrived;
        break;
    }
    for (const Visit& v : visits) {
        if (const std::optional<int> wait = v.waitSeconds()) {
            g.waits.push_back(*wait);
            if (target) {
                ++g.withTarget;
                if (target->met(*wait))
                    ++g.withinTarget;
            }
        }
        // A cancelled or not-arrived token's last call found nobody to serve.
        if (v.last && (state == TokenState::Cancelled || state == TokenState::NotArrived))
            continue;
        if (const std::optional<int> service = v.serviceSeconds()) {
            g.serviceSeconds += *service;
            ++g.serviceCount;
        }
    }
}

void ReportTotals::add(const QString& name, TokenState state, const QVector<Visit>& visits,
                       const std::optional<ServiceTarget>& target)
{
    count(m_groups[name], state, visits, target);
}

void ReportTotals::addToAll(TokenState state, const QVector<Visit>& visits,
                            const std::optional<ServiceTarget>& target)
{
    count(m_all, state, visits, target);
}

TotalsLine ReportTotals::line(const QString& name, Group& g)
{
    TotalsLine l;
    l.name = name;
    l.tokens = g.tokens;
    l.served = g.served;
    l.cancelled = g.cancelled;
    l.waitingNow = g.waiting;
    l.notArrived = g.notArrived;
    if (!g.waits.empty()) {
        qint64 sum = 0;
        for (int w : g.waits)
            sum += w;
        l.averageWaiting = double(sum) / double(g.waits.size()) / 60.0;
        // Nearest rank: the smallest wait that at least 90 % of the visits did not exceed.
        const size_t rank = size_t(std::ceil(0.9 * double(g.waits.size())));
        auto nth = g.waits.begin() + qsizetype(rank - 1);
        std::nth_element(g.waits.begin(), nth, g.waits.end());
        l.waiting90 = *nth / 60.0;
    }
    if (g.serviceCount > 0)
        l.averageService = double(g.serviceSeconds) / double(g.serviceCount) / 60.0;
    if (g.withTarget > 0)
        l.withinTarget = double(g.withinTarget) / double(g.withTarget);
    return l;
}

QVector<TotalsLine> ReportTotals::lines() const
{
    // Percentiles reorder the waits: work on copies so that lines() may be asked again.
    QVector<TotalsLine> out;
    for (auto it = m_groups.cbegin(); it != m_groups.cend(); ++it) {
        Group g = it.value();
        out.append(line(it.key(), g));
    }
    Group all = m_all;
    out.append(line(QStringLiteral("All"), all));
    return out;
}
