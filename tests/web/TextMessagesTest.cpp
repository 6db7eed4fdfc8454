#include "web/TextMessages.h"
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"
#include "testsupport/KindLogins.h"
#include "tickets/WaitEstimate.h"
#include "ui/Language.h"
#include "web/AlertChoice.h"
#include "web/TextGateway.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrlQuery>

namespace {

const QString Phone = QStringLiteral("+919876543210");

// The texts of the alerts from the store through a gateway that stands in for the modem or the
// provider: a script that records its arguments, or a small HTTP server.
class TextMessagesTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
    }

    // A gateway command: records "argument count|number|text" of each run in `calls`, then runs `then`
    // with $n the number of this run.
    QString gatewayScript(const QString& then)
    {
        const QString script = env->path(QStringLiteral("gateway.sh"));
        QFile f(script);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\n"
                               "dir=$(dirname \"$0\")\n"
                               "n=$(($(cat \"$dir/count\" 2>/dev/null || echo 0) + 1))\n"
                               "echo $n > \"$dir/count\"\n"
                               "printf '%s|%s|%s\\n' \"$#\" \"$1\" \"$2\" >> \"$dir/calls\"\n%1\n")
                    .arg(then)
                    .toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return script;
    }
    QStringList calls() const
    {
        QFile f(env->path(QStringLiteral("calls")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    TextGatewayConfig quick(const QString& command, int tries = 3) const
    {
        TextGatewayConfig c;
        c.command = command;
        c.tries = tries;
        c.firstPauseMs = 50;
        c.timeoutMs = 5000;
        return c;
    }
    // The alert of the ticket fired with a text to send, as the ticket page leaves it.
    void alertFired(qint64 ticket, const QString& phone, std::optional<int> wait)
    {
        env->db.exec(QStringLiteral(
                         "insert into brivane_alert (tickauto, lead, asked, fired, firedwait, firedahead, "
                         "sms) values (?, '10', '2024-01-15 08:40:00', '2024-01-15 08:58:00', ?, 2, 'due')"),
                     {ticket, wait ? QVariant(*wait) : QVariant()});
        if (!phone.isEmpty())
            env->db.exec(QStringLiteral("insert into brivane_phone (tickauto, phone) values (?, ?)"),
                         {ticket, phone});
    }
    QString sms(qint64 ticket) const
    {
        return env->db.query(QStringLiteral("select sms from brivane_alert where tickauto = ?"), {ticket})
            .text(0, 0);
    }
    QString smsAt(qint64 ticket) const
    {
        return env->db.query(QStringLiteral("select smsat from brivane_alert where tickauto = ?"), {ticket})
            .text(0, 0);
    }

    Hall hall;
    QStringList log;
};

// A text left due (by a stop or a crash) goes out at the start, the first try failing and the second
// going through; the hook sends the next one at once and only once; a restart sends nothing again.
TEST_P(TextMessagesTest, ATextGoesOutOnceInTheVisitorsLanguageAfterARetry)
{
    const IssuedForWeb hindi = issueTicketIn(*env, hall.consultation, QStringLiteral("hi"));
    const IssuedForWeb plain = issueTicket(*env, hall.consultation);
    alertFired(hindi.key, Phone, 7);
    const QString script =
        gatewayScript(QStringLiteral("[ $n -eq 1 ] && { echo \"line busy\" >&2; exit 1; }\nexit 0"));
    const QString expected = TextMessages::textFor(hindi.label, 7, Language(QStringLiteral("hi")));
    const QString hindiWait = waiting::waitText(7, Language(QStringLiteral("hi")));
    ASSERT_NE(hindiWait, waiting::waitText(7, Language(QStringLiteral("en")))) << "no Hindi to tell apart";
    EXPECT_TRUE(expected.contains(hindi.label) && expected.contains(hindiWait)) << qPrintable(expected);
    // On a server the web server sends with its board login.
    std::unique_ptr<KindLogins> logins;
    std::unique_ptr<Database> board;
    if (GetParam() == Store::Postgres) {
        logins = std::make_unique<KindLogins>(*env);
        if (logins->available()) {
            board = logins->open(kinds::Kind::Board);
            ASSERT_TRUE(board);
        }
    }
    Database& web = board ? *board : env->db;
    {
        TextGateway gateway(quick(script));
        gateway.setLog([this](const QString& line) { log.append(line); });
        TextMessages texts(web, env->clock, gateway);
        texts.start(60000);
        ASSERT_TRUE(waitFor([&] { return sms(hindi.key) == QLatin1String("sent"); }))
            << qPrintable(log.join('\n'));
        EXPECT_EQ(calls(), (QStringList{QStringLiteral("2|%1|%2").arg(Phone, expected),
                                        QStringLiteral("2|%1|%2").arg(Phone, expected)}));
        EXPECT_EQ(smsAt(hindi.key), env->clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));

        alertFired(plain.key, QStringLiteral("07700900456"), std::nullopt);
        texts.due(plain.key);
        texts.due(plain.key);
        ASSERT_TRUE(waitFor([&] { return sms(plain.key) == QLatin1String("sent"); }));
        QTest::qWait(200);
        ASSERT_EQ(calls().size(), 3) << "sent twice";
        EXPECT_EQ(calls().last(), QStringLiteral("2|07700900456|%1")
                                      .arg(TextMessages::textFor(plain.label, std::nullopt, Language())));
    }
    // The log tells every try, with no number in full.
    const QString all = log.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QStringLiteral("*********210"))) << qPrintable(all);
    EXPECT_TRUE(all.contains(QStringLiteral("line busy"))) << qPrintable(all);
    EXPECT_TRUE(all.contains(QStringLiteral("try 2"))) << qPrintable(all);
    EXPECT_FALSE(all.contains(QStringLiteral("9876543210")) || all.contains(QStringLiteral("900456")))
        << qPrintable(all);

    // The web server started again finds nothing due.
    TextGateway again(quick(script));
    again.setLog([](const QString&) {});
    TextMessages restarted(web, env->clock, again);
    restarted.start(60000);
    QTest::qWait(300);
    EXPECT_EQ(calls().size(), 3);
}

