#pragma once

#include "web/CallFeed.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

class Clock;
class Database;
class Settings;

// What a web board needs of its theme: the look for the page and the counters it shows.
struct WebBoard
{
    qint64 themeId = 0;
    int rows = 0;
    CounterSet counters;
    QJsonObject look;
};

// The theme a board of that name shows (the hall's only theme when it has no theme of that name, or
// no name is given: themechoice::boardTheme); nothing when there is none. The look
// holds the title, clock format, colours, fonts, header captions, number of rows and columns and
// column widths (in per cent of the table) the desktop board takes from the same theme.
std::optional<WebBoard> webBoard(Database& db, Settings& settings, const QString& themeName);

// The counters a theme's boards show, as every board of the theme reads them (themeCounters).
CounterSet countersShown(Database& db, Settings& settings, qint64 themeId);

// The active news messages, {"left": [...], "right": [...]} by the direction they run.
QJsonObject newsMessages(Database& db);

// One call as the pages show it: key, token label, counter caption and the caption in the second
// language, each with its second line after a line end when the call carries one.
QJsonObject callJson(const ShownCall& shown);

// The server's time for the pages' clocks: now in milliseconds and the offset from UTC in minutes.
void addServerTime(QJsonObject& message, const Clock& clock);
