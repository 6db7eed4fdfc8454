#pragma once

#include "calling/HallNow.h"
#include "web/ManagerSessions.h"
#include "web/WebAnswers.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

class Clock;
class Database;
class HallNowFollower;
class QWebSocket;

// The staff page /manager: the log-in form without a session, the Hall now figures with one, pushed to
// each open page as the hall changes (one reading of the hall serves every page).
class StaffPages : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxPages = 64; // open staff pages in all

    StaffPages(Database& db, const Clock& clock, std::function<qint64()> ms, QObject* parent = nullptr);
    ~StaffPages() override;

    ManagerSessions& sessions() { return m_sessions; }

    // GET /manager with the request's Cookie header.
    WebAnswer page(const QByteArray& cookieHeader) const;
    // The log-in form, with a message ("" for none).
    static WebAnswer loginPage(const QString& message, int status = 200);
    // After a log-in or log-out: to the page, with the cookie that starts or ends the session.
    static WebAnswer toPage(const QByteArray& setCookie);

    // A page's pushed connection of that session; closed at once when the session is not valid or
    // too many pages are open.
    void take(std::unique_ptr<QWebSocket> socket, const QByteArray& session);
    // Ends the session and closes its pages.
    void end(const QByteArray& session);
    int openPages() const { return int(m_pages.size()); }

private:
    struct Page
    {
        std::unique_ptr<QWebSocket> socket;
        QByteArray session;
    };
    void sendAll(const QByteArray& message);
    void drop(QWebSocket* socket);

    Database& m_db;
    const Clock& m_clock;
    ManagerSessions m_sessions;
    HallNowFollower* m_follower = nullptr;
    std::vector<Page> m_pages;
    QByteArray m_last; // the latest figures, for a page that opens
    QTimer m_alive;
};

// The snapshot as the page reads it.
QByteArray hallMessage(const hallnow::Snapshot& snapshot);
