#pragma once

#include "core/ServiceTarget.h"

#include <QHash>

// The targets of the services that have one, by service key.
using ServiceTargets = QHash<qint64, ServiceTarget>;
