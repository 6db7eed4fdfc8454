#include "masterdata/CompanyLogo.h"

#include "core/AppContext.h"
#include "core/Database.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>

namespace company {

namespace {
// Pictures larger than this are stored scaled down: a ticket's logo is under 3 x 1 inches.
constexpr qint64 largestStoredBytes = 512 * 1024;
constexpr int largestSide = 1200;
} // namespace

QByteArray storedLogo(Database& db)
{
    const ResultSet rs = db.query(QStringLiteral("select logo from tblComp where compAuto=1"));
    return rs.isEmpty() || rs.isNull(0, 0) ? QByteArray() : rs.value(0, 0).toByteArray();
}

QByteArray logoFromFile(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = in.readAll();
    QImage picture = QImage::fromData(bytes);
    if (picture.isNull())
        return {};
    if (bytes.size() <= largestStoredBytes && picture.width() <= largestSide &&
        picture.height() <= largestSide)
        return bytes;
    if (picture.width() > largestSide || picture.height() > largestSide)
        picture = picture.scaled(largestSide, largestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

bool isShippedDemoPicture(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() ==
           QByteArrayLiteral(BRIVANE_DEMO_LOGO_SHA256);
}

QImage folderLogo(const AppContext& ctx)
{
    QFile file(ctx.installPath(QStringLiteral("logo.jpg")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (isShippedDemoPicture(bytes))
        return {};
    return QImage::fromData(bytes);
}

QImage printedLogo(const AppContext& ctx, const QByteArray& stored)
{
    if (!stored.isEmpty())
        return QImage::fromData(stored);
    return folderLogo(ctx);
}

} // namespace company
