#include "core/DeliveryListing.h"

#include "core/CsvText.h"
#include "core/Database.h"

#include <QHash>
#include <QSet>
#include <QTextStream>
#include <algorithm>
#include <map>

namespace delivery {

namespace {

const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QDateTime moment(const QString& text)
{
    return QDateTime::fromString(text.left(19), TimeFormat);
}

QString decimal(double value)
{
    return QString::number(value, 'f', value == qint64(value) ? 0 : 1);
}

} // namespace

QVector<ListedShowing> listedShowings(Database& db, const QDate& day)
{
    const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
    // The calls' labels and captions, and the call time of each ticket's latest call.
    const ResultSet rs = db.query(
        QStringLiteral("select c.callauto, c.no_abr, c.displayName, c.tickAuto, t.tickDate, t.attTime from "
                       "tblCall c left join tblTicket t on t.tickAuto = c.tickAuto where c.tickDate = ?"),
        {date});
    struct Call
    {
        QString token;
        QString counter;
        QDateTime calledAt;
    };
    QHash<qint64, Call> calls;
    QHash<qint64, qint64> latestOfTicket; // ticket -> its latest call
    for (int i = 0; i < rs.size(); ++i) {
        const qint64 ticket = rs.number(i, 3);
        const qint64 call = rs.number(i, 0);
        latestOfTicket[ticket] = qMax(latestOfTicket.value(ticket), call);
        const QString time = rs.text(i, 5);
        calls.insert(call, {rs.text(i, 1).trimmed(), rs.text(i, 2),
                            time.isEmpty() ? QDateTime() : moment(rs.text(i, 4) + QLatin1Char(' ') + time)});
    }
    QSet<qint64> latestCalls;
    for (qint64 call : std::as_const(latestOfTicket))
        latestCalls.insert(call);
    QVector<ListedShowing> listed;
    qint64 previous = 0;
    int number = 0;
    for (const Showing& s : showingsOfDay(db, day)) {
        number = s.callAuto == previous ? number + 1 : 1;
        previous = s.callAuto;
        const Call call = calls.value(s.callAuto);
        const bool known = number == 1 && latestCalls.contains(s.callAuto);
        listed.append({s, number, call.token, call.counter, known ? call.calledAt : QDateTime()});
    }
    return listed;
}

std::optional<qint64> delaySeconds(const ListedShowing& showing, const Receipt& receipt)
{
    const QDateTime shown = moment(receipt.shownAt);
    if (!showing.calledAt.isValid() || !shown.isValid())
        return std::nullopt;
    return qMax<qint64>(0, showing.calledAt.secsTo(shown));
}

std::optional<double> ScreenMisses::medianDelay() const
{
    if (delays.isEmpty())
        return std::nullopt;
    QList<qint64> sorted = delays;
    std::sort(sorted.begin(), sorted.end());
    const qsizetype middle = sorted.size() / 2;
    return sorted.size() % 2 ? double(sorted[middle]) : (sorted[middle - 1] + sorted[middle]) / 2.0;
}

std::optional<qint64> ScreenMisses::slowestDelay() const
{
    if (delays.isEmpty())
        return std::nullopt;
    return *std::max_element(delays.cbegin(), delays.cend());
}

QVector<ScreenMisses> missesPerScreen(const QVector<ListedShowing>& showings)
{
    std::map<QString, ScreenMisses> byName;
    for (const ListedShowing& s : showings) {
        for (const Receipt& r : s.showing.receipts) {
            ScreenMisses& m = byName[r.screen];
            m.screen = r.screen;
            m.kind = r.kind;
            ++m.expected;
            if (r.shownAt.isEmpty()) {
                ++m.missed;
                continue;
            }
            ++m.shown;
            if (const auto delay = delaySeconds(s, r))
                m.delays.append(*delay);
        }
    }
    QVector<ScreenMisses> all;
    for (auto& [name, m] : byName)
        all.append(m);
    return all;
}

QVector<ScreenMisses> missesPerScreen(Database& db, const QDate& from, const QDate& to)
{
    QVector<ListedShowing> showings;
    for (QDate day = from; day <= to; day = day.addDays(1))
        showings += listedShowings(db, day);
    return missesPerScreen(showings);
}

void printShowings(const QVector<ListedShowing>& showings, QTextStream& out)
{
    out << "call,token,counter,showing,called at,screen,kind,result,shown at,delay (s)\n";
    for (const ListedShowing& s : showings) {
        const QString head = QString::number(s.showing.callAuto) + QLatin1Char(',') + csvField(s.token) +
                             QLatin1Char(',') + csvField(s.counter) + QLatin1Char(',') +
                             QString::number(s.number) + QLatin1Char(',') +
                             (s.calledAt.isValid() ? s.calledAt.toString(TimeFormat) : QString());
        if (s.showing.receipts.isEmpty()) {
            out << head << ",,,no screen expected,,\n";
            continue;
        }
        for (const Receipt& r : s.showing.receipts) {
            const auto delay = delaySeconds(s, r);
            out << head << ',' << csvField(r.screen) << ',' << kindName(r.kind) << ','
                << (r.shownAt.isEmpty() ? "missed" : "shown") << ',' << r.shownAt << ','
                << (delay ? QString::number(*delay) : QString()) << '\n';
        }
    }
    out.flush();
}

void printMisses(const QVector<ScreenMisses>& screens, QTextStream& out)
{
    out << "screen,kind,expected,shown,missed,median delay (s),slowest delay (s)\n";
    for (const ScreenMisses& m : screens) {
        const auto median = m.medianDelay();
        const auto slowest = m.slowestDelay();
        out << csvField(m.screen) << ',' << kindName(m.kind) << ',' << m.expected << ',' << m.shown << ','
            << m.missed << ',' << (median ? decimal(*median) : QString()) << ','
            << (slowest ? QString::number(*slowest) : QString()) << '\n';
    }
    out.flush();
}

} // namespace delivery
