#include "core/CallDelivery.h"

#include "core/Database.h"
#include "ui/Clock.h"

#include <QDebug>
#include <QSet>
#include <algorithm>

namespace delivery {

namespace {

const QString ScreenTable = QStringLiteral("brivane_screen");
const QString ShownTable = QStringLiteral("brivane_shown");
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

const QString ScreenDdl = QStringLiteral(
    "create table if not exists brivane_screen (screen text not null primary key, kind text not null, "
    "counters text, firstseen text not null, lastseen text not null)");
const QString ShownDdl = QStringLiteral(
    "create table if not exists brivane_shown (callauto bigint not null, stamp bigint not null, "
    "screen text not null, shownat text not null, primary key (callauto, stamp, screen))");
const QString ShownAtIndex =
    QStringLiteral("create index if not exists ix_shown_at on brivane_shown (shownat)");

// Marks a screen seen now; a screen away longer than the window starts a new first-seen.
const QString SeenUpsert = QStringLiteral(
    "insert into brivane_screen (screen, kind, counters, firstseen, lastseen) values (?, ?, ?, ?, ?) "
    "on conflict (screen) do update set %1 firstseen = case when brivane_screen.lastseen < ? then "
    "excluded.firstseen else brivane_screen.firstseen end, lastseen = excluded.lastseen");

QDateTime parsed(const QString& text)
{
    return QDateTime::fromString(text.left(19), TimeFormat);
}

QString countersText(const QVector<qint64>& counters)
{
    QStringList keys;
    for (qint64 c : counters)
        keys.append(QString::number(c));
    // Every counter is an empty text, not a null the column refuses.
    return keys.isEmpty() ? QStringLiteral("") : keys.join(QLatin1Char(';'));
}

QVector<qint64> countersOf(const QString& text)
{
    QVector<qint64> keys;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        bool ok = false;
        const qint64 key = part.trimmed().toLongLong(&ok);
        if (ok)
            keys.append(key);
    }
    return keys;
}

void upsertScreen(Database& db, const Clock& clock, const QString& screen, ScreenKind kind,
                  const QVector<qint64>& counters, bool describe)
{
    const QDateTime now = clock.now();
    const QString cutoff = stampText(now.addSecs(-60 * ExpectedWindowMinutes));
    const QString set =
        describe ? QStringLiteral("kind = excluded.kind, counters = excluded.counters,") : QString();
    db.exec(SeenUpsert.arg(set),
            {screen, kindName(kind), countersText(counters), stampText(now), stampText(now), cutoff});
}

// When a showing was made, from the ticket's call time, for a showing no screen showed.
QDateTime callTimeOf(const QString& day, const QString& time)
{
    if (day.isEmpty() || time.isEmpty())
        return {};
    return parsed(day + QLatin1Char(' ') + time.left(8));
}

} // namespace

QString kindName(ScreenKind kind)
{
    switch (kind) {
    case ScreenKind::Board:
        return QStringLiteral("board");
    case ScreenKind::Mirror:
        return QStringLiteral("mirror");
    case ScreenKind::Web:
        return QStringLiteral("web");
    case ScreenKind::Announcer:
        return QStringLiteral("announcer");
    }
    return QString();
}

ScreenKind kindOfName(const QString& name)
{
    for (ScreenKind k : {ScreenKind::Mirror, ScreenKind::Web, ScreenKind::Announcer}) {
        if (kindName(k) == name.trimmed().toLower())
            return k;
    }
    return ScreenKind::Board;
}

QString stampText(const QDateTime& moment)
{
    return moment.toString(TimeFormat);
}

QStringList tables()
{
    return {ScreenTable, ShownTable};
}

bool present(Database& db)
{
    if (db.isPostgres())
        return db.query(QStringLiteral("select to_regclass('brivane_screen') is not null and "
                                       "to_regclass('brivane_shown') is not null"))
                   .text(0, 0) == QLatin1String("true");
    return db.query(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name in "
                                   "('brivane_screen', 'brivane_shown')"))
               .number(0, 0) == 2;
}

void ensureTables(Database& db)
{
    try {
        if (present(db))
            return;
        db.inTransaction([&] {
            // Workstations of the owner opening together make them once.
            if (db.isPostgres())
                db.query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
            db.exec(ScreenDdl);
            db.exec(ShownDdl);
            db.exec(ShownAtIndex);
        });
    } catch (const DbError& e) {
        // A login that does not own the hall makes nothing: its screens acknowledge once the owner has.
        if (e.isConnectionFailure())
            throw;
        if (e.kind() != DbError::Kind::NotPermitted)
            qWarning().noquote() << "The tables of call receipts could not be made:" << e.detail();
    }
}

void announceScreen(Database& db, const Clock& clock, const QString& screen, ScreenKind kind,
                    const QVector<qint64>& counters)
{
    upsertScreen(db, clock, screen, kind, counters, true);
}

void recordShown(Database& db, const Clock& clock, const QString& screen, qint64 callAuto, qint64 stamp,
                 ScreenKind kind)
{
    db.exec(QStringLiteral("insert into brivane_shown (callauto, stamp, screen, shownat) values (?, ?, ?, ?) "
                           "on conflict do nothing"),
            {callAuto, stamp, screen, stampText(clock.now())});
    upsertScreen(db, clock, screen, kind, {}, false);
}

QVector<Screen> screens(Database& db)
{
    QVector<Screen> all;
    const ResultSet rs = db.query(QStringLiteral(
        "select screen, kind, counters, firstseen, lastseen from brivane_screen order by screen"));
    for (int i = 0; i < rs.size(); ++i)
        all.append({rs.text(i, 0), kindOfName(rs.text(i, 1)), countersOf(rs.text(i, 2)),
                    parsed(rs.text(i, 3)), parsed(rs.text(i, 4))});
    return all;
}

