#include "bench/BenchKinds.h"

#include "core/WorkstationKinds.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace bench {

namespace {

QString newPassword()
{
    static const char letters[] = "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    QString password;
    for (int i = 0; i < 20; ++i)
        password.append(QLatin1Char(letters[QRandomGenerator::system()->bounded(int(sizeof letters) - 1)]));
    return password;
}

// The login of one kind, made or given a fresh password, and made a workstation of that kind.
Target kindLogin(Database& owner, const Target& target, kinds::Kind kind, QString& error)
{
    Target t = target;
    const QString database = owner.query(QStringLiteral("select current_database()")).text(0, 0);
    t.values.user = (database + QStringLiteral("_bench_") + kinds::name(kind)).toLower();
    t.values.password = newPassword();
    const bool exists =
        !owner.query(QStringLiteral("select 1 from pg_roles where rolname = ?"), {t.values.user}).isEmpty();
    // Names of lower-case letters, digits and _ (the database's name is checked below) and a password of
    // letters and digits: nothing in them needs quoting.
    owner.exec(QStringLiteral("%1 role \"%2\" login password '%3'")
                   .arg(exists ? QStringLiteral("alter") : QStringLiteral("create"), t.values.user,
                        t.values.password));
    error = kinds::grantKind(owner, kind, t.values.user);
    return t;
}

} // namespace

WorkerTargets ownerTargets(const Target& owner)
{
    return {owner, owner, owner};
}

WorkerTargets kindTargets(Database& owner, const Target& target, QString& error)
{
    WorkerTargets targets = ownerTargets(target);
    if (!target.postgres) {
        error =
            QStringLiteral("--kinds needs a PostgreSQL hall: an embedded hall has no kinds of workstation");
        return targets;
    }
    const QString database = owner.query(QStringLiteral("select current_database()")).text(0, 0);
    static const QRegularExpression plainName(QStringLiteral("^[a-z_][a-z0-9_]*$"));
    if (!plainName.match(database).hasMatch()) {
        error = QStringLiteral("--kinds makes logins named after the database: %1 is not a name of "
                               "lower-case letters, digits and _")
                    .arg(database);
        return targets;
    }
    targets.kiosk = kindLogin(owner, target, kinds::Kind::Kiosk, error);
    if (error.isEmpty())
        targets.counter = kindLogin(owner, target, kinds::Kind::Counter, error);
    if (error.isEmpty())
        targets.board = kindLogin(owner, target, kinds::Kind::Board, error);
    return targets;
}

} // namespace bench
