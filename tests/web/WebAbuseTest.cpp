// brivane-web against clients that do not play by the rules: idle and slow connections, bodies and
// oversized heads, pages of other sites, and a database that holds a lock.
#include "WebTestSupport.h"
#include "web/OriginPolicy.h"

#include <QFile>
#include <QTcpSocket>
#include <unistd.h>

namespace {

// A raw connection from a chosen loopback address: sends what the test gives, keeps what comes back,
// notes when the server closes it.
class RawClient
{
public:
    explicit RawClient(const QString& from = QStringLiteral("127.0.0.1"))
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        QObject::connect(&socket, &QTcpSocket::disconnected, [this] { closed = true; });
        QObject::connect(&socket, &QTcpSocket::errorOccurred, [this] {
            received += socket.readAll();
            closed = closed || socket.state() != QAbstractSocket::ConnectedState;
        });
        socket.bind(QHostAddress(from), 0);
    }
    void open(quint16 port) { socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port); }
    bool connected()
    {
        return waitFor([&] { return socket.state() == QAbstractSocket::ConnectedState || closed; }) &&
               !closed;
    }
    // The status of the first answer; 0 before one came.
    int status() const { return received.startsWith("HTTP/1.1 ") ? received.mid(9, 3).toInt() : 0; }
    bool waitForAnswer()
    {
        return waitFor([&] { return received.contains("\r\n\r\n") || closed; });
    }

    QTcpSocket socket;
    QByteArray received;
    bool closed = false;
};

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly);
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

QByteArray getHead(const QByteArray& path, const QByteArray& more = QByteArray())
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + more + "\r\n";
}

class WebAbuseTest : public WebFixture
{
protected:
    void startWith(const std::function<void(WebConfig&)>& change, StoreReaders::Opener readers = {})
    {
        WebConfig config;
        config.port = 0;
        change(config);
        server = std::make_unique<WebServer>(env->db, env->settings(), env->clock, feed, config, nullptr,
                                             std::move(readers));
        ASSERT_EQ(server->start(), QString());
        port = server->port();
    }
    int open() const { return server->connections()->openConnections(); }
};

TEST_P(WebAbuseTest, IdleConnectionsPastTheCapsAreClosedWhileOthersAreServed)
{
    startWith([](WebConfig& c) {
        c.connectionsPerClient = 8;
        c.connectionsInAll = 12;
    });
    // One client opens forty connections and sends nothing: it keeps eight, the rest are closed.
    std::vector<std::unique_ptr<RawClient>> idle;
    for (int i = 0; i < 40; ++i) {
        idle.push_back(std::make_unique<RawClient>(QStringLiteral("127.0.0.2")));
        idle.back()->open(port);
    }
    const auto closedCount = [&] {
        return std::count_if(idle.begin(), idle.end(), [](const auto& c) { return c->closed; });
    };
    ASSERT_TRUE(waitFor([&] { return closedCount() == 32 && open() == 8; }))
        << closedCount() << ' ' << open();
    EXPECT_EQ(server->connections()->connectionsOf(QHostAddress(QStringLiteral("127.0.0.2"))), 8);

    // Another client is served meanwhile.
    EXPECT_EQ(httpGet(port, QStringLiteral("/api/news")).status, 200);
    EXPECT_EQ(httpGet(port, QStringLiteral("/board?theme=Hall")).status, 200);

    // A third takes what is left of all connections; past that, nobody gets one.
    std::vector<std::unique_ptr<RawClient>> more;
    for (int i = 0; i < 8; ++i) {
        more.push_back(std::make_unique<RawClient>(QStringLiteral("127.0.0.3")));
        more.back()->open(port);
    }
    ASSERT_TRUE(waitFor([&] {
        return open() == 12 &&
               std::count_if(more.begin(), more.end(), [](auto& c) { return c->closed; }) == 4;
    }));
    RawClient late;
    late.open(port);
    EXPECT_TRUE(waitFor([&] { return late.closed; }));

    // When they let go, the connections are free again.
    idle.clear();
    more.clear();
    ASSERT_TRUE(waitFor([&] { return open() == 0; }));
    EXPECT_EQ(httpGet(port, QStringLiteral("/api/news")).status, 200);
}

TEST_P(WebAbuseTest, SlowHeadsAndIdleConnectionsAreClosedAfterTheirTimeOuts)
{
    startWith([](WebConfig& c) {
        c.headTimeoutMs = 400;
        c.idleTimeoutMs = 400;
    });
    // Connected, nothing sent.
    RawClient silent;
    silent.open(port);
    // A head sent one byte at a time (slowloris): answered 408 and closed, however long it goes on.
    RawClient slow;
    slow.open(port);
    ASSERT_TRUE(slow.connected());
    const QByteArray head = getHead("/api/news", QByteArray("X-Padding: ") + QByteArray(4000, 'a') + "\r\n");
    int sent = 0;
    EXPECT_TRUE(waitFor(
        [&] {
            if (!slow.closed && sent < head.size())
                slow.socket.write(head.mid(sent++, 1));
            return slow.closed;
        },
        30000));
    EXPECT_EQ(slow.status(), 408);
    EXPECT_LT(sent, head.size()) << "the server waited for the whole head";
    EXPECT_TRUE(waitFor([&] { return silent.closed; }));

    // A kept-alive connection is served, then closed once it stays idle.
    RawClient keeper;
    keeper.open(port);
    ASSERT_TRUE(keeper.connected());
    keeper.socket.write(getHead("/static/board.css"));
    ASSERT_TRUE(keeper.waitForAnswer());
    EXPECT_EQ(keeper.status(), 200);
    EXPECT_TRUE(waitFor([&] { return keeper.closed; }));
    EXPECT_TRUE(waitFor([&] { return open() == 0; }));
}

