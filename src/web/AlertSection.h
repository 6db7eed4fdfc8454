#pragma once

#include "web/AlertChoice.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QJsonObject>
#include <QString>

class Language;

// The near-turn alert's part of the visitor's ticket page: the form to choose it, what was chosen,
// and the alert once it fired; written into the page for browsers without scripts and pushed with
// the ticket's state for the page's script.
namespace alertsection {

// The choice as the page says it ("You will be told about 10 minutes before your turn."); empty
// without one.
QString statusText(const alertchoice::Found& found, const Language& language);
// The alert as the page shows it once fired; empty before.
QString firedText(const alertchoice::Found& found, const Language& language);

// For the pushed state: nothing when the hall keeps no alerts.
QJsonObject json(const alertchoice::Found& found, const Language& language);

// Fills the section's marks of ticket.html; `error` is the answer to a choice refused just now.
void fill(QByteArray& page, const alertchoice::Found& found, bool called, const Language& language,
          const QString& error);

// The sentences of refused choices, in the page's language.
QString refusal(const char* source, const Language& language);
inline constexpr const char* BadLead =
    QT_TRANSLATE_NOOP("WebPages", "Choose 5, 10 or 15 minutes, or when you are next.");
inline constexpr const char* BadPhone = QT_TRANSLATE_NOOP(
    "WebPages", "This is not a phone number: use digits only, with + in front for another country.");
inline constexpr const char* NoToken = QT_TRANSLATE_NOOP("WebPages", "No token of today has this page.");
inline constexpr const char* NotWaiting = QT_TRANSLATE_NOOP("WebPages", "This token is no longer waiting.");
inline constexpr const char* AlreadyFired =
    QT_TRANSLATE_NOOP("WebPages", "The alert has already been given.");
inline constexpr const char* Unavailable =
    QT_TRANSLATE_NOOP("WebPages", "Alerts cannot be kept now. Please try again later.");
inline constexpr const char* TooMany =
    QT_TRANSLATE_NOOP("WebPages", "Too many changes: wait a minute and try again.");

} // namespace alertsection
