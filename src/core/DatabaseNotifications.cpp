// The data layer's notifications: the trigger on tblCall that stamps every new call and every recall
// and announces it on the call channel, and the subscriptions (LISTEN) of a connection, made again
// after each reopen.

#include "core/DatabaseNotifications.h"

#include "core/Database.h"
#include "core/PgLink.h"
#include "core/WorkstationKinds.h"

#include <QSocketNotifier>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

const QString callChannelName = QStringLiteral("brivane_call");
const QString callTriggerName = QStringLiteral("brivane_call_changed");
const QString hallChannelName = QStringLiteral("brivane_hall");
const QString hallTriggerName = QStringLiteral("brivane_hall_changed");

// PostgreSQL: a statement that issues, calls, finishes, moves or removes tickets announces that the
// hall changed, so the hall's figures are read again within a moment rather than by polling. Each
// connection announces at most once in Database::hallNoticeGapMs: every announcing commit waits for
// all the others on the server, and a kiosk issuing without pause would make the hall's tickets wait
// for that alone. What a connection changes within the gap after its last announcement is seen by
// the listeners' read that follows each burst. The time of the last announcement is a setting of the
// connection, so a transaction rolled back leaves it as it was.
QString pgHallTriggerBody()
{
    return QStringLiteral(
               " declare told text := current_setting('brivane.hall_told', true); "
               "at bigint := floor(extract(epoch from clock_timestamp()) * 1000); begin "
               "if coalesce(told, '') = '' or at - told::bigint >= %2 or at < told::bigint then "
               "perform set_config('brivane.hall_told', at::text, false); perform pg_notify('%1', ''); "
               "end if; return null; end ")
        .arg(hallChannelName)
        .arg(Database::hallNoticeGapMs);
}

// PostgreSQL: a new call or a recall (status1 written as "0", also over a "0") gets the writing
// transaction's id as its stamp and is announced when that transaction commits. A board that
// follows every call reads by stamp: every transaction older than the oldest one still running when
// it reads has ended, so what it has not seen can only have a stamp at or above that horizon.
// The announcement carries the call itself (keys as texts, see CallNotice), so a board shows it
// without asking; one too long for a notification carries the call's key only, and boards read.
QString pgCallTriggerBody()
{
    return QStringLiteral(
               " declare p text; begin if new.status1 = '0' then new.callstamp := txid_current(); "
               "p := json_build_array(new.callauto::text, new.callstamp::text, new.servauto::text, "
               "new.tickauto::text, new.tickdate, new.no_abr, new.displayname, new.contname, "
               "new.displaynamea, new.countnamea)::text; "
               "if octet_length(p) > 7000 then p := new.callauto::text; end if; "
               "perform pg_notify('%1', p); end if; return new; end ")
        .arg(callChannelName);
}

// SQLite: one writer at a time, so a stamp one above the highest is also the order of commits.
const QString sqliteStamp =
    QStringLiteral("update tblCall set callstamp = (select coalesce(max(callstamp), 0) + 1 from tblCall) "
                   "where callauto = new.callauto; ");

QString sqliteNewCallTrigger()
{
    return QStringLiteral("CREATE TRIGGER brivane_call_new after insert on tblCall when new.status1 = '0' "
                          "begin ") +
           sqliteStamp + QStringLiteral("end");
}

QString sqliteRecallTrigger()
{
    return QStringLiteral("CREATE TRIGGER brivane_call_recall after update of status1 on tblCall "
                          "when new.status1 = '0' begin ") +
           sqliteStamp + QStringLiteral("end");
}

} // namespace

QString Database::callChannel()
{
    return callChannelName;
}

QString Database::hallChannel()
{
    return hallChannelName;
}

