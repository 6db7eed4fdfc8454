#pragma once

// The real programs of a browser test: headless Chromium driven over its debugging protocol, and
// brivane-web started on a test's database.
#include "WebTestSupport.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSize>
#include <QTemporaryDir>
#include <QWebSocket>

// A headless Chromium driven over its remote debugging protocol: the test reads the page's DOM while
// the page runs, so it sees a call arrive without a reload.
class Chromium
{
public:
    ~Chromium()
    {
        m_socket.close();
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString start(const QString& program, const QString& url, const QSize& window)
    {
        m_process.setProgram(program);
        m_process.setArguments(
            {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
             QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
             QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
             QStringLiteral("--disable-sync"), QStringLiteral("--user-data-dir=") + m_profile.path(),
             QStringLiteral("--remote-debugging-port=0"),
             QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()), url});
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice()); // its complaints about a missing D-Bus
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return QStringLiteral("chromium did not start");
        // The browser writes its debugging port into the profile folder once it listens.
        QFile portFile(m_profile.filePath(QStringLiteral("DevToolsActivePort")));
        if (!waitFor([&] { return portFile.exists() && portFile.size() > 0; }, 30000))
            return QStringLiteral("chromium opened no debugging port");
        portFile.open(QIODevice::ReadOnly);
        const quint16 port = quint16(portFile.readLine().trimmed().toUInt());
        QString socketUrl;
        waitFor(
            [&] {
                const QJsonArray targets =
                    QJsonDocument::fromJson(httpGet(port, QStringLiteral("/json/list")).body).array();
                for (const QJsonValue& t : targets) {
                    if (t.toObject().value(QStringLiteral("type")).toString() == QLatin1String("page"))
                        socketUrl = t.toObject().value(QStringLiteral("webSocketDebuggerUrl")).toString();
                }
                return !socketUrl.isEmpty();
            },
            30000);
        if (socketUrl.isEmpty())
            return QStringLiteral("chromium shows no page");
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived, [this](const QString& m) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            if (o.contains(QStringLiteral("id")))
                m_replies.insert(o.value(QStringLiteral("id")).toInt(), o);
        });
        m_socket.open(QUrl(socketUrl));
        if (!waitFor([&] { return m_socket.state() == QAbstractSocket::ConnectedState; }, 10000))
            return QStringLiteral("no connection to the page");
        return QString();
    }

    QJsonObject command(const QString& method, const QJsonObject& params)
    {
        const int id = ++m_lastId;
        m_socket.sendTextMessage(
            QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("id"), id},
                                                        {QStringLiteral("method"), method},
                                                        {QStringLiteral("params"), params}})
                                  .toJson(QJsonDocument::Compact)));
        waitFor([&] { return m_replies.contains(id); }, 10000);
        return m_replies.take(id);
    }

    // The value of a JavaScript expression in the page.
    QJsonValue evaluate(const QString& expression)
    {
        const QJsonObject reply =
            command(QStringLiteral("Runtime.evaluate"),
                    {{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}});
        return reply.value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("value"));
    }

    // Waits until the expression gives that text; the last text it gave otherwise.
    QString waitForText(const QString& expression, const QString& wanted, int timeoutMs = 30000)
    {
        QString last;
        waitFor(
            [&] {
                last = evaluate(expression).toString();
                return last == wanted;
            },
            timeoutMs);
        return last;
    }

    // The value of an expression that gives a promise, once the promise has settled.
    QJsonValue evaluateAsync(const QString& expression, int timeoutMs = 60000)
    {
        const int id = ++m_lastId;
        m_socket.sendTextMessage(QString::fromUtf8(
            QJsonDocument(
                QJsonObject{{QStringLiteral("id"), id},
                            {QStringLiteral("method"), QStringLiteral("Runtime.evaluate")},
                            {QStringLiteral("params"), QJsonObject{{QStringLiteral("expression"), expression},
                                                                   {QStringLiteral("returnByValue"), true},
                                                                   {QStringLiteral("awaitPromise"), true}}}})
                .toJson(QJsonDocument::Compact)));
        waitFor([&] { return m_replies.contains(id); }, timeoutMs);
        return m_replies.take(id)
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("value"));
    }

    // Lays the page out for a screen of that many CSS pixels at that scale: a phone, or a desktop
    // window zoomed in (1280 pixels at 400 % are 320 CSS pixels).
    void emulateScreen(int width, int height, double scale, bool mobile)
    {
        command(QStringLiteral("Emulation.setDeviceMetricsOverride"),
                {{QStringLiteral("width"), width},
                 {QStringLiteral("height"), height},
                 {QStringLiteral("deviceScaleFactor"), scale},
                 {QStringLiteral("mobile"), mobile}});
    }

    // A PNG of what the page shows now.
    QByteArray screenshot()
    {
        const QJsonObject reply = command(QStringLiteral("Page.captureScreenshot"),
                                          {{QStringLiteral("format"), QStringLiteral("png")}});
        return QByteArray::fromBase64(reply.value(QStringLiteral("result"))
                                          .toObject()
                                          .value(QStringLiteral("data"))
                                          .toString()
                                          .toLatin1());
    }

    void navigate(const QString& url)
    {
        command(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), url}});
    }

private:
    QTemporaryDir m_profile;
    QProcess m_process;
    QWebSocket m_socket;
    QHash<int, QJsonObject> m_replies;
    int m_lastId = 0;
};

// The brivane-web program on the test's database, on a free port of the loopback address.
class WebProgram
{
public:
    ~WebProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000))
                m_process.kill();
        }
    }

    // The program finds the database as a workstation does: through a path.txt.
    QString start(const QString& pathFile, const QString& settingsFile, quint16 wantedPort = 0)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BRIVANE_SETTINGS"), settingsFile);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(BRIVANE_WEB_PROGRAM),
                        {QStringLiteral("--path-file"), pathFile, QStringLiteral("--address"),
                         QStringLiteral("127.0.0.1"), QStringLiteral("--port"), QString::number(wantedPort)});
        // It prints its address once it listens.
        QByteArray line;
        waitFor(
            [&] {
                line += m_process.readAllStandardOutput();
                return line.contains('\n') || m_process.state() == QProcess::NotRunning;
            },
            30000);
        line = line.left(line.indexOf('\n')); // the address; the limits follow on a line of their own
        const int colon = int(line.lastIndexOf(':'));
        port = quint16(line.mid(colon + 1, line.indexOf('/', colon) - colon - 1).toUInt());
        return port ? QString() : QStringLiteral("brivane-web did not start: ") + QString::fromUtf8(line);
    }

    void stop()
    {
        m_process.terminate();
        m_process.waitForFinished(10000);
    }

    quint16 port = 0;

private:
    QProcess m_process;
};
