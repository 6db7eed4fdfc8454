#include "core/Database.h"

#include "core/Schema.h"

#include <QSqlQuery>

// Rows by table and column name: values are turned into the column's kind before they are bound.

QString Database::flag(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    const QString t = value.toString().trimmed();
    if (t == QLatin1String("1") || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
        t == QLatin1String("-1"))
        return QStringLiteral("1");
    return QStringLiteral("0");
}

QVariant Database::coerce(const QString& tableName, const QString& column, const QVariant& value) const
{
    const schema::Table* table = schema::table(tableName);
    const schema::Column* col = table ? table->column(column) : nullptr;
    if (!col)
        throw DbError(QStringLiteral(
            "Item cannot be found in the collection corresponding to the requested name or ordinal."));
    if (value.isNull())
        return QVariant();
    switch (col->type) {
    case schema::Type::Flag:
        return flag(value);
    case schema::Type::Integer:
    case schema::Type::Key: {
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? 1 : 0;
        const QString t = value.toString().trimmed();
        if (t.isEmpty())
            return QVariant();
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (ok)
            return n;
        const double d = t.toDouble(&ok);
        if (ok)
            return qint64(d);
        throw DbError(QStringLiteral("Type mismatch: \"%1\" is not a number for %2").arg(t, col->name));
    }
    case schema::Type::Text:
        if (value.typeId() == QMetaType::Bool)
            return flag(value);
        return value.toString();
    case schema::Type::Blob:
        return value.toByteArray();
    }
    return value;
}

qint64 Database::insert(const QString& tableName, const QVariantMap& values)
{
    const schema::Table* table = schema::table(tableName);
    if (!table)
        throw DbError(QStringLiteral("Invalid object name '%1'.").arg(tableName));
    QStringList names;
    QStringList marks;
    QVariantList params;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const schema::Column* col = table->column(it.key());
        if (!col)
            throw DbError(QStringLiteral("Invalid column name '%1'.").arg(it.key()));
        names.append(col->name);
        marks.append(QStringLiteral("?"));
        params.append(coerce(table->name, col->name, it.value()));
    }
    QString sql = names.isEmpty()
                      ? QStringLiteral("insert into %1 default values").arg(table->name)
                      : QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(table->name, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    if (m_kind == Kind::Postgres) {
        sql += QStringLiteral(" returning ") + table->key();
        const ResultSet rs = query(sql, params);
        return rs.isEmpty() ? 0 : rs.number(0, 0);
    }
    qint64 key = 0;
    run(sql, params, Effect::Write, [&](QSqlQuery& q) { key = q.lastInsertId().toLongLong(); });
    return key;
}

qint64 Database::update(const QString& tableName, qint64 key, const QVariantMap& values)
{
    const schema::Table* table = schema::table(tableName);
    if (!table)
        throw DbError(QStringLiteral("Invalid object name '%1'.").arg(tableName));
    if (values.isEmpty())
        return 0;
    QStringList sets;
    QVariantList params;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const schema::Column* col = table->column(it.key());
        if (!col)
            throw DbError(QStringLiteral("Invalid column name '%1'.").arg(it.key()));
        sets.append(col->name + QStringLiteral("=?"));
        params.append(coerce(table->name, col->name, it.value()));
    }
    params.append(key);
    return exec(QStringLiteral("update %1 set %2 where %3=?")
                    .arg(table->name, sets.join(QLatin1Char(',')), table->key()),
                params);
}
