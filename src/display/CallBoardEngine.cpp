#include "display/CallBoardEngine.h"

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

CallBoardEngine::CallBoardEngine(Database& db, const Session& session, const Clock& clock, BoardTable& table)
    : m_db(db), m_clock(clock), m_table(table), m_shown(defaultShownCallSink)
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

namespace {

const QString CallColumns = QStringLiteral("callauto, servAuto, no_abr, displayName, status1, tickAuto, "
                                           "tickDate, contName, displayNameA, countNameA");

CallRow callAt(const ResultSet& rs, int row)
{
    CallRow c;
    c.callAuto = rs.number(row, 0);
    c.counter = rs.number(row, 1);
    c.ticket = rs.number(row, 5);
    c.label = rs.text(row, 2);
    c.displayName = rs.text(row, 3);
    c.contName = rs.text(row, 7);
    c.displayNameA = rs.text(row, 8);
    c.countNameA = rs.text(row, 9);
    return c;
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

bool CallBoardEngine::addFirst()
{
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
    if (m_shown) {
        for (CallRow& call : fresh) {
            call.boardRows = dataRows;
            m_shown->callShown(call);
        }
    }
    return ok;
}

void CallBoardEngine::lose()
{
    if (!m_db.ping()) {
        m_lost = true;
        m_retryIn = 1; // the first attempt comes with the next tick
    }
}

bool CallBoardEngine::Timer1_Timer()
{
    if (m_lost) {
        if (--m_retryIn > 0)
            return false;
        if (!m_reconnect || !m_reconnect()) {
            m_retryIn = RetryTicks;
            return false;
        }
        m_lost = false;
    }
    try {
        return poll();
    } catch (const DbError&) {
        // The table stays as it is; the next tick tries again.
        lose();
        return false;
    }
}

bool CallBoardEngine::poll()
{
    QVariantList params{m_clock.todayText()};
    params += m_counterKeys;
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
    if (m_table.text(1, 1) != call.label + QLatin1Char(' '))
        m_table.moveDown1();
    writeCall(1, call);
    if (m_shown) {
        CallRow shown = call;
        shown.boardRows = m_table.rows() - 1;
        m_shown->callShown(shown);
    }
    return true;
}
