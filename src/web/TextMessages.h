#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <optional>

class Clock;
class Database;
class Language;
class TextGateway;

// The texts of near-turn alerts, from the store to the gateway. A text is due when its alert fired
// (brivane_alert.sms 'due'); it is handed to the gateway once, and its outcome ('sent' or 'failed', with
// the time) is written back, so a restart sends again only what was never settled: a text left due by
// a stop or a crash is picked up at the start. A due text whose number was erased meanwhile (its ticket
// ended, or its day) is not sent. The web server's day change erases the numbers of ended days.
// Nothing here waits for the gateway: the web server's event loop goes on serving pages.
class TextMessages : public QObject
{
    Q_OBJECT
public:
    TextMessages(Database& db, const Clock& clock, TextGateway& gateway, QObject* parent = nullptr);

    // Erases what ended days left, sends what is due and looks again every `everyMs`.
    void start(int everyMs = 30000);

    // The text a visitor gets: the token and the wait estimated when the alert fired, in the
    // visitor's language.
    static QString textFor(const QString& token, std::optional<int> waitMinutes, const Language& language);

public Q_SLOTS:
    // The alert of this ticket fired with a number to text.
    void due(qint64 ticket);
    // Every text due in the store that is not on its way yet.
    void sendDue();
    // On a new day: the numbers of the days before are erased.
    void checkDay();

private:
    void settle(qint64 ticket, bool sent, const QString& reason);
    void send(qint64 ticket);
    void storeOutcomes();

    Database& m_db;
    const Clock& m_clock;
    TextGateway& m_gateway;
    QSet<qint64> m_sending;
    QHash<qint64, std::pair<QString, QString>> m_unstored; // outcome and its time, not yet in the store
    QDate m_day;
    bool m_toldUnreadable = false;
    QTimer m_timer;
};
