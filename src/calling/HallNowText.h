#pragma once

#include "calling/HallNow.h"

#include <QStringList>
#include <QVector>

// The Hall now snapshot as texts, the same in the window, on the command line and on the staff page.
namespace hallnow {

enum class Outlook { None, Kept, Soon, Missed };

struct Row
{
    QStringList cells;
    Outlook outlook = Outlook::None;
};

QStringList headers();
QVector<Row> rows(const Snapshot& snapshot);
// The outlook's name for style sheets and pages: "", "kept", "soon", "missed".
QString outlookName(Outlook outlook);

} // namespace hallnow
