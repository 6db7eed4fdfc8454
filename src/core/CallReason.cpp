#include "core/CallReason.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTime>
#include <QVariant>

namespace {

struct RuleCode
{
    CallReason::Rule rule;
    const char* code;
};

constexpr RuleCode codes[] = {
    {CallReason::Rule::Emergency, "E"}, {CallReason::Rule::Appointment, "A"},
    {CallReason::Rule::Transfer, "T"},  {CallReason::Rule::WalkIn, "W"},
    {CallReason::Rule::Cap, "C"},       {CallReason::Rule::Picked, "P"},
    {CallReason::Rule::Recall, "R"},    {CallReason::Rule::Desk, "D"},
};

} // namespace

QString CallReason::code() const
{
    for (const RuleCode& c : codes) {
        if (c.rule == rule)
            return QString::fromLatin1(c.code);
    }
    return QString();
}

CallReason::Rule CallReason::ruleOf(const QString& code)
{
    for (const RuleCode& c : codes) {
        if (code == QLatin1String(c.code))
            return c.rule;
    }
    return Rule::None;
}

CallReason CallReason::stored(const QString& code, const QVariant& waited, const QVariant& passed)
{
    CallReason r;
    r.rule = ruleOf(code.trimmed());
    bool ok = false;
    const qint64 w = waited.isNull() ? -1 : waited.toLongLong(&ok);
    r.waitedSeconds = ok && w >= 0 ? w : -1;
    r.passed = passed.isNull() ? 0 : qMax(qint64(0), passed.toLongLong());
    return r;
}

CallReason CallReason::fromPacked(const QString& packed)
{
    const QStringList parts = packed.split(QLatin1Char(';'));
    const auto figure = [&parts](int i) {
        const QString text = parts.value(i).trimmed();
        return text.isEmpty() ? QVariant() : QVariant(text);
    };
    return stored(parts.value(0), figure(1), figure(2));
}

QString callReasonText(const CallReason& reason, const QString& serviceName)
{
    QString head;
    switch (reason.rule) {
    case CallReason::Rule::None:
        return QString();
    case CallReason::Rule::Emergency:
        head = QCoreApplication::translate("CallReason", "emergency for this counter");
        break;
    case CallReason::Rule::Appointment:
        head = QCoreApplication::translate("CallReason", "appointment due at this counter");
        break;
    case CallReason::Rule::Transfer:
        head = QCoreApplication::translate("CallReason", "transferred to this counter");
        break;
    case CallReason::Rule::WalkIn:
        head = QCoreApplication::translate("CallReason", "oldest walk-in of %1").arg(serviceName);
        break;
    case CallReason::Rule::Cap:
        head = QCoreApplication::translate("CallReason", "walk-in of %1 held back past its wait cap")
                   .arg(serviceName);
        break;
    case CallReason::Rule::Picked:
        head = QCoreApplication::translate("CallReason", "picked from the list");
        break;
    case CallReason::Rule::Recall:
        head = QCoreApplication::translate("CallReason", "called again");
        break;
    case CallReason::Rule::Desk:
        head = QCoreApplication::translate("CallReason", "lowest waiting number of %1").arg(serviceName);
        break;
    }
    QStringList parts{head};
    // The minutes are worked out apart: lupdate loses its way on a division inside the call.
    const int minutes = int(reason.waitedSeconds / 60);
    if (reason.waitedSeconds >= 0)
        parts.append(QCoreApplication::translate("CallReason", "waited %n min", nullptr, minutes));
    if (reason.passed > 0) {
        parts.append(reason.rule == CallReason::Rule::Cap
                         ? QCoreApplication::translate("CallReason", "ahead of %n newer priority token(s)",
                                                       nullptr, int(reason.passed))
                         : QCoreApplication::translate("CallReason",
                                                       "ahead of %n token(s) that waited longer", nullptr,
                                                       int(reason.passed)));
    }
    return parts.join(QCoreApplication::translate("CallReason", ", "));
}

QString callReasonLine(const QString& label, const CallReason& reason, const QString& serviceName)
{
    if (!reason.isKnown())
        return QString();
    return QCoreApplication::translate("CallReason", "%1: %2")
        .arg(label, callReasonText(reason, serviceName));
}

qint64 secondsWaited(const QString& issued, const QString& now)
{
    const QTime from = QTime::fromString(issued.trimmed(), QStringLiteral("HH:mm:ss"));
    const QTime to = QTime::fromString(now.trimmed(), QStringLiteral("HH:mm:ss"));
    if (!from.isValid() || !to.isValid())
        return -1;
    return qMax(0, from.secsTo(to));
}
