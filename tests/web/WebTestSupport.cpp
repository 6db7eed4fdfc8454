#include "WebTestSupport.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <functional>

HttpReply httpRequest(quint16 port, const QByteArray& method, const QString& pathAndQuery)
{
    return httpRaw(port, method + ' ' + pathAndQuery.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                             QByteArray::number(port) + "\r\nConnection: close\r\nContent-Length: 0\r\n\r\n");
}

HttpReply httpRaw(quint16 port, const QByteArray& request)
{
    // A plain socket, so the test sees the answer exactly as sent. The server runs in this thread:
    // the event loop turns while the answer comes.
    QTcpSocket socket;
    HttpReply reply;
    QByteArray raw;
    int headerEnd = -1;
    qint64 length = -1;
    bool closed = false;
    QObject::connect(&socket, &QTcpSocket::disconnected, [&] { closed = true; });
    QObject::connect(&socket, &QTcpSocket::connected, [&] { socket.write(request); });
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { raw += socket.readAll(); });
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    waitFor([&] {
        if (headerEnd < 0)
            headerEnd = int(raw.indexOf("\r\n\r\n"));
        if (headerEnd >= 0 && length < 0) {
            const QList<QByteArray> lines = raw.left(headerEnd).split('\n');
            reply.status = lines.value(0).split(' ').value(1).toInt();
            for (int i = 1; i < lines.size(); ++i) {
                const int colon = int(lines[i].indexOf(':'));
                if (colon > 0)
                    reply.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                         lines[i].mid(colon + 1).trimmed());
            }
            length = reply.header("content-length").toLongLong();
        }
        return closed || (headerEnd >= 0 && raw.size() - headerEnd - 4 >= length);
    });
    if (headerEnd >= 0)
        reply.body = raw.mid(headerEnd + 4);
    return reply;
}

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

namespace {
IssuedForWeb issue(TestEnv& env, qint64 service, int daysFromToday, const QString& language)
{
    numbering::IssueRequest request;
    request.serviceId = service;
    request.issueDate = env.clock.today().addDays(daysFromToday);
    request.number = numbering::getToken(env.db, service, request.issueDate);
    request.language = language;
    const numbering::IssuedTicket t = numbering::storeTicket(env.db, env.clock, request);
    return {t.tickAuto, t.label, t.webCode};
}
} // namespace

IssuedForWeb issueTicket(TestEnv& env, qint64 service, int daysFromToday)
{
    return issue(env, service, daysFromToday, QString());
}

IssuedForWeb issueTicketIn(TestEnv& env, qint64 service, const QString& language)
{
    return issue(env, service, 0, language);
}

void WebFixture::SetUp()
{
    StoreTest::SetUp();
    hall = seedHall(env->db);
    theme =
        addTheme(env->db, {{QStringLiteral("counters"), QString::number(hall.counter1) + QLatin1Char(';') +
                                                            QString::number(hall.counter2)}});
}

void WebFixture::TearDown()
{
    server.reset();
    StoreTest::TearDown();
}

void WebFixture::startServer(int burst, int perMinute, const WebConfig& base)
{
    WebConfig config = base;
    config.address = QHostAddress(QHostAddress::LocalHost);
    config.port = 0;
    config.burst = burst;
    config.perMinute = perMinute;
    server = std::make_unique<WebServer>(env->db, env->settings(), env->clock, feed, config);
    server->setMonotonicClock([this] { return monotonicMs; });
    ASSERT_EQ(server->start(), QString());
    port = server->port();
    ASSERT_NE(port, 0);
}
