#pragma once

#include "web/PushHub.h"
#include "web/RateLimiter.h"
#include "web/WebAnswers.h"
#include "web/WebConfig.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QUrlQuery>
#include <functional>

class CallFeed;
class Clock;
class Database;
class Settings;

// The hall over HTTP, read-only: the board page for any browser, the visitor's ticket page, the few
// answers they read, and their pushed connections. It serves its own built-in files only and answers
// every request with strict headers; each client address has a budget of requests.
class WebServer : public QAbstractHttpServer
{
    Q_OBJECT
public:
    WebServer(Database& db, Settings& settings, const Clock& clock, CallFeed& feed, const WebConfig& config,
              QObject* parent = nullptr);

    // Listens on the configured address and port only (port 0: a free one). Returns the failure's
    // description; empty when the server listens.
    QString start();
    quint16 port() const;
    PushHub& pages() { return m_pages; }

    // The answer to one request (the server's whole logic apart from the socket).
    WebAnswer answer(const QByteArray& method, const QString& path, const QUrlQuery& query,
                     const QHostAddress& client);
    // Milliseconds of a monotonic clock, for the request budget (tests set it).
    void setMonotonicClock(std::function<qint64()> ms) { m_ms = std::move(ms); }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    WebAnswer route(const QString& path, const QUrlQuery& query);
    void takeWebSockets();

    Database& m_db;
    Settings& m_settings;
    const Clock& m_clock;
    CallFeed& m_feed;
    WebConfig m_config;
    RateLimiter m_limiter;
    PushHub m_pages;
    QElapsedTimer m_started;
    std::function<qint64()> m_ms;
};
