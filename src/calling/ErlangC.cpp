#include "calling/ErlangC.h"

#include <cmath>

namespace erlang {

double load(double arrivalsPerMinute, double serviceMinutes)
{
    return std::max(0.0, arrivalsPerMinute) * std::max(0.0, serviceMinutes);
}

double probabilityOfWaiting(int counters, double arrivalsPerMinute, double serviceMinutes)
{
    const double a = load(arrivalsPerMinute, serviceMinutes);
    if (counters < 1 || a >= counters)
        return 1.0;
    if (a <= 0)
        return 0.0;
    // Erlang B by its recursion, B(0) = 1, B(k) = a·B(k−1) / (k + a·B(k−1)), which never overflows as
    // the factorials of the closed form do; then C = N·B / (N − a·(1 − B)).
    double b = 1.0;
    for (int k = 1; k <= counters; ++k)
        b = a * b / (k + a * b);
    return counters * b / (counters - a * (1.0 - b));
}

double serviceLevel(int counters, double arrivalsPerMinute, double serviceMinutes, double minutes)
{
    const double a = load(arrivalsPerMinute, serviceMinutes);
    if (counters < 1 || a >= counters)
        return 0.0;
    if (a <= 0)
        return 1.0;
    const double mu = 1.0 / serviceMinutes;
    const double c = probabilityOfWaiting(counters, arrivalsPerMinute, serviceMinutes);
    return 1.0 - c * std::exp(-(counters * mu - arrivalsPerMinute) * std::max(0.0, minutes));
}

std::optional<double> meanWait(int counters, double arrivalsPerMinute, double serviceMinutes)
{
    const double a = load(arrivalsPerMinute, serviceMinutes);
    if (counters < 1 || a >= counters)
        return std::nullopt;
    if (a <= 0)
        return 0.0;
    return probabilityOfWaiting(counters, arrivalsPerMinute, serviceMinutes) /
           (counters / serviceMinutes - arrivalsPerMinute);
}

std::optional<int> countersFor(double share, double minutes, double arrivalsPerMinute, double serviceMinutes,
                               int most)
{
    for (int n = 1; n <= most; ++n) {
        if (serviceLevel(n, arrivalsPerMinute, serviceMinutes, minutes) >= share)
            return n;
    }
    return std::nullopt;
}

} // namespace erlang
