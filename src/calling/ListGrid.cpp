#include "calling/ListGrid.h"

#include "ui/Grid.h"

void prepareList(Grid* grid, int cols, const QList<int>& widths, const QStringList& headers)
{
    grid->clearRows();
    grid->setCols(cols);
    for (int c = 0; c < widths.size(); ++c)
        grid->setColWidth(c, widths.at(c));
    for (int c = 0; c < cols; ++c)
        grid->setText(0, c, c >= 1 && c <= headers.size() ? headers.at(c - 1) : QString());
    grid->setRowHeight(0, 300);
}

void addRows(Grid* grid, const QVector<QStringList>& rows)
{
    for (const QStringList& row : rows)
        grid->addRow(row);
}
