#pragma once

#include "display/CallBoardEngine.h"
#include "display/voice/AnnouncerProtocol.h"

#include <QByteArray>
#include <QLocalSocket>
#include <QObject>
#include <functional>

// The board's side of the hall announcer: every call the board shows is written to the announcer's
// local socket. Writing never waits: the connection is made in the background, what is written is
// buffered by the socket, and when no announcer listens the message is dropped.
class AnnouncerLink : public QObject, public ShownCallSink
{
public:
    explicit AnnouncerLink(QString socketPath, QObject* parent = nullptr);

    void callShown(const CallRow& call) override { send(announcer::shownCall(call)); }
    void send(const announcer::ShownCall& call);
    // Told of each call the announcer says it has spoken.
    void setSpokenHandler(std::function<void(const announcer::Spoken&)> handler)
    {
        m_spokenHandler = std::move(handler);
    }

private:
    void readAnswers();

    QString m_path;
    QLocalSocket m_socket;
    QByteArray m_waiting; // written while the connection is being made
    std::function<void(const announcer::Spoken&)> m_spokenHandler;
};
