#include "core/Database.h"
#include "core/SqlWords.h"

#include <QRegularExpression>

// What a statement may do to the store, read from its first word, for the reconnection rules: a read
// broken with its connection runs again, a change never does.

namespace {

// A statement that begins with a common table expression changes rows when one of its parts does.
bool changesRowsInParts(const QString& sql)
{
    static const QRegularExpression change(QStringLiteral("\\b(insert|update|delete|merge)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    return change.match(sql).hasMatch();
}

} // namespace

Database::Effect Database::effectOf(const QString& sql)
{
    using sqlwords::startsWithWord;
    if (startsWithWord(sql, "with"))
        return changesRowsInParts(sql) ? Effect::Write : Effect::Read;
    if (startsWithWord(sql, "select") || startsWithWord(sql, "set") || startsWithWord(sql, "pragma") ||
        startsWithWord(sql, "show"))
        return Effect::Read;
    if (startsWithWord(sql, "begin"))
        return Effect::Begin;
    if (startsWithWord(sql, "commit"))
        return Effect::Commit;
    if (startsWithWord(sql, "rollback"))
        return Effect::Rollback;
    return Effect::Write;
}
