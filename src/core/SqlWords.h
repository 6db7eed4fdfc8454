#pragma once

#include <QString>

// The words a statement's text begins with.
namespace sqlwords {

inline bool startsWithWord(const QString& sql, const char* word)
{
    const QString t = sql.trimmed();
    const QLatin1String w(word);
    return t.startsWith(w, Qt::CaseInsensitive) && (t.size() == w.size() || !t.at(w.size()).isLetter());
}

// A statement after which prepared statements may no longer fit the tables.
inline bool changesTables(const QString& sql)
{
    return startsWithWord(sql, "create") || startsWithWord(sql, "drop") || startsWithWord(sql, "alter") ||
           startsWithWord(sql, "truncate");
}

} // namespace sqlwords
