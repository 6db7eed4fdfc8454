// The data layer's notifications: the trigger on tblCall that stamps every new call and every recall
// and announces it on the call channel, and the subscriptions (LISTEN) of a connection, made again
// after each reopen.

#include "core/DatabaseNotifications.h"

#include "core/Database.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

namespace {

const QString callChannelName = QStringLiteral("brivane_call");
const QString callTriggerName = QStringLiteral("brivane_call_changed");
const QString hallChannelName = QStringLiteral("brivane_hall");
const QString hallTriggerName = QStringLiteral("brivane_hall_changed");

// PostgreSQL: every statement that issues, calls, finishes, moves or removes tickets announces that
// the hall changed, once per transaction (the server folds equal notifications of one transaction),
// so the hall's figures are read again within a moment rather than by polling.
QString pgHallTriggerBody()
{
    return QStringLiteral(" begin perform pg_notify('%1', ''); return null; end ").arg(hallChannelName);
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

bool Database::listen(const QString& channel, std::function<void(const QString& payload)> handler)
{
    if (!m_notifications) {
        m_notifications = std::make_unique<NotificationHub>();
        if (m_kind == Kind::Postgres && !m_broken)
            m_notifications->attach(QSqlDatabase::database(m_connectionName, false).driver(), false);
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
        m_notifications->attach(QSqlDatabase::database(m_connectionName, false).driver());
}

void NotificationHub::attach(QSqlDriver* driver, bool tell)
{
    disconnect(m_connection);
    m_driver = driver;
    if (m_driver && m_driver->hasFeature(QSqlDriver::EventNotifications)) {
        m_connection = connect(m_driver, &QSqlDriver::notification, this,
                               [this](const QString& name, QSqlDriver::NotificationSource,
                                      const QVariant& payload) { deliver(name, payload.toString()); });
    }
    for (auto it = m_handlers.cbegin(); it != m_handlers.cend(); ++it) {
        subscribe(it.key());
        if (tell)
            deliver(it.key(), QString());
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
    if (subscribed(channel))
        m_driver->unsubscribeFromNotification(channel);
}

bool NotificationHub::subscribed(const QString& channel) const
{
    return m_driver && m_driver->subscribedToNotifications().contains(channel);
}

bool NotificationHub::subscribe(const QString& channel)
{
    if (!m_driver || !m_driver->hasFeature(QSqlDriver::EventNotifications) || !m_driver->isOpen())
        return false;
    return subscribed(channel) || m_driver->subscribeToNotification(channel);
}

void NotificationHub::deliver(const QString& channel, const QString& payload)
{
    // Told from the event loop, never from inside the driver: a handler reads on the same connection.
    QMetaObject::invokeMethod(
        this,
        [this, channel, payload] {
            const auto it = m_handlers.constFind(channel);
            if (it != m_handlers.constEnd() && *it)
                (*it)(payload);
        },
        Qt::QueuedConnection);
}