void Database::ensureCallTrigger()
{
    if (m_kind == Kind::Sqlite) {
        const QList<std::pair<QString, QString>> wanted{
            {QStringLiteral("brivane_call_new"), sqliteNewCallTrigger()},
            {QStringLiteral("brivane_call_recall"), sqliteRecallTrigger()}};
        for (const auto& [name, ddl] : wanted) {
            const ResultSet rs = query(
                QStringLiteral("select sql from sqlite_master where type='trigger' and name=?"), {name});
            if (rs.size() == 1 && rs.text(0, 0) == ddl)
                continue;
            inTransaction([&] {
                exec(QStringLiteral("drop trigger if exists %1").arg(name));
                exec(ddl);
            });
        }
        return;
    }
    if (m_kind != Kind::Postgres)
        return;
    const ResultSet rs =
        query(QStringLiteral("select p.prosrc from pg_proc p join pg_trigger t on t.tgfoid = p.oid "
                             "where p.proname = ? and t.tgname = ?"),
              {callTriggerName, callTriggerName});
    const ResultSet hall =
        query(QStringLiteral("select p.prosrc from pg_proc p join pg_trigger t on t.tgfoid = p.oid "
                             "where p.proname = ? and t.tgname = ?"),
              {hallTriggerName, hallTriggerName});
    if (rs.size() == 1 && rs.text(0, 0) == pgCallTriggerBody() && hall.size() == 1 &&
        hall.text(0, 0) == pgHallTriggerBody())
        return;
    try {
        inTransaction([&] {
            query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
            exec(QStringLiteral("create or replace function %1() returns trigger language plpgsql as $$%2$$")
                     .arg(callTriggerName, pgCallTriggerBody()));
            exec(QStringLiteral("drop trigger if exists %1 on tblCall").arg(callTriggerName));
            exec(
                QStringLiteral("create trigger %1 before insert or update of status1 on tblCall for each row "
                               "execute function %1()")
                    .arg(callTriggerName));
            exec(QStringLiteral("create or replace function %1() returns trigger language plpgsql as $$%2$$")
                     .arg(hallTriggerName, pgHallTriggerBody()));
            exec(QStringLiteral("drop trigger if exists %1 on tblTicket").arg(hallTriggerName));
            exec(QStringLiteral("create trigger %1 after insert or update or delete on tblTicket "
                                "for each statement execute function %1()")
                     .arg(hallTriggerName));
        });
    } catch (const DbError& e) {
        // A user who may not create triggers still works; boards then find calls by their safety read.
        if (e.kind() != DbError::Kind::Other && e.kind() != DbError::Kind::NotPermitted)
            throw;
    }
}

bool Database::listen(const QString& channel, NotificationHub::Handler handler)
{
    if (!m_notifications) {
        m_notifications = std::make_unique<NotificationHub>(m_connectionName);
        if (m_kind == Kind::Postgres && !m_broken)
            m_notifications->attach(false);
    }
    return m_notifications->add(channel, std::move(handler));
}

void Database::unlisten(const QString& channel)
{
    if (m_notifications)
        m_notifications->remove(channel);
}

bool Database::listening(const QString& channel) const
{
    return m_notifications && m_notifications->subscribed(channel);
}

void Database::resubscribe()
{
    if (m_notifications)
        m_notifications->attach();
}

SenderTrust Database::callSenderTrust(int sender)
{
    if (m_kind != Kind::Postgres || !m_notifications || sender <= 0)
        return SenderTrust::Unknown;
    SenderCache& cache = m_notifications->senders();
    if (const std::optional<bool> known = cache.trusted(sender, m_notifications->nowMs()))
        return *known ? SenderTrust::Trusted : SenderTrust::Refused;
    // Every login sees who each session of the server is; the session of a call's trigger is the
    // counter's (or the office's) own.
    ResultSet rs;
    try {
        rs = query(QStringLiteral("select case when pg_has_role(a.usesysid, c.relowner, 'MEMBER') or exists "
                                  "(select 1 from pg_roles r where r.rolname in (?, ?) and "
                                  "pg_has_role(a.usesysid, r.oid, 'MEMBER')) then 1 else 0 end "
                                  "from pg_stat_activity a join pg_class c on c.oid = to_regclass('tblcall') "
                                  "where a.pid = ?"),
                   {kinds::groupRole(m_link.database, kinds::Kind::Counter),
                    kinds::groupRole(m_link.database, kinds::Kind::Office), sender});
    } catch (const DbError&) {
        return SenderTrust::Unknown;
    }
    if (rs.isEmpty() || !m_notifications)
        return SenderTrust::Unknown; // the session has ended: its process id may come again
    const bool trusted = rs.number(0, 0) == 1;
    m_notifications->senders().learn(sender, trusted, m_notifications->nowMs());
    return trusted ? SenderTrust::Trusted : SenderTrust::Refused;
}

