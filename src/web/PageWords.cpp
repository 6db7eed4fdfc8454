#include "web/PageWords.h"

#include "ui/Language.h"
#include "web/WebAnswers.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace pagewords {

namespace {

const char* const Context = "WebPages";

// Every text of ticket.html, board.html, join.html, their scripts and the join's answers.
const char* const Texts[] = {
    QT_TRANSLATE_NOOP("WebPages", "Please go to"),
    QT_TRANSLATE_NOOP("WebPages", "Your token"),
    QT_TRANSLATE_NOOP("WebPages", "Ahead of you"),
    QT_TRANSLATE_NOOP("WebPages", "Estimated wait"),
    QT_TRANSLATE_NOOP(
        "WebPages", "This page follows your token: keep it open, it changes by itself when you are called."),
    QT_TRANSLATE_NOOP("WebPages", "No connection to the server"),
    QT_TRANSLATE_NOOP("WebPages", "The server cannot reach the database"),
    QT_TRANSLATE_NOOP("WebPages", "No theme of that name"),
    QT_TRANSLATE_NOOP("WebPages", "Board"),
    QT_TRANSLATE_NOOP("WebPages", "Latest calls"),
    QT_TRANSLATE_NOOP("WebPages", "Latest calls, newest first"),
    // The near-turn alert of the ticket page (the sentences of refused choices: AlertSection.h).
    QT_TRANSLATE_NOOP("WebPages", "Tell me when my turn is near"),
    QT_TRANSLATE_NOOP("WebPages", "5 minutes before"),
    QT_TRANSLATE_NOOP("WebPages", "10 minutes before"),
    QT_TRANSLATE_NOOP("WebPages", "15 minutes before"),
    QT_TRANSLATE_NOOP("WebPages", "When I am next"),
    QT_TRANSLATE_NOOP("WebPages", "Phone number for a text message (optional)"),
    QT_TRANSLATE_NOOP("WebPages", "Tell me"),
    QT_TRANSLATE_NOOP("WebPages", "Stop telling me"),
    QT_TRANSLATE_NOOP("WebPages", "You will be told about %1 minutes before your turn."),
    QT_TRANSLATE_NOOP("WebPages", "You will be told when you are next."),
    QT_TRANSLATE_NOOP("WebPages", "A text message will be sent too."),
    QT_TRANSLATE_NOOP("WebPages", "Your turn is near. Please come back to the hall now."),
    // join.html and what the join answers (JoinPage.cpp)
    QT_TRANSLATE_NOOP("WebPages", "Take a token"),
    QT_TRANSLATE_NOOP("WebPages", "Choose a service: your token is taken at once and its page opens."),
    QT_TRANSLATE_NOOP("WebPages", "No service can be joined from a phone now."),
    QT_TRANSLATE_NOOP("WebPages", "Open your token"),
    QT_TRANSLATE_NOOP("WebPages", "You already have a token for this service."),
    QT_TRANSLATE_NOOP("WebPages", "Too many tokens were taken from this connection in the last hour. Please "
                                  "take one at the kiosk."),
    QT_TRANSLATE_NOOP("WebPages", "This service gives no more tokens today."),
    QT_TRANSLATE_NOOP("WebPages",
                      "Tokens cannot be taken from a phone at the moment. Please take one at the kiosk."),
    QT_TRANSLATE_NOOP("WebPages", "This service cannot be joined from a phone now."),
};

} // namespace

QStringList texts()
{
    QStringList all;
    for (const char* text : Texts)
        all.append(QString::fromUtf8(text));
    return all;
}

QByteArray translated(const QByteArray& page, const Language& language)
{
    static const QRegularExpression mark(QStringLiteral("\\{\\{t:(.*?)\\}\\}"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QString text = QString::fromUtf8(page);
    QByteArray out;
    out.reserve(page.size() + 256);
    qsizetype from = 0;
    for (auto it = mark.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(from, m.capturedStart() - from).toUtf8();
        const QByteArray source = m.captured(1).toUtf8();
        out += htmlEscaped(language.translate(Context, source.constData()));
        from = m.capturedEnd();
    }
    out += text.mid(from).toUtf8();
    QJsonObject words;
    for (const char* source : Texts)
        words.insert(QString::fromUtf8(source), language.translate(Context, source));
    // Inside a script element nothing may look like its end tag.
    QByteArray json = QJsonDocument(words).toJson(QJsonDocument::Compact);
    json.replace("<", "\\u003c");
    out.replace("{{words}}", json);
    out.replace("{{lang}}", language.code().toUtf8());
    out.replace("{{dir}}", language.rightToLeft() ? "rtl" : "ltr");
    return out;
}

} // namespace pagewords
