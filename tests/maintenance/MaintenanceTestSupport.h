#pragma once

#include "core/CommandRegistry.h"
#include "testsupport/TestEnv.h"

#include <QDate>
#include <QTextStream>

namespace maintenancetest {

inline qint64 addTicket(Database& db, qint64 servAuto, int no, const QString& label, const QString& date,
                        bool called, qint64 counter = 0, const QString& from = {}, const QString& to = {})
{
    return db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), servAuto},
                                                   {QStringLiteral("tickNo"), no},
                                                   {QStringLiteral("tickDate"), date},
                                                   {QStringLiteral("tickTime"), QStringLiteral("09:00:00")},
                                                   {QStringLiteral("call"), called ? 1 : 0},
                                                   {QStringLiteral("no_abr"), label},
                                                   {QStringLiteral("attended"), counter},
                                                   {QStringLiteral("attTime"), from},
                                                   {QStringLiteral("finished"), to},
                                                   {QStringLiteral("status"), QString()},
                                                   {QStringLiteral("ttype"), QStringLiteral("N")}});
}

inline qint64 addCall(Database& db, qint64 servAuto, const QString& label, const QString& date)
{
    return db.insert(QStringLiteral("tblCall"), {{QStringLiteral("servAuto"), servAuto},
                                                 {QStringLiteral("no_abr"), label},
                                                 {QStringLiteral("displayName"), QStringLiteral("Room 1")},
                                                 {QStringLiteral("status1"), 0},
                                                 {QStringLiteral("tickAuto"), 0},
                                                 {QStringLiteral("tickDate"), date},
                                                 {QStringLiteral("contName"), QStringLiteral("Counter 1")}});
}

inline qint64 count(Database& db, const QString& table)
{
    return db.query(QStringLiteral("select count(*) from ") + table).number(0, 0);
}

inline int runCommand(TestEnv& env, const QString& name, const QStringList& args, QString* outText = nullptr,
                      QString* errText = nullptr)
{
    QString outBuf, errBuf;
    QTextStream out(&outBuf), err(&errBuf);
    const CommandRegistry::Command* c = env.commands.find(name);
    EXPECT_NE(c, nullptr) << name.toStdString();
    const int rc = c ? c->run(*env.ctx, args, out, err) : -1;
    out.flush();
    err.flush();
    if (outText)
        *outText = outBuf;
    if (errText)
        *errText = errBuf;
    return rc;
}

} // namespace maintenancetest
