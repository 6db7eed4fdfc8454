#include "calling/CallingCommands.h"

#include "calling/CallEngine.h"
#include "calling/CounterLists.h"
#include "calling/HallNowText.h"
#include "calling/TokenMoves.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/Session.h"
#include "ui/Clock.h"

#include <QDate>
#include <algorithm>

namespace {

// The session gets the counter's values (cntAuto, servAuto, contName, displayName, countNameA,
// displayNameA in the first row).
void setCounter(Session& s, const ResultSet& rs)
{
    s.isAdmin = false;
    s.counterId = rs.number(0, 0);
    s.servingCounterId = s.counterId;
    s.serviceId = rs.number(0, 1);
    s.counterName = rs.text(0, 2);
    s.counterDisplayName = rs.text(0, 3);
    s.counterNameA = rs.text(0, 4);
    s.counterDisplayNameA = rs.text(0, 5);
}

// Works as the counter's own screen would: the session gets the counter's values.
bool useCounter(AppContext& ctx, const QString& name, QTextStream& err)
{
    ResultSet rs = ctx.db.query(
        QStringLiteral("select cntAuto,servAuto,contName,displayName,countNameA,displayNameA from tblCounter "
                       "where contName=? order by cntAuto"),
        {name});
    bool isNumber = false;
    const qint64 key = name.toLongLong(&isNumber);
    if (rs.isEmpty() && isNumber)
        rs = ctx.db.query(
            QStringLiteral("select cntAuto,servAuto,contName,displayName,countNameA,displayNameA "
                           "from tblCounter where cntAuto=?"),
            {key});
    if (rs.isEmpty()) {
        err << "No counter is named " << name << Qt::endl;
        return false;
    }
    setCounter(ctx.session, rs);
    return true;
}

// Works as the counter with that key would.
bool useCounterKey(AppContext& ctx, qint64 key)
{
    const ResultSet rs = ctx.db.query(
        QStringLiteral("select cntAuto,servAuto,contName,displayName,countNameA,displayNameA from tblCounter "
                       "where cntAuto=?"),
        {key});
    if (rs.isEmpty())
        return false;
    setCounter(ctx.session, rs);
    return true;
}

// The token the counter serves now: the one it called last (its newest call row) while that ticket is
// still called there (and not marked as not arrived); without such a row, the last called token as the screen
// finds it on opening.
void restoreCurrent(AppContext& ctx, CallEngine& engine)
{
    engine.getLast();
    const Session& s = ctx.session;
    const ResultSet rs = ctx.db.query(
        QStringLiteral("select t.tickAuto, t.no_abr from tblCall c join tblTicket t on t.tickAuto=c.tickAuto "
                       "where c.servAuto=? and c.tickDate=? and t.call='1' and t.attended=? "
                       "and coalesce(t.status,'')<>'NotArrived' order by c.callauto desc limit 1"),
        {s.counterId, ctx.clock.todayText(), s.counterId});
    if (rs.isEmpty())
        return;
    engine.state.lblNo = QString::number(rs.number(0, 0));
    engine.state.lblToken = rs.text(0, 1);
}

int usageError(QTextStream& err, const char* usage)
{
    err << "usage: brivane-ctl " << usage << Qt::endl;
    return 2;
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

const char* NextUsage = "next COUNTER";
const char* RecallUsage = "recall COUNTER";
const char* CancelUsage = "cancel COUNTER";
const char* FinishUsage = "finish COUNTER";
const char* TransferUsage = "transfer LABEL --to COUNTER [--note TEXT]";
const char* CallsUsage = "calls [--date yyyy-MM-dd]";
const char* PendingUsage = "pending COUNTER";
const char* NowUsage = "now [--csv]";
const char* NotArrivedUsage = "notarrived COUNTER [--list | --back LABEL]";

int nextCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1)
        return usageError(err, NextUsage);
    if (!useCounter(ctx, args.first(), err))
        return 1;
    CallEngine engine(ctx.db, ctx.settings, ctx.clock, ctx.session);
    restoreCurrent(ctx, engine); // the token the counter is serving
    if (!engine.state.lblNo.isEmpty()) {
        engine.setFinish();
        engine.state.lblNo.clear();
    }
    engine.getLast();
    engine.callNext();
    out << (engine.state.Label1 == QLatin1String("Calling") ? engine.state.lblToken : QStringLiteral("Idle"))
        << Qt::endl;
    return 0;
}

enum class OnCurrent { Recall, Cancel, Finish };

