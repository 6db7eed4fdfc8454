#pragma once

#include "tickets/WaitEstimate.h"

#include <QHash>

class Clock;
class Database;

namespace waiting {

// The services' loads as one issuing workstation keeps them between its issues, so that an issue
// costs no more statements than the number and the row themselves.
//
// Why kept here and not worked out by the server: the load is what the counters did (calls and
// finishes), which changes a few times a minute, while a busy hall's kiosks issue several tokens a
// second; the people ahead, the one figure that changes with every issue, are counted by the issue
// itself, in its own statement. The inputs of a load are kept rather than the load, and the load is
// worked out from them at each issue's moment: what only time changes (a counter leaving the serving
// window, a finish time not reached yet) comes out exactly as a fresh read gives it.
//
// When the store is read again:
// - the inputs are `maxAgeSeconds` old or more by the program clock, or of another day, or the clock
//   went back. That is the bound on what another workstation changed (a call, a finish, a counter set
//   up or put away): an estimate gives the load of a moment at most that much earlier, with the people
//   ahead as they are. Two seconds are nothing beside service times of minutes, and still spare the
//   store all but one read per service in two seconds of a busy kiosk. (The hall's notifications
//   were not used: they announce every issue too, so a kiosk among others would read again at each.)
// - the inputs do not reach far enough for the moment (see loadAt).
// This workstation's own issues are added to the inputs without a read: a walk-in it issues may be
// the oldest one waiting.
class LoadCache
{
public:
    static constexpr int defaultMaxAgeSeconds = 2;

    explicit LoadCache(int maxAgeSeconds = defaultMaxAgeSeconds, Rule rule = {});
    LoadCache(const LoadCache&) = delete;
    LoadCache& operator=(const LoadCache&) = delete;

    // The service's load now. Store failures pass to the caller as DbError.
    ServiceLoad load(Database& db, const Clock& clock, qint64 serviceId);

    // A walk-in this workstation has just stored for the service, issued at `tickTime` ("HH:mm:ss").
    void issued(qint64 serviceId, const QDate& day, const QString& tickTime);

    // Forgets what is kept of one service, or of all.
    void forget(qint64 serviceId);
    void forgetAll();

    // Reads of the store so far.
    qint64 reads() const { return m_reads; }

private:
    int m_maxAge;
    Rule m_rule;
    QHash<qint64, LoadInputs> m_inputs;
    qint64 m_reads = 0;
};

} // namespace waiting