TEST_P(WebAbuseTest, BodiesAndOversizedHeadsAreRefusedUnread)
{
    startWith([](WebConfig&) {});
    // 600 MB announced: refused at the head; the body is never read, memory stays flat.
    const qint64 before = residentBytes();
    RawClient upload;
    upload.open(port);
    ASSERT_TRUE(upload.connected());
    upload.socket.write("POST /api/news HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 629145600\r\n\r\n");
    const QByteArray chunk(65536, 'x');
    const qint64 limit = 256LL << 20;
    qint64 sent = 0;
    EXPECT_TRUE(waitFor(
        [&] {
            while (!upload.closed && upload.socket.bytesToWrite() < chunk.size() && sent < limit) {
                upload.socket.write(chunk);
                sent += chunk.size();
            }
            return upload.closed || sent >= limit;
        },
        60000));
    EXPECT_TRUE(upload.closed) << "the server read " << sent << " bytes of a body";
    EXPECT_LT(sent, limit);
    EXPECT_LT(residentBytes() - before, 48LL << 20);
    if (!upload.received.isEmpty()) {
        EXPECT_EQ(upload.status(), 405) << upload.received.left(200).constData();
    }

    // A GET with a body, a chunked one, a long address, a head of many headers, each on its own
    // connection: the status says why, and the connection is closed.
    const QList<std::pair<QByteArray, int>> refused{
        {getHead("/api/news", "Content-Length: 10\r\n") + "0123456789", 413},
        {getHead("/api/news", "Transfer-Encoding: chunked\r\n") + "5\r\nhello\r\n0\r\n\r\n", 413},
        {getHead("/t/" + QByteArray(20000, 'a')), 414},
        {getHead("/api/news", QByteArray("X-Many: ") + QByteArray(500, 'b') + "\r\n").repeated(1) +
             QByteArray("X-More: " + QByteArray(500, 'c') + "\r\n").repeated(40),
         431},
    };
    for (const auto& [request, status] : refused) {
        RawClient c;
        c.open(port);
        ASSERT_TRUE(c.connected());
        c.socket.write(request);
        EXPECT_TRUE(waitFor([&] { return c.closed; })) << status;
        EXPECT_EQ(c.status(), status) << c.received.left(200).constData();
    }

    // Pipelined requests are answered in their order, also when one reads the database and the next
    // does not; "Connection: close" closes after the answer.
    RawClient piped;
    piped.open(port);
    ASSERT_TRUE(piped.connected());
    piped.socket.write(getHead("/api/news") + getHead("/static/board.css") +
                       getHead("/api/board?theme=Hall", "Connection: close\r\n"));
    EXPECT_TRUE(waitFor([&] { return piped.closed; }));
    const qsizetype news = piped.received.indexOf("application/json");
    const qsizetype css = piped.received.indexOf("text/css");
    const qsizetype look = piped.received.lastIndexOf("application/json");
    EXPECT_EQ(piped.received.count("HTTP/1.1 200 OK"), 3) << piped.received.left(300).constData();
    EXPECT_TRUE(news >= 0 && news < css && css < look) << news << ' ' << css << ' ' << look;

    EXPECT_EQ(httpGet(port, QStringLiteral("/board?theme=Hall")).status, 200);
}

// The status of a pushed connection's handshake with these Host and Origin headers.
int handshake(quint16 port, const QByteArray& host, const QByteArray& origin)
{
    RawClient c;
    c.open(port);
    if (!c.connected())
        return 0;
    c.socket.write("GET /ws/board?theme=Hall HTTP/1.1\r\nHost: " + host +
                   "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                   "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n" +
                   (origin.isEmpty() ? QByteArray() : "Origin: " + origin + "\r\n") + "\r\n");
    c.waitForAnswer();
    return c.status();
}

