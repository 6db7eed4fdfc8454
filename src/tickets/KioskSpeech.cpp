#include "tickets/KioskSpeech.h"

#include "core/Database.h"

#include <QCoreApplication>
#include <QStringList>

namespace kioskSpeech {

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("kioskSpeech", text);
}
} // namespace

QString help()
{
    return tr("Ticket kiosk. Use the arrow keys or Tab to choose a service, and Enter to take a ticket. "
              "Press N to hear the numbers being served, and H to hear this help again.");
}

QString choice(const QString& spoken, int index, int count)
{
    return tr("%1. %2 of %3.").arg(spoken).arg(index + 1).arg(count);
}

QString issued(const QString& label, bool printed, const QString& counter, const QString& wait)
{
    QStringList said;
    said << tr("Your number is %1.").arg(label);
    if (printed)
        said << tr("Please take your ticket from the printer, below the screen.");
    else
        said << tr("No ticket could be printed: please remember your number, %1.").arg(label);
    if (counter.isEmpty())
        said << tr("Please wait until your number is called.");
    else
        said << tr("Please wait until your number is called to %1.").arg(counter);
    if (!wait.isEmpty())
        said << wait + QLatin1Char('.');
    return said.join(QLatin1Char(' '));
}

QString notIssued()
{
    return tr("No number could be issued for this service. Please ask at the reception desk.");
}

QString serverLost()
{
    return tr("The kiosk cannot reach the server. Please ask at the reception desk.");
}

QList<Call> latestCalls(Database& db, const QDate& today, int count)
{
    const ResultSet rs = db.query(QStringLiteral("select no_abr, displayName, contName from tblCall "
                                                 "where tickDate=? order by callauto desc limit ?"),
                                  {today.toString(QStringLiteral("yyyy-MM-dd")), count});
    QList<Call> calls;
    for (int r = 0; r < rs.size(); ++r) {
        const QString caption = rs.text(r, 1).trimmed();
        calls.append({rs.text(r, 0).trimmed(), caption.isEmpty() ? rs.text(r, 2).trimmed() : caption});
    }
    return calls;
}

QString nowServing(const QList<Call>& calls)
{
    if (calls.isEmpty())
        return tr("No number has been called yet today.");
    QStringList said;
    for (const Call& call : calls)
        said << (call.counter.isEmpty() ? call.label : tr("%1 at %2").arg(call.label, call.counter));
    return tr("Now serving: %1.").arg(said.join(QStringLiteral(", ")));
}

} // namespace kioskSpeech
