#include "content/ContentStore.h"

#include "core/Database.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace content {

namespace {

QString flagText(const QVariant& v)
{
    return v.isNull() ? QString() : v.toString().trimmed();
}

// A like pattern found anywhere in a text ("%" any run of characters, "_" any one character), in
// any letter case.
QRegularExpression likePattern(const QString& search)
{
    QString expression;
    for (const QChar c : search) {
        if (c == QLatin1Char('%'))
            expression += QStringLiteral(".*");
        else if (c == QLatin1Char('_'))
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(expression, QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption |
                                              QRegularExpression::UseUnicodePropertiesOption);
}

} // namespace

QString yesNo(const QString& flag)
{
    // Shown in the news list only; the stored flag stays "1" or "0".
    return flag.trimmed() == QLatin1String("1") ? QCoreApplication::translate("ContentStore", "Yes")
                                                : QCoreApplication::translate("ContentStore", "No");
}

QVector<NewsRow> listNews(Database& db, bool activeOnly, const QString& search)
{
    QString sql = QStringLiteral("select scrollAuto, message, active, direction from tblscroll where 1=1");
    if (activeOnly)
        sql += QStringLiteral(" and active='1'");
    sql += QStringLiteral(" order by scrollAuto asc");

    const ResultSet rs = db.query(sql);
    QVector<NewsRow> rows;
    rows.reserve(rs.size());
    // Matched here rather than by the store: SQL lower() and like fold only ASCII letters on SQLite
    // and follow the server's locale on PostgreSQL, and "Привет" must find "привет" on both.
    const std::optional<QRegularExpression> pattern =
        search.isEmpty() ? std::nullopt : std::optional(likePattern(search));
    for (int r = 0; r < rs.size(); ++r) {
        NewsRow row;
        row.message = rs.text(r, 1);
        if (pattern && !pattern->match(row.message).hasMatch())
            continue;
        row.key = rs.number(r, 0);
        row.active = flagText(rs.value(r, 2));
        row.direction = rs.text(r, 3);
        rows.append(row);
    }
    return rows;
}

bool deleteNews(Database& db, qint64 key)
{
    return db.exec(QStringLiteral("delete from tblscroll where scrollAuto=?"), {key}) > 0;
}

QVector<VideoEntry> listVideos(Database& db)
{
    const ResultSet rs = db.query(
        QStringLiteral("select vidAuto, vidName, vidDesc, active from tblvideo order by vidAuto asc"));
    QVector<VideoEntry> rows;
    rows.reserve(rs.size());
    for (int r = 0; r < rs.size(); ++r)
        rows.append(
            {rs.number(r, 0), rs.text(r, 1), rs.text(r, 2), flagText(rs.value(r, 3)) == QLatin1String("1")});
    return rows;
}

std::optional<VideoEntry> videoById(Database& db, qint64 key)
{
    const ResultSet rs = db.query(
        QStringLiteral("select vidAuto, vidName, vidDesc, active from tblvideo where vidAuto=?"), {key});
    if (rs.isEmpty())
        return std::nullopt;
    return VideoEntry{rs.number(0, 0), rs.text(0, 1), rs.text(0, 2),
                      flagText(rs.value(0, 3)) == QLatin1String("1")};
}

qint64 addVideo(Database& db, const VideoEntry& entry)
{
    return db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), entry.name},
                                                  {QStringLiteral("vidDesc"), entry.desc},
                                                  {QStringLiteral("active"), entry.active}});
}

bool updateVideo(Database& db, const VideoEntry& entry)
{
    return db.update(QStringLiteral("tblvideo"), entry.key,
                     {{QStringLiteral("vidName"), entry.name},
                      {QStringLiteral("vidDesc"), entry.desc},
                      {QStringLiteral("active"), entry.active}}) > 0;
}

bool deleteVideo(Database& db, qint64 key)
{
    return db.exec(QStringLiteral("delete from tblvideo where vidAuto=?"), {key}) > 0;
}

} // namespace content
