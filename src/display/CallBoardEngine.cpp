#include "display/CallBoardEngine.h"

#include "display/CallNotice.h"

#include "core/Database.h"
#include "core/Session.h"
#include "ui/Clock.h"

#include <QRegularExpression>

void BoardTable::reset(int rows, int cols)
{
    m_cols = qMax(0, cols);
    m_cells = QVector<QStringList>(qMax(1, rows), QStringList(m_cols, QString()));
    m_swapped = false;
}

QString BoardTable::text(int row, int col) const
{
    if (row < 0 || row >= rows() || col < 0 || col >= m_cols)
        return QString();
    return m_cells[row][col];
}

void BoardTable::setText(int row, int col, const QString& text)
{
    if (row < 0 || row >= rows() || col < 0 || col >= m_cols)
        return;
    m_cells[row][col] = text;
}

void BoardTable::moveDown1()
{
    for (int i = rows() - 2; i >= 1; --i) {
        for (int j = 1; j < m_cols; ++j)
            m_cells[i + 1][j] = m_cells[i][j];
    }
}

void BoardTable::toggleSwap()
{
    if (canSwap())
        m_swapped = !m_swapped;
}

int BoardTable::columnShownAt(int col) const
{
    if (!m_swapped)
        return col;
    if (col == 2)
        return 3;
    if (col == 3)
        return 2;
    return col;
}