// recall, cancel and finish act on the counter's current token.
int currentTokenCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err,
                        OnCurrent action)
{
    if (args.size() != 1)
        return usageError(err, action == OnCurrent::Recall   ? RecallUsage
                               : action == OnCurrent::Cancel ? CancelUsage
                                                             : FinishUsage);
    if (!useCounter(ctx, args.first(), err))
        return 1;
    CallEngine engine(ctx.db, ctx.settings, ctx.clock, ctx.session);
    restoreCurrent(ctx, engine);
    if (engine.state.lblNo.isEmpty()) {
        err << "No token has been called at " << ctx.session.counterName << " today" << Qt::endl;
        return 1;
    }
    const QString label = engine.state.lblToken;
    switch (action) {
    case OnCurrent::Recall:
        engine.updateRc();
        break;
    case OnCurrent::Cancel:
        tokenMoves::cancel(ctx.db, engine.state.currentKey());
        break;
    case OnCurrent::Finish:
        engine.finishCurrent();
        break;
    }
    out << label << Qt::endl;
    return 0;
}

// notarrived COUNTER marks the counter's current token as not arrived (after its recalls); --list prints
// today's tokens the counter marked so, newest first (label, called at); --back LABEL calls one of them
// again at the counter.
int notArrivedCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool list = takeFlag(args, QStringLiteral("--list"));
    const bool back = args.contains(QStringLiteral("--back"));
    const QString label = takeOption(args, QStringLiteral("--back"));
    if (args.size() != 1 || (list && back) || (back && label.isEmpty()))
        return usageError(err, NotArrivedUsage);
    if (!useCounter(ctx, args.first(), err))
        return 1;
    CallEngine engine(ctx.db, ctx.settings, ctx.clock, ctx.session);
    if (list || back) {
        const QVector<QStringList> rows =
            counterLists::notArrived(ctx.db, ctx.clock.todayText(), ctx.session.counterId);
        for (const QStringList& row : rows) {
            if (list) {
                out << csvField(row.value(2)) << ',' << row.value(3) << Qt::endl;
                continue;
            }
            if (row.value(2) != label)
                continue;
            restoreCurrent(ctx, engine);
            if (engine.callThis(row.value(0).toLongLong(), QString()) != CallEngine::CallResult::Called) {
                err << "Token " << label << " could not be called again" << Qt::endl;
                return 1;
            }
            out << engine.state.lblToken << Qt::endl;
            return 0;
        }
        if (list)
            return 0;
        err << "Token " << label << " is not among today's tokens that did not arrive at "
            << ctx.session.counterName << Qt::endl;
        return 1;
    }
    restoreCurrent(ctx, engine);
    const QString current = engine.state.lblToken;
    switch (engine.markNotArrived()) {
    case CallEngine::NotArrivedResult::Marked:
        out << current << Qt::endl;
        return 0;
    case CallEngine::NotArrivedResult::NoToken:
        err << "No token has been called at " << ctx.session.counterName << " today" << Qt::endl;
        return 1;
    case CallEngine::NotArrivedResult::TooFewRecalls:
        err << current << " has been recalled " << engine.recallsOfCurrent() << " of the "
            << engine.recallsBeforeNotArrived() << " times needed before it can be marked as not arrived"
            << Qt::endl;
        return 1;
    case CallEngine::NotArrivedResult::NotServedHere:
        break;
    }
    err << current << " is no longer served at " << ctx.session.counterName << Qt::endl;
    return 1;
}

// The token a counter is serving (its last call of today) goes to the target: finished at that
// counter, waiting at the target. False when the token is not a counter's current token.
bool transferServed(AppContext& ctx, qint64 ticketKey, qint64 targetId, const QString& note)
{
    const ResultSet rs = ctx.db.query(
        QStringLiteral("select attended from tblTicket where tickAuto=? and call='1'"), {ticketKey});
    if (rs.isEmpty() || !useCounterKey(ctx, rs.number(0, 0)))
        return false;
    if (ctx.session.counterId == targetId)
        return false;
    CallEngine engine(ctx.db, ctx.settings, ctx.clock, ctx.session);
    restoreCurrent(ctx, engine);
    if (engine.state.currentKey() != ticketKey)
        return false;
    return engine.transferCurrent(targetId, note);
}

int transferCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QString target = takeOption(args, QStringLiteral("--to"));
    const QString note = takeOption(args, QStringLiteral("--note"));
    if (args.size() != 1 || target.isEmpty())
        return usageError(err, TransferUsage);
    const QString label = args.first();
    const qint64 targetId = lookups::counterIdByName(ctx.db, target);
    if (targetId == 0) {
        err << "No counter is named " << target << Qt::endl;
        return 1;
    }
    // Of today's tokens with that label, a waiting one is the one meant.
    const ResultSet rs = ctx.db.query(
        QStringLiteral(
            "select tickAuto from tblTicket where no_abr=? and tickDate=? "
            "order by case when call='0' and (attended is null or attended=0) then 0 else 1 end, tickAuto"),
        {label, ctx.clock.todayText()});
    if (rs.isEmpty()) {
        err << "Error no valid token" << Qt::endl;
        return 1;
    }
    const qint64 key = rs.number(0, 0);
    if (transferServed(ctx, key, targetId, note)) {
        out << "Updated" << Qt::endl;
        return 0;
    }
    switch (tokenMoves::transferWaiting(ctx.db, key, targetId, note)) {
    case tokenMoves::TransferResult::Transferred:
        out << "Updated" << Qt::endl;
        return 0;
    case tokenMoves::TransferResult::NotWaiting:
        err << tokenMoves::notWaitingMessage(label) << Qt::endl;
        return 1;
    case tokenMoves::TransferResult::NoTicket:
        break;
    }
    err << "Error no valid token" << Qt::endl;
    return 1;
}