// A gateway that fails or hangs is given up after its tries, logged as failed, and holds nothing up in
// the meantime; a number erased before its text went out is not sent at all.
TEST_P(TextMessagesTest, AFailingGatewayIsGivenUpAndNeverBlocks)
{
    const IssuedForWeb first = issueTicket(*env, hall.consultation);
    const IssuedForWeb second = issueTicket(*env, hall.consultation);
    const QString script = gatewayScript(
        QStringLiteral("[ $n -eq 1 ] && { echo \"no credit to send to $1\" >&2; exit 3; }\nexec sleep 20"));
    TextGatewayConfig config = quick(script, 2);
    config.timeoutMs = 400;
    TextGateway gateway(config);
    gateway.setLog([this](const QString& line) { log.append(line); });
    TextMessages texts(env->db, env->clock, gateway);
    texts.start(60000);

    alertFired(first.key, Phone, 3);
    QElapsedTimer took;
    took.start();
    texts.due(first.key);
    EXPECT_LT(took.elapsed(), 300) << "waited for the gateway";
    EXPECT_EQ(sms(first.key), QStringLiteral("due"));
    EXPECT_EQ(gateway.sending(), 1);
    ASSERT_TRUE(waitFor([&] { return sms(first.key) == QLatin1String("failed"); }))
        << qPrintable(log.join('\n'));
    EXPECT_EQ(calls().size(), 2);
    EXPECT_EQ(gateway.sending(), 0);
    const QString all = log.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QStringLiteral("code 3: no credit to send to +*********210")))
        << qPrintable(all);
    EXPECT_TRUE(all.contains(QStringLiteral("no answer within 0.4 s"))) << qPrintable(all);
    EXPECT_TRUE(all.contains(QStringLiteral("failed"))) << qPrintable(all);
    EXPECT_FALSE(all.contains(QStringLiteral("9876543210"))) << qPrintable(all);

    // Its number erased (the ticket ended) before the text went out: never sent, failed with the reason.
    alertFired(second.key, QString(), 5);
    log.clear();
    texts.due(second.key);
    ASSERT_TRUE(waitFor([&] { return sms(second.key) == QLatin1String("failed"); }));
    EXPECT_EQ(calls().size(), 2);
    EXPECT_TRUE(log.join('\n').contains(QStringLiteral("erased"))) << qPrintable(log.join('\n'));

    // What is not a phone number never reaches the gateway, where it could pass for an option.
    const IssuedForWeb third = issueTicket(*env, hall.consultation);
    alertFired(third.key, QStringLiteral("--help"), 5);
    texts.due(third.key);
    ASSERT_TRUE(waitFor([&] { return sms(third.key) == QLatin1String("failed"); }));
    EXPECT_EQ(calls().size(), 2);
}

