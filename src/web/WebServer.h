#pragma once

#include "web/ConnectionGuard.h"
#include "web/OriginPolicy.h"
#include "web/PushHub.h"
#include "web/RateLimiter.h"
#include "web/StaffPages.h"
#include "web/StoreReaders.h"
#include "web/WebAnswers.h"
#include "web/WebConfig.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QUrlQuery>
#include <functional>
#include <memory>

class CallFeed;
class Clock;
class Database;
class Settings;

// The hall over HTTP: the board page for any browser, the visitor's ticket page, the few answers they
// read, and their pushed connections; it writes only the tokens visitors take from their phones (/join). It
// serves its own built-in files only and answers every request with strict headers; each client address has a
// budget of requests. Connections are bounded by the ConnectionGuard in front of the parser; reads of the
// hall run on StoreReaders, so a slow database holds up only the requests that wait for it.
class WebServer : public QAbstractHttpServer
{
    Q_OBJECT
public:
    // `readers` opens the connections the requests are read on; by default another connection to the
    // store of `db`, changing nothing of its schema.
    WebServer(Database& db, Settings& settings, const Clock& clock, CallFeed& feed, const WebConfig& config,
              QObject* parent = nullptr, StoreReaders::Opener readers = {});
    ~WebServer() override;

    // Listens on the configured address and port only (port 0: a free one). Returns the failure's
    // description; empty when the server listens.
    QString start();
    quint16 port() const;
    // The staff page's own port; 0 when it is served on the visitors' address.
    quint16 staffPort() const;
    PushHub& pages() { return m_pages; }
    StaffPages& staff() { return m_staff; }
    // The connections open now (nullptr before start).
    const ConnectionGuard* connections() const { return m_guard; }
    // Milliseconds of a monotonic clock, for the request budget (tests set it).
    void setMonotonicClock(std::function<qint64()> ms) { m_ms = std::move(ms); }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    bool takeUpgrade(const QHttpServerRequest& request, QTcpSocket* socket);
    // Sends the answer of request `number` on the socket (in the order of the requests).
    void send(QTcpSocket* socket, qint64 number, const WebAnswer& answer, bool close);
    void takeWebSockets();
    // The staff paths (/manager…); true when the request was one of them and is answered.
    bool staffRequest(const QHttpServerRequest& request, QTcpSocket* socket, qint64 number, bool close);
    void logIn(const QHttpServerRequest& request, QTcpSocket* socket, qint64 number, bool close);
    // A visitor's near-turn alert posted from the ticket page.
    void alertPost(const QHttpServerRequest& request, QTcpSocket* socket, qint64 number, bool close,
                   const QString& code);
    // /join: the services a visitor may join from the phone, and the join posted from it.
    void joinRequest(const QHttpServerRequest& request, QTcpSocket* socket, qint64 number, bool close);
    // Answers request `number` with what `work` makes of the hall on a reader, within the client's
    // share of the readers.
    void answerOnReader(QTcpSocket* socket, qint64 number, bool close, const QHostAddress& client,
                        const std::function<WebAnswer(Database&, Settings&)>& work);
    ConnectionGuard* guardOf(QTcpSocket* socket) const;

    const Clock& m_clock;
    WebConfig m_config;
    RateLimiter m_limiter;
    RateLimiter m_alertPosts; // a visitor changes an alert a few times, not dozens
    PushHub m_pages;
    QElapsedTimer m_started;
    std::function<qint64()> m_ms;
    ConnectionGuard* m_guard = nullptr;
    ConnectionGuard* m_staffGuard = nullptr; // with a staff address of its own
    std::unique_ptr<OriginPolicy> m_origins;
    std::unique_ptr<OriginPolicy> m_staffOrigins;
    StaffPages m_staff;
    QHash<QString, QByteArray> m_upgradeSessions; // a staff page's pushed connection: its session, by peer
    Database& m_db;
    QHash<QString, int> m_reading; // reads in progress or queued, by client
    // Last: its threads end before anything their answers reach is gone.
    std::unique_ptr<StoreReaders> m_readers;
};

// Another connection to the store `db` is connected to, opened without changing its schema.
StoreReaders::Opener sameStoreAs(const Database& db);
