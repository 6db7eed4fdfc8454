#include "reports/ServiceTargets.h"

ServiceTargets readServiceTargets(Database&)
{
    // Services carry no target in the store yet: every share within target reads "–".
    return {};
}