// A provider's HTTP address gets the number and the text as form fields, and again after an error.
TEST_P(TextMessagesTest, AnHttpGatewayGetsTheNumberAndTheTextAsAForm)
{
    QTcpServer provider;
    ASSERT_TRUE(provider.listen(QHostAddress::LocalHost));
    QList<QByteArray> bodies;
    QObject::connect(&provider, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = provider.nextPendingConnection();
        auto* buffer = new QByteArray;
        QObject::connect(s, &QTcpSocket::readyRead, s, [s, buffer, &bodies] {
            *buffer += s->readAll();
            const qsizetype head = buffer->indexOf("\r\n\r\n");
            if (head < 0)
                return;
            const qsizetype at = buffer->toLower().indexOf("content-length:");
            const int length = buffer->mid(at + 15, buffer->indexOf("\r\n", at) - at - 15).trimmed().toInt();
            if (buffer->size() < head + 4 + length)
                return;
            bodies.append(buffer->mid(head + 4, length));
            s->write(bodies.size() == 1
                         ? "HTTP/1.1 503 Busy\r\nContent-Length: 0\r\nConnection: close\r\n\r\n"
                         : "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
            s->disconnectFromHost();
            delete buffer;
        });
    });
    const IssuedForWeb ticket = issueTicket(*env, hall.consultation);
    alertFired(ticket.key, Phone, 12);
    TextGatewayConfig config = quick(QString());
    config.url = QUrl(QStringLiteral("http://127.0.0.1:%1/send").arg(provider.serverPort()));
    TextGateway gateway(config);
    gateway.setLog([this](const QString& line) { log.append(line); });
    TextMessages texts(env->db, env->clock, gateway);
    texts.start(60000);
    ASSERT_TRUE(waitFor([&] { return sms(ticket.key) == QLatin1String("sent"); }))
        << qPrintable(log.join('\n'));
    ASSERT_EQ(bodies.size(), 2);
    const QUrlQuery form(QString::fromUtf8(bodies.last()));
    EXPECT_EQ(form.queryItemValue(QStringLiteral("number"), QUrl::FullyDecoded), Phone);
    EXPECT_EQ(form.queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded),
              TextMessages::textFor(ticket.label, 12, Language()));
    EXPECT_TRUE(log.join('\n').contains(QStringLiteral("answered 503"))) << qPrintable(log.join('\n'));
}

// The web server as it runs: the alert of a visitor who asked to be told when next fires when the token
// ahead is called, and its text goes out through the configured command, again after a failure. A
// number an earlier day left is erased when the server starts.
TEST_P(TextMessagesTest, TheWebServerTextsTheVisitorWhenTheAlertFires)
{
    if (GetParam() != Store::Sqlite)
        GTEST_SKIP() << "the program is started on the embedded hall; the store's part runs on both above";
    // The program keeps the real time: so does the hall here.
    env->clock.set(QDateTime::currentDateTime());
    const IssuedForWeb ahead = issueTicket(*env, hall.consultation);
    const IssuedForWeb visitor = issueTicketIn(*env, hall.consultation, QStringLiteral("hi"));
    const IssuedForWeb old = issueTicket(*env, hall.consultation, -1);
    env->db.exec(QStringLiteral("insert into brivane_phone (tickauto, phone) values (?, '+4915100000999')"),
                 {old.key});
    ASSERT_EQ(alertchoice::ask(env->db, env->clock, visitor.key, QStringLiteral("next"), Phone),
              alertchoice::Outcome::Kept);
    const QString script = gatewayScript(QStringLiteral("[ $n -eq 1 ] && exit 75\nexit 0"));
    const QString ini = env->path(QStringLiteral("web.ini"));
    {
        Settings web(ini);
        web.set(QStringLiteral("Queue"), QStringLiteral("Sms"), QStringLiteral("command"), script);
        web.set(QStringLiteral("Queue"), QStringLiteral("Sms"), QStringLiteral("pause"), qint64(0));
    }
    QProcess server;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("BRIVANE_SETTINGS"), ini);
    server.setProcessEnvironment(e);
    server.start(QStringLiteral(BRIVANE_WEB_PROGRAM),
                 {QStringLiteral("--db"), env->path(QStringLiteral("test.db")), QStringLiteral("--port"),
                  QStringLiteral("0")});
    QByteArray out;
    ASSERT_TRUE(waitFor(
        [&] {
            out += server.readAllStandardOutput();
            return out.contains('\n') || server.state() == QProcess::NotRunning;
        },
        30000));
    ASSERT_EQ(server.state(), QProcess::Running) << server.readAllStandardError().constData();
    EXPECT_TRUE(waitFor([&] {
        return env->db
                   .query(QStringLiteral("select count(*) from brivane_phone where tickauto = ?"), {old.key})
                   .number(0, 0) == 0;
    })) << "the number of an earlier day is kept";
    EXPECT_EQ(sms(visitor.key), QString()) << "told before the token ahead was called";

    Session counter;
    callingtest::logInCounter(counter, env->db, hall.counter1);
    CallEngine engine(env->db, env->settings(), env->clock, counter);
    engine.callNext();
    const bool sent = waitFor([&] { return sms(visitor.key) == QLatin1String("sent"); }, 15000);
    server.terminate();
    server.waitForFinished(10000);
    const QByteArray log = server.readAllStandardError();
    ASSERT_TRUE(sent) << log.constData();
    ASSERT_EQ(calls().size(), 2);
    const QString text = calls().last().section(QLatin1Char('|'), 2);
    EXPECT_EQ(calls().last().section(QLatin1Char('|'), 0, 1), QStringLiteral("2|") + Phone);
    EXPECT_TRUE(text.contains(visitor.label)) << qPrintable(text);
    EXPECT_TRUE(log.contains("*********210")) << log.constData();
    EXPECT_FALSE(log.contains("9876543210")) << log.constData();
}

BRIVANE_STORE_TEST_SUITE(TextMessagesTest);

} // namespace
