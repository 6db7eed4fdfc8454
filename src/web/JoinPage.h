#pragma once

#include "tickets/PhoneJoin.h"
#include "web/WebAnswers.h"

#include <QByteArray>
#include <QString>

class Clock;
class Database;

// The page /join: the services a visitor may join from the phone, with their waits, each a button of
// one form posted back to /join; a join answers with the new ticket's page (303 to /t/CODE), a refusal
// with the page again, saying why in the visitor's language. It works without scripts.
namespace joinpage {

// The cookie that makes a phone known to the budget: random, HttpOnly, SameSite=Lax, for /join only.
inline constexpr const char* CookieName = "brivane_phone";

// The phone's cookie value in a Cookie header; empty when it sent none (or one not made here).
QByteArray phoneIn(const QByteArray& cookieHeader);
// A fresh cookie value (128 bits of the system's random source, in hex).
QByteArray newPhone();
QByteArray setCookie(const QByteArray& phone, bool secure);

// The visitor's language: a code asked for (?lang=, the form's field), else the first one of the
// browser's Accept-Language the program has texts for; "" for the server's own.
QString visitorLanguage(const QString& asked, const QByteArray& acceptLanguage);

// GET /join: the page with the services open to joining now.
WebAnswer listPage(Database& db, const Clock& clock, const QString& language);

// POST /join with the form's fields: the join, or the page saying why not.
WebAnswer joinAnswer(Database& db, const Clock& clock, const phonejoin::JoinRequest& request);

} // namespace joinpage
