#pragma once

#include "core/Database.h"
#include "core/WrongTries.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// Values shared by every screen of one running program: who is logged in, which counter, which
// theme, and the display's counter filter.
struct Session
{
    ConnectionValues connection; // sqlHost, sqlDatabase, sqlUser, sqlPassword

    bool isAdmin = false;
    qint64 adminUserId = 0;
    qint64 counterId = 0;        // the calling counter written into call rows
    qint64 servingCounterId = 0; // the counter whose tokens are listed and counted
    qint64 serviceId = 0;        // the service whose waiting tokens are called
    QString counterName;
    QString counterDisplayName;
    QString counterNameA;
    QString counterDisplayNameA;

    qint64 themeId = 0;
    QString counterFilter = QStringLiteral("and 1=1");
    qint64 scrollSpeed = 30;
    qint64 printCopies = 1;
    // The printer tickets go to: the last one the printer-name setting matched, "" for the default.
    QString ticketPrinter;

    QPointer<QWidget> activeReport; // the report window last activated, for Send to Excel

    // Set by a successful log-in; before it, the connection screen keeps the stored password to itself.
    bool loggedIn = false;
    // Wrong passwords of this run: the log-in screen (both kinds) and the kiosk's exit pad.
    WrongTries loginTries;
    WrongTries exitPadTries;
};
