#pragma once

#include <QList>
#include <QString>

class Grid;

namespace maintenance {

// The tickAuto keys (column 0) of these grid rows; rows without a key are skipped.
QList<qint64> ticketKeysOfRows(const Grid& grid, const QList<int>& rows);

// "Are you want to Delete?" with the number of tickets it is about to delete.
QString deleteQuestion(qsizetype tickets);
// Said instead of asking when no row is highlighted.
QString nothingSelectedText();
// Said after the deletion.
QString deletedText(qint64 tickets);

} // namespace maintenance
