#include "display/media/CellPictures.h"

#include "ui/Grid.h"

#include <QPixmap>

namespace {

QPixmap picture(const QString& path)
{
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

} // namespace

void addimg1(Grid& grid, const QString& path)
{
    const QPixmap pixmap = picture(path);
    for (int c = 1; c <= 3 && c < grid.cols(); ++c)
        grid.setCellPicture(0, c, pixmap);
}

void addimg2(Grid& grid, const QString& path)
{
    const QPixmap pixmap = picture(path);
    for (int r = 1; r < grid.rows(); ++r) {
        for (int c = 1; c <= 2 && c < grid.cols(); ++c)
            grid.setCellPicture(r, c, pixmap);
    }
}
