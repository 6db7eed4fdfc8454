#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>

class QSqlDriver;

// The listeners of one Database: the channels it is subscribed to and who is told of each
// notification. Kept across reopens; each new connection is subscribed again (attach).
class NotificationHub : public QObject
{
public:
    using Handler = std::function<void(const QString& payload)>;

    // Subscribes the connection's driver to every channel (after each open of the connection).
    // With `tell`, every handler is then told once with an empty payload: what was sent before is lost.
    void attach(QSqlDriver* driver, bool tell = true);
    // Adds (or replaces) the channel's handler; true when the connection is subscribed.
    bool add(const QString& channel, Handler handler);
    void remove(const QString& channel);
    bool subscribed(const QString& channel) const;

private:
    bool subscribe(const QString& channel);
    void deliver(const QString& channel, const QString& payload);

    QHash<QString, Handler> m_handlers;
    QPointer<QSqlDriver> m_driver;
    QMetaObject::Connection m_connection;
};
