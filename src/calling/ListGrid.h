#pragma once

#include <QList>
#include <QStringList>
#include <QVector>

class Grid;

// The ticket lists of the counter screens: one header row 300 twips high, column 0 the hidden ticket
// key, captions from column 1 on.
void prepareList(Grid* grid, int cols, const QList<int>& widths, const QStringList& headers);
void addRows(Grid* grid, const QVector<QStringList>& rows);
