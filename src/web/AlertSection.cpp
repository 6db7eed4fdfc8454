#include "web/AlertSection.h"

#include "ui/Language.h"
#include "web/WebAnswers.h"

namespace alertsection {

namespace {

const char* const Context = "WebPages";

QString say(const Language& language, const char* source)
{
    return language.translate(Context, source);
}

QByteArray attribute(bool on, const char* name)
{
    return on ? QByteArray(" ") + name : QByteArray();
}

} // namespace

QString statusText(const alertchoice::Found& found, const Language& language)
{
    if (!found.alert || found.alert->moot || !found.alert->fired.isEmpty())
        return {};
    const alertchoice::AlertState& a = *found.alert;
    QString text = a.lead == QLatin1String("next")
                       ? say(language, "You will be told when you are next.")
                       : say(language, "You will be told about %1 minutes before your turn.").arg(a.lead);
    if (a.text)
        text += QLatin1Char(' ') + say(language, "A text message will be sent too.");
    return text;
}

QString firedText(const alertchoice::Found& found, const Language& language)
{
    if (!found.alert || found.alert->fired.isEmpty())
        return {};
    return say(language, "Your turn is near. Please come back to the hall now.");
}

QJsonObject json(const alertchoice::Found& found, const Language& language)
{
    if (!found.available)
        return {};
    QJsonObject o{{QStringLiteral("status"), statusText(found, language)},
                  {QStringLiteral("fired"), firedText(found, language)}};
    if (found.alert) {
        o.insert(QStringLiteral("lead"), found.alert->lead);
        o.insert(QStringLiteral("moot"), found.alert->moot);
        // The moment it fired tells the page apart from an earlier showing of it.
        o.insert(QStringLiteral("at"), found.alert->fired);
    }
    return o;
}

void fill(QByteArray& page, const alertchoice::Found& found, bool called, const Language& language,
          const QString& error)
{
    const bool fired = found.alert && !found.alert->fired.isEmpty();
    const bool asked = found.alert && !fired && !found.alert->moot;
    page.replace("{{alertHidden}}", attribute(!found.available || called, "hidden"));
    page.replace("{{formHidden}}", attribute(fired || (found.alert && found.alert->moot), "hidden"));
    page.replace("{{offHidden}}", attribute(!asked, "hidden"));
    for (const char* lead : {"5", "10", "15", "next"}) {
        const bool on =
            asked ? found.alert->lead == QLatin1String(lead) : QLatin1String(lead) == QLatin1String("10");
        page.replace(QByteArray("{{on") + lead + "}}", attribute(on, "checked"));
    }
    page.replace("{{alertStatus}}", htmlEscaped(statusText(found, language)));
    page.replace("{{alertError}}", htmlEscaped(error));
    page.replace("{{errorHidden}}", attribute(error.isEmpty(), "hidden"));
    page.replace("{{alertFired}}", htmlEscaped(firedText(found, language)));
}

QString refusal(const char* source, const Language& language)
{
    return say(language, source);
}

} // namespace alertsection
