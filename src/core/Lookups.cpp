#include "core/Lookups.h"

#include "core/Database.h"
#include "core/Schema.h"
#include "core/Session.h"
#include "core/Settings.h"

namespace lookups {

namespace {

qint64 firstNumber(Database& db, const QString& sql, const QVariant& param)
{
    const ResultSet rs = db.query(sql, {param});
    return rs.isEmpty() ? 0 : rs.number(0, 0);
}

QString firstText(Database& db, const QString& sql, const QVariant& param)
{
    const ResultSet rs = db.query(sql, {param});
    return rs.isEmpty() ? QString() : rs.text(0, 0);
}

} // namespace

qint64 deptIdByName(Database& db, const QString& name)
{
    return firstNumber(db, QStringLiteral("select deptAuto from tbldept where deptname=? order by deptAuto"),
                       name);
}

QString deptNameById(Database& db, qint64 id)
{
    return firstText(db, QStringLiteral("select deptName from tbldept where deptAuto=?"), id);
}

QString counterNamesById(Database& db, Session& session, qint64 id)
{
    const ResultSet rs =
        db.query(QStringLiteral("select contName,displayName from tblCounter where cntAuto=?"), {id});
    if (rs.isEmpty()) {
        session.counterDisplayName.clear();
        return QString();
    }
    session.counterDisplayName = rs.text(0, 1);
    return rs.text(0, 0);
}

qint64 counterIdByName(Database& db, const QString& name)
{
    return firstNumber(db, QStringLiteral("select cntAuto from tblCounter where contName=? order by cntAuto"),
                       name);
}

qint64 serviceIdByName(Database& db, const QString& name)
{
    return firstNumber(
        db, QStringLiteral("select servAuto from tblService where Servname=? order by servAuto"), name);
}

QString serviceNameById(Database& db, qint64 id)
{
    return firstText(db, QStringLiteral("select servName from tblService where servAuto=?"), id);
}

QString tokenLabelById(Database& db, qint64 id)
{
    return firstText(db, QStringLiteral("select no_abr from tblTicket where tickAuto=?"), id);
}

qint64 themeIdByName(Database& db, const QString& name)
{
    return firstNumber(
        db, QStringLiteral("select themeauto from tbltheme where themename=? order by themeauto"), name);
}

bool rowExists(Database& db, const QString& table, const QString& column, qint64 number)
{
    // Only names of the schema reach the SQL text.
    const schema::Table* t = schema::table(table);
    const schema::Column* c = t ? t->column(column) : nullptr;
    if (!c)
        throw DbError(QStringLiteral("Invalid column name '%1'.").arg(column));
    return !db.query(QStringLiteral("select 1 from %1 where %2=? limit 1").arg(t->name, c->name), {number})
                .isEmpty();
}

} // namespace lookups

QString counterFilterFor(const QString& counterList)
{
    QStringList terms;
    for (const QString& item : counterList.split(QLatin1Char(','))) {
        bool ok = false;
        const qint64 key = item.trimmed().toLongLong(&ok);
        if (ok)
            terms.append(QStringLiteral("servAuto=%1").arg(key));
    }
    if (terms.isEmpty())
        return QStringLiteral("and 1=1");
    return QStringLiteral("and(") + terms.join(QStringLiteral(" or ")) + QLatin1Char(')');
}

void buildCounterFilter(const Settings& settings, Session& session)
{
    session.counterFilter = counterFilterFor(
        settings.get(QStringLiteral("Q"), QStringLiteral("CounterList"), QString::number(session.themeId)));
}
