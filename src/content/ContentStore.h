#pragma once

#include <QString>
#include <QVector>
#include <optional>

class Database;

// Reading and writing the display's content tables: the scroll news messages (tblscroll) and the
// video play list (tblvideo). Screens call these; all values travel as bound parameters.
namespace content {

// One news message as the news list shows it.
struct NewsRow
{
    qint64 key = 0;
    QString message;
    QString active; // the stored flag text
    QString direction;
};

// All messages (or only the active ones), oldest first. A non-empty search keeps only messages whose
// text contains it; "%" and "_" in it act as the usual wildcards, and letter case does not matter.
QVector<NewsRow> listNews(Database& db, bool activeOnly, const QString& search = QString());
// True when a row was deleted.
bool deleteNews(Database& db, qint64 key);

// "Yes" for a flag holding 1, "No" for anything else.
QString yesNo(const QString& flag);

// One entry of the video play list.
struct VideoEntry
{
    qint64 key = 0;
    QString name; // full path of the video or picture file
    QString desc;
    bool active = false;
};

QVector<VideoEntry> listVideos(Database& db);
std::optional<VideoEntry> videoById(Database& db, qint64 key);
// Inserts the entry and returns its new key.
qint64 addVideo(Database& db, const VideoEntry& entry);
// Writes path, description and flag on the entry's row; false when that row no longer exists.
bool updateVideo(Database& db, const VideoEntry& entry);
bool deleteVideo(Database& db, qint64 key);

} // namespace content
