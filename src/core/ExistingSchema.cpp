#include "core/ExistingSchema.h"

#include "core/Schema.h"

namespace schema {

QStringList missingParts(const FoundTables& found)
{
    QStringList missing;
    for (const Table& t : tables()) {
        const auto it = found.constFind(t.name.toLower());
        if (it == found.constEnd()) {
            missing.append(QStringLiteral("table %1").arg(t.name));
            continue;
        }
        QStringList columns;
        for (const QString& c : *it)
            columns.append(c.toLower());
        for (int i = 0; i < t.columns.size(); ++i) {
            const QString& name = t.columns.at(i).name;
            if (t.columns.at(i).added)
                continue; // created on the way when missing
            if (i < t.positionalCount()) {
                if (i >= columns.size() || columns.at(i) != name.toLower())
                    missing.append(QStringLiteral("%1.%2 at position %3").arg(t.name, name).arg(i));
            } else if (!columns.contains(name.toLower())) {
                missing.append(QStringLiteral("%1.%2").arg(t.name, name));
            }
        }
    }
    return missing;
}

bool noneFound(const FoundTables& found)
{
    for (const Table& t : tables()) {
        if (found.contains(t.name.toLower()))
            return false;
    }
    return true;
}

} // namespace schema
