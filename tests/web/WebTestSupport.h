#pragma once

#include "display/DisplayTestSupport.h"
#include "testsupport/TestEnv.h"
#include "tickets/Numbering.h"
#include "web/CallFeed.h"
#include "web/WebServer.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>
#include <memory>

// One HTTP exchange as a browser sees it.
struct HttpReply
{
    int status = 0;
    QHash<QByteArray, QByteArray> headers; // names lower-cased
    QByteArray body;
    QByteArray header(const char* name) const { return headers.value(QByteArray(name).toLower()); }
};

// Sends the request to 127.0.0.1:port and waits for the whole answer (at most 10 s).
HttpReply httpRequest(quint16 port, const QByteArray& method, const QString& pathAndQuery);
// Sends the bytes as they are (a whole request, "Connection: close" in it) and waits for the answer.
HttpReply httpRaw(quint16 port, const QByteArray& request);
inline HttpReply httpGet(quint16 port, const QString& pathAndQuery)
{
    return httpRequest(port, "GET", pathAndQuery);
}

// Runs the event loop until the condition holds or the time is up; returns the condition.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

// A waiting walk-in ticket as a kiosk issues it, with its page code, for the clock's day or another.
struct IssuedForWeb
{
    qint64 key = 0;
    QString label;
    QString code;
};
IssuedForWeb issueTicket(TestEnv& env, qint64 service, int daysFromToday = 0);
// A ticket of today whose visitor chose that language at the kiosk.
IssuedForWeb issueTicketIn(TestEnv& env, qint64 service, const QString& language);

// A web server for a seeded hall with the theme "Hall" (counters 1 and 2 only, when asked).
class WebFixture : public StoreTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // A server over the fixture's database; burst and rate are the client budget.
    void startServer(int burst = 1000, int perMinute = 100000, const WebConfig& base = WebConfig());

    Hall hall;
    qint64 theme = 0;
    CallFeed feed;
    std::unique_ptr<WebServer> server;
    quint16 port = 0;
    qint64 monotonicMs = 0;
};
