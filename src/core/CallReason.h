#pragma once

#include <QString>
#include <QtGlobal>

// Why a call took its token: the rule that chose it and what it weighed. Stored with the call row
// (tblCall.whyrule, whywait, whypassed) as a code and figures, so each reader words it in its own
// language.
struct CallReason
{
    enum class Rule {
        None,        // not known (a call row of older data)
        Emergency,   // an emergency directed to the counter
        Appointment, // an appointment directed to the counter whose time has come
        Transfer,    // a walk-in another counter sent to this one
        WalkIn,      // the oldest walk-in of the counter's service
        Cap,         // a walk-in held back past its service's cap, called before newer directed tokens
        Picked,      // chosen by the operator from a list
        Recall,      // written for a token called again
        Desk,        // the lowest waiting number of the service, at the administrator's call desk
    };

    Rule rule = Rule::None;
    // Seconds from the token's issue to the call; -1 when its issue time is not known.
    qint64 waitedSeconds = -1;
    // Waiting tokens the call passed over: for a directed or picked token, the tokens the counter could
    // take that were issued before it; for the cap, the newer directed tokens the walk-in went before.
    qint64 passed = 0;

    // The stored code of the rule ("E", "A", "T", "W", "C", "P", "R", "D"); empty for None.
    QString code() const;
    static Rule ruleOf(const QString& code);
    // From the three stored values; a null figure reads as unknown (wait) or none (passed).
    static CallReason stored(const QString& code, const QVariant& waited, const QVariant& passed);
    // From "code;waited;passed" as the reports read it in one column.
    static CallReason fromPacked(const QString& packed);

    bool isKnown() const { return rule != Rule::None; }
    bool operator==(const CallReason& o) const = default;
};

// The reason in the reader's language: "oldest walk-in of General Consultation, waited 12 min".
// `serviceName` is the service of the counter that called (the walk-in rules name it); empty for none.
QString callReasonText(const CallReason& reason, const QString& serviceName);
// The same after the token: "A7: oldest walk-in of General Consultation, waited 12 min"; empty when
// the reason is not known.
QString callReasonLine(const QString& label, const CallReason& reason, const QString& serviceName);
// Seconds from `issued` to `now`, both "HH:mm:ss" of one day; -1 when either is not a time of day.
qint64 secondsWaited(const QString& issued, const QString& now);