void Database::notificationsAfterStatement()
{
    if (m_notifications)
        m_notifications->statementDone();
}

void Database::stopReadingNotifications()
{
    if (m_notifications)
        m_notifications->detach();
}

NotificationHub::NotificationHub(QString connectionName) : m_connectionName(std::move(connectionName))
{
    m_clock.start();
}

NotificationHub::~NotificationHub()
{
    detach();
}

void NotificationHub::attach(bool tell)
{
    detach();
    const int fd = pglink::socketOf(QSqlDatabase::database(m_connectionName, false));
    if (fd >= 0) {
        m_attached = true;
        m_notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &NotificationHub::read);
        for (auto it = m_handlers.cbegin(); it != m_handlers.cend(); ++it)
            subscribe(it.key());
        readSoon();
    }
    if (tell)
        tellAll();
}

void NotificationHub::detach()
{
    m_attached = false;
    m_subscribed.clear();
    if (m_notifier) {
        // Also from within its own signal: it must watch the socket no longer, at once.
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
}

bool NotificationHub::add(const QString& channel, Handler handler)
{
    m_handlers.insert(channel, std::move(handler));
    return subscribe(channel);
}

void NotificationHub::remove(const QString& channel)
{
    m_handlers.remove(channel);
    if (m_subscribed.remove(channel) && m_attached)
        runOnLink(QStringLiteral("UNLISTEN ") + channel);
}

bool NotificationHub::subscribed(const QString& channel) const
{
    return m_attached && m_subscribed.contains(channel);
}

bool NotificationHub::subscribe(const QString& channel)
{
    if (!m_attached)
        return false;
    if (m_subscribed.contains(channel))
        return true;
    if (!runOnLink(QStringLiteral("LISTEN ") + channel))
        return false;
    m_subscribed.insert(channel);
    return true;
}

bool NotificationHub::runOnLink(const QString& sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    const bool ok = q.exec(sql);
    readSoon(); // what came with the answer
    return ok;
}

void NotificationHub::statementDone()
{
    if (m_attached)
        readSoon();
}

void NotificationHub::readSoon()
{
    if (m_readDue)
        return;
    m_readDue = true;
    // Read from the event loop, never from within a statement: a handler reads on the same connection.
    QMetaObject::invokeMethod(this, &NotificationHub::read, Qt::QueuedConnection);
}

void NotificationHub::read()
{
    m_readDue = false;
    if (!m_attached)
        return;
    bool lost = false;
    const QList<pglink::ServerNotification> taken =
        pglink::takeNotifications(QSqlDatabase::database(m_connectionName, false), MostPerPass, lost);
    for (const pglink::ServerNotification& n : taken) {
        const auto it = m_handlers.constFind(n.channel);
        if (it == m_handlers.cend() || !*it)
            continue;
        const Handler handler = *it; // a handler may stop listening
        handler(n.payload, n.sender);
    }
    if (lost) {
        // The listeners read, and the read opens a new connection that is subscribed again.
        detach();
        tellAll();
        return;
    }
    if (taken.size() >= MostPerPass)
        readSoon();
}

void NotificationHub::tellAll()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QStringList channels = m_handlers.keys();
            for (const QString& channel : channels) {
                const auto it = m_handlers.constFind(channel);
                if (it != m_handlers.cend() && *it) {
                    const Handler handler = *it;
                    handler(QString(), 0);
                }
            }
        },
        Qt::QueuedConnection);
}