QVector<qint64> counterKeysOfFilter(const QString& filter, bool* ok)
{
    static const QRegularExpression all(QStringLiteral("^\\s*and\\s+1\\s*=\\s*1\\s*$"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression some(
        QStringLiteral(
            "^\\s*and\\s*\\(\\s*servAuto\\s*=\\s*\\d+(\\s+or\\s+servAuto\\s*=\\s*\\d+)*\\s*\\)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression key(QStringLiteral("servAuto\\s*=\\s*(\\d+)"),
                                        QRegularExpression::CaseInsensitiveOption);
    QVector<qint64> keys;
    const bool isAll = filter.trimmed().isEmpty() || all.match(filter).hasMatch();
    const bool isSome = !isAll && some.match(filter).hasMatch();
    if (ok)
        *ok = isAll || isSome;
    if (isSome) {
        auto it = key.globalMatch(filter);
        while (it.hasNext())
            keys.append(it.next().captured(1).toLongLong());
    }
    return keys;
}

namespace {
ShownCallSink* defaultShownCallSink = nullptr;
}

void CallBoardEngine::setDefaultShownCallSink(ShownCallSink* sink)
{
    defaultShownCallSink = sink;
}

CallBoardEngine::CallBoardEngine(Database& db, const Session& session, const Clock& clock, BoardTable& table,
                                 Mode mode)
    : m_db(db), m_clock(clock), m_table(table), m_mode(mode), m_shown(defaultShownCallSink),
      m_announces(mode == Mode::Take)
{
    // The filter is fixed while the board is open; its keys go into the statements as parameters.
    bool ok = false;
    const QVector<qint64> keys = counterKeysOfFilter(session.counterFilter, &ok);
    for (qint64 k : keys)
        m_counterKeys.append(k);
    // A filter the board cannot read shows nothing rather than every counter's calls.
    m_noCounters = !ok;
}

QString CallBoardEngine::filterClause() const
{
    if (m_noCounters)
        return QStringLiteral(" and 1=0");
    if (m_counterKeys.isEmpty())
        return QString();
    QStringList marks;
    for (int i = 0; i < m_counterKeys.size(); ++i)
        marks.append(QStringLiteral("?"));
    return QStringLiteral(" and servAuto in (") + marks.join(QLatin1Char(',')) + QLatin1Char(')');
}

// The stamp below which every call has been committed (or never will be) when the statement reads.
QString CallBoardEngine::horizonSource() const
{
    if (m_db.isPostgres())
        return QStringLiteral("(select txid_snapshot_xmin(txid_current_snapshot()) as x) h");
    return QStringLiteral("(select coalesce(max(callstamp), 0) + 1 as x from tblCall) h");
}

namespace {

const QString CallColumns = QStringLiteral("callauto, servAuto, no_abr, displayName, status1, tickAuto, "
                                           "tickDate, contName, displayNameA, countNameA, callstamp");
const QString FollowColumns =
    QStringLiteral("h.x, c.callauto, c.servAuto, c.no_abr, c.displayName, c.status1, c.tickAuto, "
                   "c.tickDate, c.contName, c.displayNameA, c.countNameA, c.callstamp");

// The language the visitor chose for the ticket, for its announcement; "" when none was chosen or
// the store does not answer (the call is still announced, in the templates' own order).
QString ticketLanguage(Database& db, qint64 ticket)
{
    try {
        const ResultSet rs =
            db.query(QStringLiteral("select lang from tblTicket where tickAuto=?"), {ticket});
        return rs.isEmpty() ? QString() : rs.text(0, 0);
    } catch (const DbError&) {
        return QString();
    }
}

CallRow callAt(const ResultSet& rs, int row, int first = 0)
{
    CallRow c;
    c.callAuto = rs.number(row, first + 0);
    c.counter = rs.number(row, first + 1);
    c.ticket = rs.number(row, first + 5);
    c.label = rs.text(row, first + 2);
    c.displayName = rs.text(row, first + 3);
    c.contName = rs.text(row, first + 7);
    c.displayNameA = rs.text(row, first + 8);
    c.countNameA = rs.text(row, first + 9);
    c.stamp = rs.number(row, first + 10);
    return c;
}

// A follower's rows: column 0 the horizon, then the call (absent on the horizon's own row), its stamp.
CallRow followedAt(const ResultSet& rs, int row)
{
    return callAt(rs, row, 1);
}

} // namespace

void CallBoardEngine::writeCall(int row, const CallRow& call)
{
    m_table.setText(row, 1, call.label + QLatin1Char(' '));
    const QString crlf = QStringLiteral("\r\n");
    if (!call.contName.isEmpty()) {
        m_table.setText(row, 2, call.displayName + crlf + call.contName);
        m_table.setText(row, 3, call.displayNameA + crlf + call.countNameA);
    } else {
        m_table.setText(row, 2, call.displayName);
        m_table.setText(row, 3, call.displayNameA);
    }
}

void CallBoardEngine::show(const CallRow& call)
{
    if (m_table.text(1, 1) != call.label + QLatin1Char(' '))
        m_table.moveDown1();
    writeCall(1, call);
    if (m_shownHandler)
        m_shownHandler(call);
    if (m_receipts)
        m_receipts->callShown(call);
    if (m_shown && m_announces) {
        CallRow shown = call;
        shown.screen = m_receiptScreen;
        shown.boardRows = m_table.rows() - 1;
        shown.language = ticketLanguage(m_db, call.ticket);
        m_shown->callShown(shown);
    }
}

bool CallBoardEngine::addFirst()
{
    if (m_mode == Mode::Follow)
        return addFirstFollowing();
    const int dataRows = m_table.rows() - 1;
    if (dataRows <= 0)
        return true;
    // Calls no board had taken yet are new to the hall: they are handed on oldest first, as a burst
    // of polls would have shown them, also when the store fails half-way.
    QVector<CallRow> fresh;
    bool ok = true;
    try {
        QVariantList params{m_clock.todayText()};
        params += m_counterKeys;
        params.append(dataRows);
        const ResultSet rs = m_db.query(
            QStringLiteral("select ") + CallColumns + QStringLiteral(" from tblCall where tickDate=?") +
                filterClause() + QStringLiteral(" order by callauto desc limit ?"),
            params);
        for (int n = 0; n < rs.size() && n < dataRows; ++n) {
            const CallRow call = callAt(rs, n);
            writeCall(n + 1, call);
            if (m_db.exec(QStringLiteral("update tblCall set status1='1' where callauto=? and status1='0'"),
                          {call.callAuto}) > 0) {
                if (m_taken)
                    m_taken(call);
                fresh.prepend(call);
            }
        }
    } catch (const DbError&) {
        lose();
        ok = false;
    }
    for (CallRow& call : fresh) {
        if (m_receipts)
            m_receipts->callShown(call);
        if (m_shown && m_announces) {
            call.boardRows = dataRows;
            call.screen = m_receiptScreen;
            m_shown->callShown(call);
        }
    }
    return ok;
}

bool CallBoardEngine::addFirstFollowing()
{
    const int dataRows = qMax(0, m_table.rows() - 1);
    try {
        // One statement, so the fill and the horizon agree: today's latest calls for the table, and
        // every call at or above the horizon as seen (the reads that follow start from there).
        const QString today = m_clock.todayText();
        QVariantList params{today};
        params += m_counterKeys;
        params.append(today);
        params += m_counterKeys;
        params.append(dataRows);
        const ResultSet rs = m_db.query(
            QStringLiteral("select ") + FollowColumns + QStringLiteral(" from ") + horizonSource() +
                QStringLiteral(" left join tblCall c on c.tickDate=?") + filterClause() +
                QStringLiteral(" and (c.callstamp >= h.x or c.callauto in (select callauto from tblCall "
                               "where tickDate=?") +
                filterClause() + QStringLiteral(" order by callauto desc limit ?)) order by c.callauto desc"),
            params);
        m_seen.clear();
        m_horizon = rs.isEmpty() ? 0 : rs.number(0, 0);
        int row = 1;
        for (int n = 0; n < rs.size(); ++n) {
            if (rs.isNull(n, 1))
                continue;
            const CallRow call = followedAt(rs, n);
            // The newest rows are the latest calls; older rows come only for their stamp.
            if (row <= dataRows)
                writeCall(row++, call);
            if (call.stamp >= m_horizon)
                m_seen.insert({call.callAuto, call.stamp});
        }
        m_following = true;
        m_lastReadOk = true;
        return true;
    } catch (const DbError&) {
        lose();
        m_lastReadOk = false;
        return false;
    }
}

void CallBoardEngine::lose()
{
    if (!m_db.ping()) {
        m_lost = true;
        m_retryIn = 1; // the first attempt comes with the next tick
    }
}

bool CallBoardEngine::reconnectIfLost(bool everyCall)
{
    if (!m_lost)
        return true;
    if (!everyCall && --m_retryIn > 0)
        return false;
    if (!m_reconnect || !m_reconnect()) {
        m_retryIn = RetryTicks;
        return false;
    }
    m_lost = false;
    return true;
}

bool CallBoardEngine::Timer1_Timer()
{
    if (m_mode == Mode::Follow)
        return readNew();
    if (!reconnectIfLost(false)) {
        m_lastReadOk = false;
        return false;
    }
    try {
        const bool changed = poll();
        m_lastReadOk = true;
        return changed;
    } catch (const DbError&) {
        // The table stays as it is; the next tick tries again.
        lose();
        m_lastReadOk = false;
        return false;
    }
}

bool CallBoardEngine::readNew()
{
    // Reads are a second apart or woken by the server: each may try to reconnect.
    if (!reconnectIfLost(true)) {
        m_lastReadOk = false;
        return false;
    }
    bool changed = false;
    try {
        if (m_mode == Mode::Follow) {
            changed = m_following ? follow() : (addFirstFollowing(), true);
        } else {
            for (int i = 0; i < MostPerRead && poll(); ++i)
                changed = true;
        }
        m_lastReadOk = !m_lost;
    } catch (const DbError&) {
        lose();
        m_lastReadOk = false;
    }
    return changed;
}

bool CallBoardEngine::forThisBoard(qint64 counter) const
{
    return !m_noCounters && (m_counterKeys.isEmpty() || m_counterKeys.contains(counter));
}

CallBoardEngine::Notice CallBoardEngine::notified(const QString& payload, int sender)
{
    const std::optional<CallNotice> notice = callOfNotice(payload);
    if (m_lost)
        return Notice::Read;
    if (!notice) {
        // What no call's trigger sent costs no read: only the note after a reopen (no sender) and a
        // call too long to announce (its key, from a counter) are read.
        if (sender > 0 && m_db.callSenderTrust(sender) == SenderTrust::Refused) {
            ++m_refusedNotices;
            return Notice::Passed;
        }
        return Notice::Read;
    }
    const CallRow& call = notice->call;
    if (notice->day != m_clock.todayText() || !forThisBoard(call.counter))
        return Notice::Passed;
    // A taking board reads: one statement takes the oldest waiting call and skips those another board
    // is taking, so boards woken together by a burst of calls take them side by side.
    if (m_mode == Mode::Take || !m_following)
        return Notice::Read;
    // Below the horizon a read has already seen it; above, the read that follows will skip it.
    if (call.stamp < m_horizon || m_seen.contains({call.callAuto, call.stamp}))
        return Notice::Passed;
    if (m_seen.size() >= MostSeen)
        return Notice::Read;
    switch (m_db.callSenderTrust(sender)) {
    case SenderTrust::Trusted:
        break;
    case SenderTrust::Refused:
        ++m_refusedNotices;
        return Notice::Passed;
    case SenderTrust::Unknown:
        return Notice::Read;
    }
    m_seen.insert({call.callAuto, call.stamp});
    show(call);
    return Notice::Shown;
}

bool CallBoardEngine::follow()
{
    QVariantList params{m_clock.todayText(), m_horizon};
    params += m_counterKeys;
    const ResultSet rs =
        m_db.query(QStringLiteral("select ") + FollowColumns + QStringLiteral(" from ") + horizonSource() +
                       QStringLiteral(" left join tblCall c on c.tickDate=? and c.callstamp >= ?") +
                       filterClause() + QStringLiteral(" order by c.callstamp, c.callauto"),
                   params);
    if (rs.isEmpty())
        return false;
    bool changed = false;
    for (int n = 0; n < rs.size(); ++n) {
        if (rs.isNull(n, 1))
            continue;
        const CallRow call = followedAt(rs, n);
        if (m_seen.contains({call.callAuto, call.stamp}))
            continue;
        m_seen.insert({call.callAuto, call.stamp});
        show(call);
        changed = true;
    }
    // What lies below the new horizon will not be read again.
    const qint64 horizon = rs.number(0, 0);
    if (horizon > m_horizon) {
        m_horizon = horizon;
        for (auto it = m_seen.begin(); it != m_seen.end();) {
            if (it->second < m_horizon)
                it = m_seen.erase(it);
            else
                ++it;
        }
    }
    return changed;
}

bool CallBoardEngine::poll()
{
    QVariantList params{m_clock.todayText()};
    params += m_counterKeys;
    if (m_db.isPostgres()) {
        // Read and take in one statement; a call another board is taking at this moment is skipped
        // rather than waited for, so boards woken together take the waiting calls side by side.
        const ResultSet rs = m_db.query(
            QStringLiteral("update tblCall set status1='1' where callauto = (select callauto from tblCall "
                           "where tickDate=? and status1='0'") +
                filterClause() +
                QStringLiteral(" order by callauto asc limit 1 for update skip locked) and status1='0' "
                               "returning ") +
                CallColumns,
            params);
        if (rs.isEmpty())
            return false;
        const CallRow call = callAt(rs, 0);
        if (m_taken)
            m_taken(call);
        show(call);
        return true;
    }
    const ResultSet rs = m_db.query(QStringLiteral("select ") + CallColumns +
                                        QStringLiteral(" from tblCall where tickDate=? and status1='0'") +
                                        filterClause() + QStringLiteral(" order by callauto asc limit 1"),
                                    params);
    if (rs.isEmpty())
        return false;
    const CallRow call = callAt(rs, 0);
    // Take it first: when another board was quicker the call is theirs and this board shows nothing.
    if (m_db.exec(QStringLiteral("update tblCall set status1='1' where callauto=? and status1='0'"),
                  {call.callAuto}) == 0)
        return false;
    if (m_taken)
        m_taken(call);
    show(call);
    return true;
}
