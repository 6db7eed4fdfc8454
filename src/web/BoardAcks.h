#pragma once

#include "web/CallFeed.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

class Clock;
class Database;

// The showings the hall's web boards tell back: under the name of the screen a board page stands for,
// each call the page drew. The names come from strangers (the page's address), so they are cleaned and
// cut, only so many screens are recorded (see weblimits), a name the hall's desktop screens use is not
// taken, and a showing is written once per screen however many pages of that screen tell it.
class BoardAcks
{
public:
    BoardAcks(Database& db, const Clock& clock);

    // A board page of `client` opens asking for the screen name `asked` (may be empty) on the theme
    // `theme`, showing `counters`. Returns the name it tells under, announced to the hall with the
    // board's counters; empty when the page may not tell (too many screens, or a desktop screen's
    // name). Each page admitted is released when it closes.
    QString admit(const QString& client, const QString& asked, const QString& theme,
                  const CounterSet& counters);
    void release(const QString& client, const QString& screen);
    // The screens of the open pages say they are still there (the hall expects calls on a screen
    // seen lately only): every few minutes.
    void heartbeat();

    // The showing with that feed key (CallFeed::keyOf) was drawn on the screen now; false when it
    // was not written (not a key, written before, or the store refused).
    bool record(const QString& screen, const QString& key);

    // A screen name as a person would type it: no control or invisible characters, single blanks,
    // at most weblimits::MaxScreenName characters. Empty when nothing readable is left.
    static QString cleanName(const QString& text);
    // The name of a page that gives none: "Web board ADDRESS", with the theme's name after it.
    static QString fallbackName(const QString& client, const QString& theme);

private:
    bool desktopScreen(const QString& name);

    Database& m_db;
    const Clock& m_clock;
    QSet<QString> m_known;                      // every name admitted since the server started
    QHash<QString, QHash<QString, int>> m_open; // by client: the names its open pages tell under
    QHash<QString, QStringList> m_written;      // by screen: the keys written lately, oldest first
    QHash<QString, QVector<qint64>> m_counters; // by screen: the counters its board shows
    bool m_warned = false;
};
