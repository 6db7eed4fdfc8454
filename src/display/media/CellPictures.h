#pragma once

#include <QString>

class Grid;

// The theme's pictures under the call table's cells, stretched to each cell: "Header img" under the
// header cells of columns 1 to 3, "Detail img" under columns 1 and 2 of every data row. Cells the
// table does not have are skipped; an empty path or a file that cannot be read takes the pictures
// away.
void addimg1(Grid& grid, const QString& path);
void addimg2(Grid& grid, const QString& path);
