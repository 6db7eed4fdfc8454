#include "display/NewHall.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "display/ThemeDefaults.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

namespace newHall {

namespace {

struct Kind
{
    const char* type; // deptDesc, as the kiosk's options list it
    const char* department;
    const char* service;
    const char* description;
    const char* prefixes; // the first one no service uses yet is taken
};

const Kind kinds[] = {
    {"Walk-In", "General", "General Service", "Please wait for your number", "AGWSN"},
    {"Report", "Reports", "Report Collection", "Collect your reports", "RTQU"},
    {"Appointment", "Appointments", "Appointment", "By appointment", "PBKM"},
    {"Emergency", "Emergency", "Emergency", "Urgent care", "EXYZ"},
};

QString freePrefix(Database& db, const char* candidates)
{
    const ResultSet used = db.query(QStringLiteral("select distinct upper(abrno) from tblservice"));
    QStringList taken;
    for (int r = 0; r < used.size(); ++r)
        taken.append(used.text(r, 0).trimmed());
    for (const QChar c : QString::fromLatin1(candidates)) {
        if (!taken.contains(QString(c)))
            return QString(c);
    }
    // Every letter of the list is in use: two letters make one that is not.
    for (const QChar c : QString::fromLatin1(candidates)) {
        const QString two = QString(c) + c;
        if (!taken.contains(two))
            return two;
    }
    return QString::fromLatin1(candidates).left(1) + QStringLiteral("N");
}

// The screen the board opens on: the primary one for "Single", the one to its right otherwise.
QSize boardScreen(Settings& settings)
{
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return QSize(1920, 1080);
    const QString mode = settings.get(QStringLiteral("Queue"), QStringLiteral("theme"),
                                      QStringLiteral("screen"), QStringLiteral("Single"));
    QScreen* screen = primary;
    if (mode != QLatin1String("Single")) {
        if (QScreen* right = QGuiApplication::screenAt(QPoint(primary->geometry().width(), 0)))
            screen = right;
    }
    return screen->geometry().size();
}

} // namespace

bool needsSetUp(Database& db)
{
    return db.query(QStringLiteral("select themeauto from tbltheme limit 1")).isEmpty();
}

Made setUp(Database& db, const QSize& screenPixels, const QStringList& fontFamilies)
{
    Made made;
    Database::Transaction t(db);
    const QMap<QString, QVariant> theme = themeDefaults::hallTheme(screenPixels, fontFamilies);
    made.themeId = db.insert(QStringLiteral("tbltheme"), theme);
    saveLayoutRow(db, made.themeId, themeDefaults::hallLayout(themeDefaults::hallSurface(screenPixels)));
    made.themeName = theme.value(QStringLiteral("themename")).toString();

    for (const Kind& kind : kinds) {
        const QString type = QString::fromLatin1(kind.type);
        if (!db.query(QStringLiteral("select deptAuto from tblDept where deptDesc=? limit 1"), {type})
                 .isEmpty())
            continue;
        const QString prefix = freePrefix(db, kind.prefixes);
        const qint64 dept = db.insert(QStringLiteral("tblDept"),
                                      {{QStringLiteral("deptName"), QString::fromLatin1(kind.department)},
                                       {QStringLiteral("deptDesc"), type},
                                       {QStringLiteral("active"), 1}});
        db.insert(QStringLiteral("tblService"),
                  {{QStringLiteral("deptAuto"), dept},
                   {QStringLiteral("servName"), QString::fromLatin1(kind.service)},
                   {QStringLiteral("ServDesc"), QString::fromLatin1(kind.description)},
                   {QStringLiteral("active"), 1},
                   {QStringLiteral("startno"), 1},
                   {QStringLiteral("endno"), 999},
                   {QStringLiteral("abrno"), prefix}});
        made.departments.append(QString::fromLatin1(kind.department));
    }
    t.commit();
    return made;
}

void offer(AppContext& ctx)
{
    try {
        if (!needsSetUp(ctx.db))
            return;
    } catch (const DbError&) {
        return;
    }
    if (!ctx.dialogs.askYesNo(
            QCoreApplication::translate(
                "NewHall",
                "This hall has no display theme yet.\n\nSet up a ready hall now? It adds the theme "
                "\"%1\" for this screen (chosen for this workstation) and a department of each kind "
                "the kiosks list (Walk-In, Report, Appointment, Emergency) that the hall has none of. "
                "Everything can be changed later.")
                .arg(themeDefaults::hallThemeName),
            Dialogs::Icon::Question, QCoreApplication::translate("NewHall", "New hall")))
        return;
    Made made;
    try {
        made = setUp(ctx.db, boardScreen(ctx.settings), QFontDatabase::families());
    } catch (const DbError& e) {
        ctx.dialogs.message(e.description(), Dialogs::Buttons::Ok, Dialogs::Icon::Warning);
        return;
    }
    ctx.settings.set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"),
                     made.themeName);
    ctx.session.themeId = made.themeId;
    QString text = QCoreApplication::translate(
                       "NewHall", "The theme \"%1\" is ready: Modules > Start Display shows the board.")
                       .arg(made.themeName);
    if (!made.departments.isEmpty())
        text += QCoreApplication::translate("NewHall", "\nDepartments added: %1 (one service each).")
                    .arg(made.departments.join(QStringLiteral(", ")));
    text += QCoreApplication::translate("NewHall",
                                        "\nNext: add counters and their operators (File > Manage Counter).");
    ctx.dialogs.message(text, Dialogs::Buttons::Ok, Dialogs::Icon::Information,
                        QCoreApplication::translate("NewHall", "New hall"));
}

} // namespace newHall
