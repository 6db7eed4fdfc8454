#pragma once

#include <optional>

// The M/M/N queue (Erlang C): arrivals at random at rate λ, N counters each serving at rate μ (one
// over the mean service time), one queue in order of arrival. Rates are per minute.
namespace erlang {

// The offered load a = λ/μ, in counters' worth of work.
double load(double arrivalsPerMinute, double serviceMinutes);

// The probability that an arrival has to wait at all, C(N, a); 1 when N counters cannot keep up
// (a ≥ N) or there are none.
double probabilityOfWaiting(int counters, double arrivalsPerMinute, double serviceMinutes);

// The share (0–1) of arrivals called within `minutes`: 1 − C(N, a)·e^(−(Nμ − λ)·t); 0 when the
// queue grows without end.
double serviceLevel(int counters, double arrivalsPerMinute, double serviceMinutes, double minutes);

// The mean wait in minutes, C(N, a) / (Nμ − λ); nullopt when the queue grows without end.
std::optional<double> meanWait(int counters, double arrivalsPerMinute, double serviceMinutes);

// The fewest counters (up to `most`) whose service level reaches `share` (0–1) within `minutes`;
// nullopt when even `most` do not.
std::optional<int> countersFor(double share, double minutes, double arrivalsPerMinute, double serviceMinutes,
                               int most = 100);

} // namespace erlang