TEST_P(WebAbuseTest, APageMayConnectOnlyFromTheAddressesTheServerIsReachedAt)
{
    startWith([](WebConfig& c) { c.origins = QStringList{QStringLiteral("http://hall.example:8080")}; });
    const QByteArray own = "127.0.0.1:" + QByteArray::number(port);
    EXPECT_EQ(handshake(port, own, "http://" + own), 101);
    EXPECT_EQ(handshake(port, "localhost:" + QByteArray::number(port),
                        "http://localhost:" + QByteArray::number(port)),
              101);
    EXPECT_EQ(handshake(port, "hall.example:8080", "http://hall.example:8080"), 101) << "the configured one";
    EXPECT_EQ(handshake(port, own, ""), 101) << "not a browser";
    // DNS rebinding: a page of evil.example whose name now points here; Host and Origin agree.
    const QByteArray evil = "evil.example:" + QByteArray::number(port);
    EXPECT_EQ(handshake(port, evil, "http://" + evil), 404);
    EXPECT_EQ(handshake(port, own, "http://hall.example:9090"), 404) << "another port";
    EXPECT_EQ(handshake(port, own, "https://hall.example:8080"), 404) << "another scheme";
    EXPECT_EQ(handshake(port, own, "null"), 404);
    // Pages that went, accepted or not, hold no connection of their client any more.
    EXPECT_TRUE(waitFor([&] { return open() == 0 && server->pages().openPages() == 0; })) << open();

    // The rules on their own: default ports, IPv6, the any-address listening.
    const OriginPolicy v6({QStringLiteral("https://queue.example.org")}, QHostAddress(QStringLiteral("::1")),
                          80);
    EXPECT_TRUE(v6.allows(QStringLiteral("https://QUEUE.example.org:443")));
    EXPECT_TRUE(v6.allows(QStringLiteral("http://[::1]")));
    EXPECT_FALSE(v6.allows(QStringLiteral("http://queue.example.org")));
    EXPECT_FALSE(v6.allows(QStringLiteral("https://queue.example.org.evil.example")));
    const OriginPolicy any({}, QHostAddress(QHostAddress::Any), 8080);
    EXPECT_FALSE(any.allows(QStringLiteral("http://0.0.0.0:8080")));
    EXPECT_TRUE(any.allows(QStringLiteral("http://localhost:8080")));
    EXPECT_FALSE(OriginPolicy::isOrigin(QStringLiteral("javascript:alert(1)")));
    EXPECT_FALSE(OriginPolicy::isOrigin(QStringLiteral("http://hall.example/board")));
}

TEST_P(WebAbuseTest, ALockedTableHoldsUpOnlyTheRequestsThatReadIt)
{
    if (GetParam() != Store::Postgres)
        GTEST_SKIP() << "a table lock of another session is a PostgreSQL matter";
    const IssuedForWeb ticket = issueTicket(*env, hall.consultation);
    // The readers wait for the lock as long as it is held, so the test decides when they go on.
    const StoreReaders::Opener patient = [opener = sameStoreAs(env->db)] {
        auto db = opener();
        db->setStatementTimeout(60000);
        return db;
    };
    startWith([](WebConfig&) {}, patient);
    std::unique_ptr<Database> locker = env->secondConnection();
    locker->setStatementTimeout(0);
    locker->exec(QStringLiteral("begin"));
    locker->exec(QStringLiteral("lock table tblTicket in access exclusive mode"));

    RawClient first, second;
    for (RawClient* c : {&first, &second}) {
        c->open(port);
        ASSERT_TRUE(c->connected());
        c->socket.write(getHead("/t/" + ticket.code.toLatin1()));
    }
    EXPECT_EQ(httpGet(port, QStringLiteral("/api/news")).status, 200);
    EXPECT_EQ(httpGet(port, QStringLiteral("/board?theme=Hall")).status, 200);
    EXPECT_EQ(httpGet(port, QStringLiteral("/api/board?theme=Hall")).status, 200);
    EXPECT_EQ(httpGet(port, QStringLiteral("/static/live.js")).status, 200);
    EXPECT_TRUE(first.received.isEmpty() && second.received.isEmpty()) << "the lock is still held";

    locker->exec(QStringLiteral("rollback"));
    ASSERT_TRUE(first.waitForAnswer());
    ASSERT_TRUE(second.waitForAnswer());
    EXPECT_EQ(first.status(), 200);
    EXPECT_EQ(second.status(), 200);
}

TEST_P(WebAbuseTest, ItChangesNothingOfTheSchemaWhenItOpensTheStore)
{
    const bool pg = GetParam() == Store::Postgres;
    const QString trigger = pg ? QStringLiteral("brivane_call_changed") : QStringLiteral("brivane_call_new");
    const QString present =
        pg ? QStringLiteral("select count(*) from pg_trigger where tgname=?")
           : QStringLiteral("select count(*) from sqlite_master where type='trigger' and name=?");
    env->db.exec(pg ? QStringLiteral("drop trigger brivane_call_changed on tblCall")
                    : QStringLiteral("drop trigger brivane_call_new"));
    std::unique_ptr<Database> reader = sameStoreAs(env->db)();
    EXPECT_EQ(reader->query(present, {trigger}).number(0, 0), 0);
    reader.reset();
    // Every other program puts it back.
    env->secondConnection();
    EXPECT_EQ(env->db.query(present, {trigger}).number(0, 0), 1);

    // A schema that lacks a column this version reads is refused, not completed.
    env->db.exec(QStringLiteral("alter table tblTicket drop column estwait"));
    try {
        sameStoreAs(env->db)();
        ADD_FAILURE() << "opened a schema without tblTicket.estwait";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("estwait"), Qt::CaseInsensitive))
            << e.description().toStdString();
    }
}

BRIVANE_STORE_TEST_SUITE(WebAbuseTest);

} // namespace