QVector<Receipt> receiptsFrom(const QVector<Screen>& screens, qint64 counter, const QDateTime& at,
                              const QVector<QPair<QString, QString>>& shown)
{
    QVector<QPair<QString, QString>> inOrder = shown;
    std::stable_sort(inOrder.begin(), inOrder.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    QHash<QString, const Screen*> byName;
    for (const Screen& s : screens)
        byName.insert(s.name, &s);
    QVector<Receipt> receipts;
    QSet<QString> showedIt;
    bool takenByABoard = false;
    for (const auto& [name, when] : inOrder) {
        const Screen* s = byName.value(name);
        const ScreenKind kind = s ? s->kind : ScreenKind::Board;
        receipts.append({name, kind, when, s ? stampText(s->lastSeen) : QString()});
        showedIt.insert(name);
        takenByABoard = takenByABoard || kind == ScreenKind::Board;
    }
    // The first screen's moment stands for the showing's when the caller knows none.
    const QDateTime moment = at.isValid() ? at : inOrder.isEmpty() ? QDateTime() : parsed(inOrder[0].second);
    if (!moment.isValid())
        return receipts;
    const QDateTime since = moment.addSecs(-60 * ExpectedWindowMinutes);
    const QDateTime until = moment.addSecs(ClockSlackSeconds);
    QVector<Screen> byNameOrder = screens;
    std::sort(byNameOrder.begin(), byNameOrder.end(),
              [](const Screen& a, const Screen& b) { return a.name < b.name; });
    for (const Screen& s : byNameOrder) {
        if (showedIt.contains(s.name) || !s.shows(counter))
            continue;
        if (!s.lastSeen.isValid() || s.lastSeen < since || !s.firstSeen.isValid() || s.firstSeen > until)
            continue;
        // Each call is taken by one taking board: the others had no part in it.
        if (s.kind == ScreenKind::Board && takenByABoard)
            continue;
        receipts.append({s.name, s.kind, QString(), stampText(s.lastSeen)});
    }
    return receipts;
}

QVector<Receipt> receiptsOf(Database& db, qint64 callAuto, const QString& at)
{
    const ResultSet call = db.query(
        QStringLiteral("select c.servAuto, coalesce(c.callstamp, 0), t.tickDate, t.attTime from tblCall c "
                       "left join tblTicket t on t.tickAuto = c.tickAuto where c.callauto = ?"),
        {callAuto});
    if (call.isEmpty())
        return {};
    const qint64 stamp = call.number(0, 1);
    QVector<QPair<QString, QString>> shown;
    const ResultSet rs =
        db.query(QStringLiteral("select screen, shownat from brivane_shown where callauto = ? and stamp = ? "
                                "order by shownat"),
                 {callAuto, stamp});
    for (int i = 0; i < rs.size(); ++i)
        shown.append({rs.text(i, 0), rs.text(i, 1)});
    QDateTime moment = parsed(at);
    if (!moment.isValid() && shown.isEmpty())
        moment = callTimeOf(call.text(0, 2), call.text(0, 3));
    return receiptsFrom(screens(db), call.number(0, 0), moment, shown);
}

QVector<Showing> showingsOfDay(Database& db, const QDate& day)
{
    const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
    const QVector<Screen> all = screens(db);
    // Every call of the day with its present showing, and every earlier showing a screen recorded.
    const ResultSet calls = db.query(
        QStringLiteral("select c.callauto, coalesce(c.callstamp, 0), c.servAuto, t.tickDate, t.attTime "
                       "from tblCall c left join tblTicket t on t.tickAuto = c.tickAuto where c.tickDate = ? "
                       "order by c.callauto"),
        {date});
    const ResultSet rows =
        db.query(QStringLiteral("select s.callauto, s.stamp, s.screen, s.shownat from brivane_shown s join "
                                "tblCall c on c.callauto = s.callauto where c.tickDate = ? "
                                "order by s.callauto, s.stamp, s.shownat"),
                 {date});
    QHash<QPair<qint64, qint64>, QVector<QPair<QString, QString>>> shown;
    QHash<qint64, QVector<qint64>> stampsOf;
    for (int i = 0; i < rows.size(); ++i) {
        const QPair<qint64, qint64> key{rows.number(i, 0), rows.number(i, 1)};
        if (!shown.contains(key))
            stampsOf[key.first].append(key.second);
        shown[key].append({rows.text(i, 2), rows.text(i, 3)});
    }
    QVector<Showing> showings;
    for (int i = 0; i < calls.size(); ++i) {
        const qint64 callAuto = calls.number(i, 0);
        const qint64 present = calls.number(i, 1);
        const qint64 counter = calls.number(i, 2);
        QVector<qint64> stamps = stampsOf.value(callAuto);
        if (!stamps.contains(present))
            stamps.append(present);
        std::sort(stamps.begin(), stamps.end());
        for (qint64 stamp : stamps) {
            const auto& those = shown.value({callAuto, stamp});
            const QDateTime moment =
                those.isEmpty() ? callTimeOf(calls.text(i, 3), calls.text(i, 4)) : QDateTime();
            showings.append({callAuto, stamp, counter, receiptsFrom(all, counter, moment, those)});
        }
    }
    return showings;
}

qint64 clearBefore(Database& db, const QDate& before)
{
    if (!present(db))
        return 0;
    const QString day = before.toString(QStringLiteral("yyyy-MM-dd"));
    const qint64 removed = db.exec(QStringLiteral("delete from brivane_shown where shownat < ?"), {day});
    db.exec(QStringLiteral("delete from brivane_screen where lastseen < ?"), {day});
    return removed;
}

} // namespace delivery
