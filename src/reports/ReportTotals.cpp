#include "reports/ReportTotals.h"

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
    return QString::number(*minutes, 'f', 1) + QStringLiteral(" min");
}

void ReportTotals::count(Group& g, const ReportRow& row)
{
    ++g.tokens;
    if (row.status == QLatin1String("Cancelled"))
        ++g.cancelled;
    else if (row.status == QLatin1String("Called") || row.status == QLatin1String("Finished"))
        ++g.served;
    // The listing has read the times already; rows made otherwise are read here.
    const auto second = [](int known, const QString& text) {
        return known >= 0 ? known : secondOfDay(text).value_or(-1);
    };
    const int issued = second(row.issuedSecond, row.issued);
    const int called = second(row.fromSecond, row.from);
    const int finished = second(row.toSecond, row.to);
    if (issued >= 0 && called >= issued && row.status != QLatin1String("Waiting") &&
        row.status != QLatin1String("Transferred"))
        g.waits.push_back(called - issued);
    if (called >= 0 && finished >= called) {
        g.serviceSeconds += finished - called;
        ++g.serviceCount;
    }
}

void ReportTotals::add(const ReportRow& row)
{
    const QString& name =
        m_byCounter ? (row.counterDisplayName.isEmpty() ? row.counter : row.counterDisplayName) : row.service;
    count(m_groups[name], row);
    count(m_all, row);
}

TotalsLine ReportTotals::line(const QString& name, Group& g)
{
    TotalsLine l;
    l.name = name;
    l.tokens = g.tokens;
    l.served = g.served;
    l.cancelled = g.cancelled;
    if (!g.waits.empty()) {
        qint64 sum = 0;
        for (int w : g.waits)
            sum += w;
        l.averageWaiting = double(sum) / double(g.waits.size()) / 60.0;
        // Nearest rank: the smallest wait that at least 90 % of the tickets did not exceed.
        const size_t rank = size_t(std::ceil(0.9 * double(g.waits.size())));
        auto nth = g.waits.begin() + qsizetype(rank - 1);
        std::nth_element(g.waits.begin(), nth, g.waits.end());
        l.waiting90 = *nth / 60.0;
    }
    if (g.serviceCount > 0)
        l.averageService = double(g.serviceSeconds) / double(g.serviceCount) / 60.0;
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
    if (m_groups.size() > 1) {
        Group all = m_all;
        out.append(line(QStringLiteral("All"), all));
    }
    return out;
}