// The Hall now figures, a line per service: aligned columns, or CSV with a header line.
int nowCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool csv = args.removeAll(QStringLiteral("--csv")) > 0;
    if (!args.isEmpty())
        return usageError(err, NowUsage);
    hallnow::HallNow hall(ctx.db, ctx.clock);
    const hallnow::Snapshot snapshot = hall.read();
    QVector<QStringList> lines{hallnow::headers()};
    for (const hallnow::Row& row : hallnow::rows(snapshot))
        lines.append(row.cells);
    if (csv) {
        for (const QStringList& line : lines) {
            QStringList fields;
            for (const QString& f : line)
                fields.append(csvField(f));
            out << fields.join(QLatin1Char(',')) << Qt::endl;
        }
        return 0;
    }
    QVector<qsizetype> widths(lines.first().size(), 0);
    for (const QStringList& line : lines) {
        for (int c = 0; c < line.size(); ++c)
            widths[c] = std::max(widths[c], line.at(c).size());
    }
    for (const QStringList& line : lines) {
        QStringList cells;
        for (int c = 0; c < line.size(); ++c)
            cells.append(c == 0 ? line.at(c).leftJustified(widths[c]) : line.at(c).rightJustified(widths[c]));
        out << cells.join(QStringLiteral("  ")).trimmed() << Qt::endl;
    }
    return 0;
}

int callsCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool hasDate = args.contains(QStringLiteral("--date"));
    QString date = takeOption(args, QStringLiteral("--date"));
    if (!args.isEmpty() || (hasDate && date.isEmpty()))
        return usageError(err, CallsUsage);
    if (date.isEmpty())
        date = ctx.clock.todayText();
    if (!QDate::fromString(date, QStringLiteral("yyyy-MM-dd")).isValid()) {
        err << "Not a date (yyyy-MM-dd): " << date << Qt::endl;
        return 2;
    }
    const ResultSet rs = ctx.db.query(
        QStringLiteral(
            "select callauto,servAuto,no_abr,displayName,status1,tickAuto,tickDate,contName,displayNameA,"
            "countNameA from tblCall where tickDate=? order by callauto"),
        {date});
    out << "callauto,servAuto,no_abr,displayName,status1,tickAuto,tickDate,contName,displayNameA,countNameA"
        << Qt::endl;
    for (int r = 0; r < rs.size(); ++r) {
        QStringList fields;
        for (int c = 0; c < rs.columnCount(); ++c)
            fields.append(csvField(rs.text(r, c)));
        out << fields.join(QLatin1Char(',')) << Qt::endl;
    }
    return 0;
}

int pendingCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 1)
        return usageError(err, PendingUsage);
    if (!useCounter(ctx, args.first(), err))
        return 1;
    CallEngine engine(ctx.db, ctx.settings, ctx.clock, ctx.session);
    out << engine.pendingCount() << Qt::endl;
    return 0;
}

} // namespace

void registerCallingCommands(CommandRegistry& commands)
{
    const auto call = WorkstationRights::Act::Call;
    commands.add(QStringLiteral("next"), QString::fromLatin1(NextUsage), call, nextCommand);
    commands.add(QStringLiteral("recall"), QString::fromLatin1(RecallUsage), call,
                 [](AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err) {
                     return currentTokenCommand(ctx, args, out, err, OnCurrent::Recall);
                 });
    commands.add(QStringLiteral("cancel"), QString::fromLatin1(CancelUsage), call,
                 [](AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err) {
                     return currentTokenCommand(ctx, args, out, err, OnCurrent::Cancel);
                 });
    commands.add(QStringLiteral("finish"), QString::fromLatin1(FinishUsage), call,
                 [](AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err) {
                     return currentTokenCommand(ctx, args, out, err, OnCurrent::Finish);
                 });
    commands.add(QStringLiteral("transfer"), QString::fromLatin1(TransferUsage), call, transferCommand);
    commands.add(QStringLiteral("calls"), QString::fromLatin1(CallsUsage), WorkstationRights::Act::ShowCalls,
                 callsCommand);
    commands.add(QStringLiteral("pending"), QString::fromLatin1(PendingUsage), call, pendingCommand);
    commands.add(QStringLiteral("now"), QString::fromLatin1(NowUsage), nowCommand);
    commands.add(QStringLiteral("notarrived"), QString::fromLatin1(NotArrivedUsage), call, notArrivedCommand);
}
