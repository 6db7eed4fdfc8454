#pragma once

#include "core/NotificationSenders.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <functional>

class QSocketNotifier;

// The listeners of one Database: the channels it is subscribed to and who is told of each
// notification. Kept across reopens; each new connection is subscribed again (attach).
//
// The notifications are read from the connection through the client library itself rather than Qt's
// driver, which drops the server process of the sending session: a listener needs it to tell a
// notification of the store's own trigger from one any login made up (see SenderTrust).
class NotificationHub : public QObject
{
public:
    // The payload and the server process id of the session that sent it (0 for the note after a
    // reopen, which no session sent).
    using Handler = std::function<void(const QString& payload, int sender)>;

    // Notifications handed on per pass of the event loop; more wait for the next pass.
    static constexpr int MostPerPass = 1000;

    explicit NotificationHub(QString connectionName);
    ~NotificationHub() override;

    // Subscribes the connection (after each open) to every channel. With `tell`, every handler is
    // then told once with an empty payload: what was sent before is lost.
    void attach(bool tell = true);
    // The connection is about to close: nothing more is read from it.
    void detach();
    // Adds (or replaces) the channel's handler; true when the connection is subscribed.
    bool add(const QString& channel, Handler handler);
    void remove(const QString& channel);
    bool subscribed(const QString& channel) const;
    // A statement has ended: notifications that came with its answer are handed on soon.
    void statementDone();

    SenderCache& senders() { return m_senders; }
    qint64 nowMs() const { return m_clock.elapsed(); }

private:
    bool subscribe(const QString& channel);
    // LISTEN or UNLISTEN on the connection as it is (never reopened for it).
    bool runOnLink(const QString& sql);
    void readSoon();
    void read();
    void tellAll();

    QString m_connectionName;
    QHash<QString, Handler> m_handlers;
    QSet<QString> m_subscribed;
    QPointer<QSocketNotifier> m_notifier;
    bool m_attached = false;
    bool m_readDue = false;
    SenderCache m_senders;
    QElapsedTimer m_clock;
};
