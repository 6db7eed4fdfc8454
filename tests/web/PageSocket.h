#pragma once

#include "WebTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QVector>
#include <QWebSocket>

// A page's pushed connection as the test sees it: every message it got, parsed.
class PageSocket
{
public:
    explicit PageSocket(const QString& origin = QString()) : m_socket(origin)
    {
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived, [this](const QString& m) {
            messages.append(QJsonDocument::fromJson(m.toUtf8()).object());
        });
        QObject::connect(&m_socket, &QWebSocket::disconnected, [this] { closed = true; });
    }
    void open(quint16 port, const QString& pathAndQuery)
    {
        messages.clear();
        closed = false;
        m_socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1%2").arg(port).arg(pathAndQuery)));
    }
    bool waitForMessages(int n)
    {
        return waitFor([&] { return messages.size() >= n || closed; }) && messages.size() >= n;
    }
    bool waitForClose()
    {
        return waitFor([&] { return closed; });
    }
    void send(const QString& text) { m_socket.sendTextMessage(text); }
    void close()
    {
        m_socket.close();
        waitFor([&] { return closed; });
    }
    // The labels of the calls in message i.
    QStringList labels(int i) const
    {
        QStringList l;
        for (const QJsonValue& c : messages.value(i).value(QStringLiteral("calls")).toArray())
            l.append(c.toObject().value(QStringLiteral("label")).toString());
        return l;
    }

    QVector<QJsonObject> messages;
    bool closed = false;

private:
    QWebSocket m_socket;
};
