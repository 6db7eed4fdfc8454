#include "reports/SimulateCommand.h"

#include "calling/DayReplay.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "reports/DayPlanReader.h"
#include "ui/Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

const char* SimulateUsage = "simulate --day yyyy-MM-dd [--cap MIN] [--counters N]";

// A whole number from min to max; nullopt for anything else.
std::optional<int> wholeNumber(const QString& text, int min, int max)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= min && n <= max ? std::optional<int>(n) : std::nullopt;
}

QString minutes(const std::optional<double>& m)
{
    return m ? QString::number(*m, 'f', 1) : QStringLiteral("–");
}

QString figuresColumns(const KindFigures& f)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(f.called, 7)
        .arg(minutes(f.averageWaiting), 6)
        .arg(minutes(f.waiting90), 6)
        .arg(minutes(f.longestWaiting), 8);
}

int simulateCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool hasCap = args.contains(QStringLiteral("--cap"));
    const QString capText = takeOption(args, QStringLiteral("--cap"));
    const bool hasCounters = args.contains(QStringLiteral("--counters"));
    const QString countersText = takeOption(args, QStringLiteral("--counters"));
    const QString dayText = takeOption(args, QStringLiteral("--day"));
    const std::optional<int> cap = hasCap ? wholeNumber(capText, 0, 24 * 60) : std::nullopt;
    const std::optional<int> perService = hasCounters ? wholeNumber(countersText, 1, 100) : std::nullopt;
    const QDate day = dayArgument(dayText);
    if (!args.isEmpty() || dayText.isEmpty() || (hasCap && !cap) || (hasCounters && !perService)) {
        err << "usage: brivane-ctl " << SimulateUsage << Qt::endl;
        return 2;
    }
    if (!day.isValid()) {
        err << QCoreApplication::translate(
                   "SimulateCommand", "\"%1\" is not a day: give it as yyyy-MM-dd, for example 2024-01-15.")
                   .arg(dayText)
            << Qt::endl;
        return 2;
    }
    if (day > ctx.clock.today()) {
        err << QCoreApplication::translate("SimulateCommand",
                                           "%1 has not come yet: only a day that has begun can be replayed.")
                   .arg(dayText)
            << Qt::endl;
        return 1;
    }

    QElapsedTimer took;
    took.start();
    DayReading reading = readDay(ctx.db, day);
    DayPlan& plan = reading.plan;
    if (plan.tokens.isEmpty()) {
        err << QCoreApplication::translate("SimulateCommand",
                                           "No tokens were issued on %1: there is nothing to replay.")
                   .arg(dayText)
            << Qt::endl;
        return 1;
    }
    if (reading.timedTokens == 0) {
        err << QCoreApplication::translate(
                   "SimulateCommand",
                   "No token of %1 was served to its finish: there are no service times to replay.")
                   .arg(dayText)
            << Qt::endl;
        return 1;
    }
    // Plain numbers from here (GCC's optimiser takes the optionals' values for unset ones).
    const int counterEach = perService.value_or(0);
    const int capMinutes = cap.value_or(-1);
    if (counterEach > 0)
        plan.staffEachService(counterEach);
    else if (plan.openCounters() == 0) {
        err << QCoreApplication::translate(
                   "SimulateCommand",
                   "No counter called a token on %1: say how many counters to replay with --counters N.")
                   .arg(dayText)
            << Qt::endl;
        return 1;
    }
    if (capMinutes >= 0)
        plan.capEveryService(capMinutes);
    const QVector<KindFigures> real = dayFigures(ctx.db, day);
    DayReplay replay;
    replay.run(plan);
    const QVector<KindFigures> replayed = dayFigures(replay.hall(), day);

    out << QCoreApplication::translate("SimulateCommand",
                                       "Replay of %1 through the call engine. Tokens replayed: %2.")
               .arg(dayText)
               .arg(plan.tokens.size())
        << '\n';
    if (counterEach > 0)
        out << QCoreApplication::translate("SimulateCommand", "Counters: %1 per service, each open all day.")
                   .arg(counterEach)
            << '\n';
    else
        out << QCoreApplication::translate(
                   "SimulateCommand",
                   "Counters: the %1 that called tokens that day, each open from its first call to its last "
                   "finish.")
                   .arg(plan.openCounters())
            << '\n';
    if (capMinutes < 0)
        out << QCoreApplication::translate("SimulateCommand",
                                           "Cap on walk-ins held back: as each service has it.")
            << '\n';
    else if (capMinutes == 0)
        out << QCoreApplication::translate("SimulateCommand", "Cap on walk-ins held back: none.") << '\n';
    else
        out << QCoreApplication::translate("SimulateCommand",
                                           "Cap on walk-ins held back: %1 min, for every service.")
                   .arg(capMinutes)
            << '\n';
    out << QCoreApplication::translate("SimulateCommand",
                                       "Waits in minutes, from the issue to the first call.")
        << '\n'
        << '\n';
    printReplayTable(real, replayed, out);
    if (reading.otherKinds > 0 || reading.untimed > 0)
        out << '\n';
    if (reading.otherKinds > 0)
        out << QCoreApplication::translate("SimulateCommand",
                                           "Not replayed, being of other kinds: %1 (report tokens are called "
                                           "from the counters' lists).")
                   .arg(reading.otherKinds)
            << '\n';
    if (reading.untimed > 0)
        out << QCoreApplication::translate("SimulateCommand", "Not replayed, having no issue time: %1.")
                   .arg(reading.untimed)
            << '\n';
    out << '\n'
        << QCoreApplication::translate("SimulateCommand", "Replayed in %1 s.")
               .arg(QString::number(double(took.elapsed()) / 1000.0, 'f', 1))
        << '\n';
    out.flush();
    return 0;
}

} // namespace

void printReplayTable(const QVector<KindFigures>& real, const QVector<KindFigures>& replayed,
                      QTextStream& out)
{
    const QString gap = QStringLiteral("   ");
    const QString heads = QStringLiteral("%1 %2 %3 %4")
                              .arg(QCoreApplication::translate("SimulateCommand", "Called"), 7)
                              .arg(QCoreApplication::translate("SimulateCommand", "Mean"), 6)
                              .arg(QCoreApplication::translate("SimulateCommand", "90%"), 6)
                              .arg(QCoreApplication::translate("SimulateCommand", "Longest"), 8);
    out << QString(24, QLatin1Char(' ')) << gap
        << QCoreApplication::translate("SimulateCommand", "That day").leftJustified(heads.size()) << gap
        << QCoreApplication::translate("SimulateCommand", "Replay") << '\n';
    out << QCoreApplication::translate("SimulateCommand", "Kind").leftJustified(16)
        << QCoreApplication::translate("SimulateCommand", "Tokens").rightJustified(8) << gap << heads << gap
        << heads << '\n';
    for (int i = 0; i < real.size() && i < replayed.size(); ++i) {
        const KindFigures& r = real[i];
        const QString kind = r.kind == QLatin1String("All")
                                 ? kindName(r.kind)
                                 : QStringLiteral("%1 (%2)").arg(kindName(r.kind), r.kind);
        out << kind.leftJustified(16) << QString::number(r.tokens).rightJustified(8) << gap
            << figuresColumns(r) << gap << figuresColumns(replayed[i]) << '\n';
    }
}

void registerSimulateCommand(CommandRegistry& commands)
{
    commands.add(QStringLiteral("simulate"), QString::fromLatin1(SimulateUsage), WorkstationRights::Act::Call,
                 simulateCommand);
}
