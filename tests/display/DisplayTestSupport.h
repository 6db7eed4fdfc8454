#pragma once

#include "core/Database.h"

#include <QString>
#include <QVariantMap>

// A call row as a counter writes it: status1 "0", for the given date.
inline qint64 addCall(Database& db, qint64 counter, const QString& label, const QString& displayName,
                      const QString& date, const QString& contName = QString(),
                      const QString& displayNameA = QString(), const QString& countNameA = QString())
{
    return db.insert(QStringLiteral("tblCall"), {{QStringLiteral("servAuto"), counter},
                                                 {QStringLiteral("no_abr"), label},
                                                 {QStringLiteral("displayName"), displayName},
                                                 {QStringLiteral("status1"), QStringLiteral("0")},
                                                 {QStringLiteral("tickAuto"), 1},
                                                 {QStringLiteral("tickDate"), date},
                                                 {QStringLiteral("contName"), contName},
                                                 {QStringLiteral("displayNameA"), displayNameA},
                                                 {QStringLiteral("countNameA"), countNameA}});
}

inline QString status1Of(Database& db, qint64 callAuto)
{
    return db.query(QStringLiteral("select status1 from tblCall where callauto=?"), {callAuto}).text(0, 0);
}

// A theme row with the values a test names over sensible defaults.
inline qint64 addTheme(Database& db, const QVariantMap& overrides = {})
{
    QVariantMap v{{QStringLiteral("themename"), QStringLiteral("Hall")},
                  {QStringLiteral("colums"), 2},
                  {QStringLiteral("rows"), 4},
                  {QStringLiteral("colwidth"), QStringLiteral("1250;1500")},
                  {QStringLiteral("rowheight"), 300},
                  {QStringLiteral("displaytime"), 0},
                  {QStringLiteral("backgroundclr"), 0},
                  {QStringLiteral("linecolor"), 255},
                  {QStringLiteral("altcolr"), 65280},
                  {QStringLiteral("hdclrbg"), 16711680},
                  {QStringLiteral("hdfntclr"), 16777215},
                  {QStringLiteral("hdfntsize"), 12},
                  {QStringLiteral("fntcrr"), QStringLiteral("Liberation Sans")},
                  {QStringLiteral("sizecrr"), 20},
                  {QStringLiteral("clrcrr"), 65535},
                  {QStringLiteral("fntval"), QStringLiteral("Liberation Sans")},
                  {QStringLiteral("sizeval"), 16},
                  {QStringLiteral("clrval"), 16777215},
                  {QStringLiteral("type"), QStringLiteral("Vertical")},
                  {QStringLiteral("screenbg"), 0},
                  {QStringLiteral("linewidth"), 2},
                  {QStringLiteral("ttlname"), QStringLiteral("Welcome")},
                  {QStringLiteral("ttlsize"), 20},
                  {QStringLiteral("ttlcolor"), 16777215},
                  {QStringLiteral("scroll"), 0},
                  {QStringLiteral("enableH"), 1},
                  {QStringLiteral("Column1"), QStringLiteral("Token")},
                  {QStringLiteral("Column2"), QStringLiteral("Counter")},
                  {QStringLiteral("newsBG"), 128}};
    for (auto it = overrides.constBegin(); it != overrides.constEnd(); ++it)
        v.insert(it.key(), it.value());
    return db.insert(QStringLiteral("tbltheme"), v);
}
