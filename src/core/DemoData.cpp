#include "core/DemoData.h"

#include "core/Database.h"
#include "core/PasswordHash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace demo {

qint64 createAdministrator(Database& db, const QString& name, const QString& password)
{
    if (name.trimmed().isEmpty())
        throw DbError(QStringLiteral("The administrator needs a name"));
    if (password.isEmpty())
        throw DbError(QStringLiteral("The administrator needs a password"));
    if (!db.query(QStringLiteral("select userAuto from tbluser where username=?"), {name}).isEmpty())
        throw DbError(QStringLiteral("Existing User, select another Name"));
    return db.insert(QStringLiteral("tbluser"), {{QStringLiteral("username"), name},
                                                 {QStringLiteral("password"), passwords::hash(password)},
                                                 {QStringLiteral("userType"), QStringLiteral("Admin")}});
}

namespace {

struct ServiceSeed
{
    const char* name;
    const char* desc;
    const char* prefix;
    int start;
    int end;
};

struct DeptSeed
{
    const char* name;
    const char* type;
    QVector<ServiceSeed> services;
};

struct CounterSeed
{
    const char* service;
    const char* name;
    const char* display;
    const char* user;
    const char* nameA;
    const char* displayA;
};

} // namespace

bool loadDemoHall(Database& db, const QString& installDir)
{
    if (!db.query(QStringLiteral("select deptAuto from tblDept limit 1")).isEmpty())
        return false;

    Database::Transaction t(db);
    const QVector<DeptSeed> depts = {
        {"General Medicine",
         "Walk-In",
         {{"General Consultation", "Doctor's consultation, ground floor", "A", 1, 999},
          {"Pharmacy", "Collect your medicines", "P", 1, 999}}},
        {"Laboratory", "Walk-In", {{"Blood Test", "Sample collection, room 4", "B", 100, 499}}},
        {"Reports", "Report", {{"Report Collection", "Collect your test reports", "R", 500, 799}}},
        {"Specialists", "Appointment", {{"Cardiology", "By appointment, first floor", "C", 1, 299}}},
        {"Emergency", "Emergency", {{"Emergency Care", "Urgent treatment", "E", 900, 999}}},
    };
    QHash<QString, qint64> serviceIds;
    for (const DeptSeed& d : depts) {
        const qint64 deptId =
            db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QString::fromUtf8(d.name)},
                                                  {QStringLiteral("deptDesc"), QString::fromUtf8(d.type)},
                                                  {QStringLiteral("active"), 1}});
        for (const ServiceSeed& s : d.services) {
            serviceIds.insert(QString::fromUtf8(s.name),
                              db.insert(QStringLiteral("tblService"),
                                        {{QStringLiteral("deptAuto"), deptId},
                                         {QStringLiteral("servName"), QString::fromUtf8(s.name)},
                                         {QStringLiteral("ServDesc"), QString::fromUtf8(s.desc)},
                                         {QStringLiteral("active"), 1},
                                         {QStringLiteral("startno"), s.start},
                                         {QStringLiteral("endno"), s.end},
                                         {QStringLiteral("abrno"), QString::fromUtf8(s.prefix)}}));
        }
    }

    const QVector<CounterSeed> counters = {
        {"General Consultation", "Counter 1", "Room 1", "op1", "काउंटर 1", "कक्ष 1"},
        {"General Consultation", "Counter 2", "Room 2", "op2", "काउंटर 2", "कक्ष 2"},
        {"Pharmacy", "Counter 3", "Pharmacy", "op3", "काउंटर 3", "फार्मेसी"},
        {"Blood Test", "Counter 4", "Lab 4", "op4", "काउंटर 4", "लैब 4"},
        {"Report Collection", "Counter 5", "Reports Desk", "op5", "काउंटर 5", "रिपोर्ट डेस्क"},
        {"Cardiology", "Counter 6", "Cardiology", "op6", "काउंटर 6", "हृदय रोग"},
        {"Emergency Care", "Counter 7", "Emergency", "op7", "काउंटर 7", "आपातकालीन"},
    };
    // Every demo operator has the same password: hashed once (each hash has its own salt, but one
    // salt for a shared demo password gives nothing away).
    const QString operatorHash = passwords::hash(operatorPassword);
    for (const CounterSeed& c : counters) {
        db.insert(QStringLiteral("tblCounter"),
                  {{QStringLiteral("servAuto"), serviceIds.value(QString::fromUtf8(c.service))},
                   {QStringLiteral("contName"), QString::fromUtf8(c.name)},
                   {QStringLiteral("displayName"), QString::fromUtf8(c.display)},
                   {QStringLiteral("username"), QString::fromUtf8(c.user)},
                   {QStringLiteral("pass"), operatorHash},
                   {QStringLiteral("active"), 1},
                   {QStringLiteral("countNameA"), QString::fromUtf8(c.nameA)},
                   {QStringLiteral("displayNameA"), QString::fromUtf8(c.displayA)}});
    }

    // The shipped logo.jpg is the demo clinic's own: stored as its logo, every kiosk prints it.
    const bool media = !installDir.isEmpty();
    const QDir dir(installDir);
    QVariantMap company{{QStringLiteral("compAuto"), 1},
                        {QStringLiteral("compName"), QStringLiteral("City Care Clinic")},
                        {QStringLiteral("compAddress"), QStringLiteral("12 Market Road, Riverside")}};
    if (QFile logo(dir.filePath(QStringLiteral("logo.jpg"))); media && logo.open(QIODevice::ReadOnly))
        company.insert(QStringLiteral("logo"), logo.readAll());
    db.insert(QStringLiteral("tblComp"), company);

    // A dark theme for a 1920 x 1080 hall screen; sizes are at half scale, the board doubles them.
    const qint64 black = 0, white = 16777215, gold = 0x00c8ff /* r=255 g=200 b=0 */, grey = 0x202020,
                 steel = 0x6f4f2f /* r=47 g=79 b=111 */, line = 0x505050, cyan = 0xffe0a0;
    const qint64 themeId =
        db.insert(QStringLiteral("tbltheme"),
                  {{QStringLiteral("themename"), QStringLiteral("Black H")},
                   {QStringLiteral("colums"), 2},
                   {QStringLiteral("rows"), 6},
                   {QStringLiteral("colwidth"), QStringLiteral("2800;5150")},
                   {QStringLiteral("rowheight"), 600},
                   {QStringLiteral("logo"), media ? dir.filePath(QStringLiteral("logo.jpg")) : QString()},
                   {QStringLiteral("displaytime"), 1},
                   {QStringLiteral("clockfile"), media ? QStringLiteral("modern.svg") : QString()},
                   {QStringLiteral("fonttime"), QStringLiteral("Liberation Sans")},
                   {QStringLiteral("sizetime"), 28},
                   {QStringLiteral("clrtime"), white},
                   {QStringLiteral("backgroundclr"), black},
                   {QStringLiteral("linecolor"), line},
                   {QStringLiteral("altcolr"), grey},
                   {QStringLiteral("bgimage"), QString()},
                   {QStringLiteral("hdfont"), QStringLiteral("Liberation Sans")},
                   {QStringLiteral("hdclrbg"), steel},
                   {QStringLiteral("hdfntclr"), white},
                   {QStringLiteral("hdfntsize"), 28},
                   {QStringLiteral("fntcrr"), QStringLiteral("Liberation Sans")},
                   {QStringLiteral("sizecrr"), 56},
                   {QStringLiteral("clrcrr"), gold},
                   {QStringLiteral("bgcrr"), black},
                   {QStringLiteral("fntval"), QStringLiteral("Liberation Sans")},
                   {QStringLiteral("sizeval"), 40},
                   {QStringLiteral("clrval"), cyan},
                   {QStringLiteral("bgval"), black},
                   {QStringLiteral("type"), QStringLiteral("Horrizontal")},
                   {QStringLiteral("screenbg"), black},
                   {QStringLiteral("linewidth"), 2},
                   {QStringLiteral("video"), QString()},
                   {QStringLiteral("onlinevideo"), QString()},
                   {QStringLiteral("volume"), 5},
                   {QStringLiteral("movie"), media ? 1 : 0},
                   {QStringLiteral("ttlname"), QStringLiteral("Welcome to City Care Clinic")},
                   {QStringLiteral("ttlfont"), QStringLiteral("Liberation Sans")},
                   {QStringLiteral("ttlcolor"), white},
                   {QStringLiteral("ttlsize"), 36},
                   {QStringLiteral("scroll"), 0},
                   {QStringLiteral("tformat"), QStringLiteral("dd-MMM-yyyy HH:mm")},
                   {QStringLiteral("enableH"), 1},
                   {QStringLiteral("Column1"), QStringLiteral("Token")},
                   {QStringLiteral("Column2"), QStringLiteral("Counter")},
                   {QStringLiteral("img1"), QString()},
                   {QStringLiteral("img2"), QString()},
                   {QStringLiteral("newsBG"), steel}});
    db.insert(QStringLiteral("tblpos"),
              {{QStringLiteral("themeauto"), themeId}, {QStringLiteral("logoleft"), 150},
               {QStringLiteral("logotop"), 700},       {QStringLiteral("logowidth"), 2400},
               {QStringLiteral("logoheight"), 1300},   {QStringLiteral("timeleft"), 10500},
               {QStringLiteral("timetop"), 700},       {QStringLiteral("timewidth"), 3750},
               {QStringLiteral("timeheight"), 1300},   {QStringLiteral("tblleft"), 300},
               {QStringLiteral("tbltop"), 2100},       {QStringLiteral("tblwidth"), 7950},
               {QStringLiteral("tblheight"), 4800},    {QStringLiteral("videoleft"), 8500},
               {QStringLiteral("videotop"), 2300},     {QStringLiteral("videowidth"), 5700},
               {QStringLiteral("videoheight"), 3300},  {QStringLiteral("meleft"), 0},
               {QStringLiteral("metop"), 0},           {QStringLiteral("mewidth"), 14400},
               {QStringLiteral("meheight"), 8100},     {QStringLiteral("ttlleft"), 150},
               {QStringLiteral("ttltop"), 0},          {QStringLiteral("ttlwidth"), 14100},
               {QStringLiteral("ttlheight"), 600},     {QStringLiteral("newsleft"), 0},
               {QStringLiteral("newstop"), 7400},      {QStringLiteral("newswidth"), 14400},
               {QStringLiteral("newsheight"), 650},    {QStringLiteral("newsBG"), steel}});
    db.insert(QStringLiteral("tblheader"), {{QStringLiteral("head1"), QStringLiteral("Token")},
                                            {QStringLiteral("head2"), QStringLiteral("Counter")},
                                            {QStringLiteral("head3"), QStringLiteral("काउंटर")},
                                            {QStringLiteral("head4"), QString()},
                                            {QStringLiteral("head5"), QString()},
                                            {QStringLiteral("head6"), QString()},
                                            {QStringLiteral("spacer"), QString()},
                                            {QStringLiteral("themeauto"), themeId}});

    const QStringList news = {
        QStringLiteral("Please keep your token with you until you are called."),
        QStringLiteral("The pharmacy is open from 8:00 to 20:00 every day."),
        QStringLiteral("Free blood pressure check on Saturdays at the laboratory."),
    };
    for (const QString& message : news) {
        db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), message},
                                                {QStringLiteral("msgrtf"), QString()},
                                                {QStringLiteral("msgrtf2"), QString()},
                                                {QStringLiteral("active"), 1},
                                                {QStringLiteral("font"), QStringLiteral("Liberation Sans")},
                                                {QStringLiteral("size"), 28},
                                                {QStringLiteral("color"), white},
                                                {QStringLiteral("bold"), 1},
                                                {QStringLiteral("italic"), 0},
                                                {QStringLiteral("direction"), QStringLiteral("Left")}});
    }
    if (media) {
        const QStringList playlist = {QStringLiteral("files/video/demo.ogv"),
                                      QStringLiteral("files/video/welcome.svg"),
                                      QStringLiteral("files/video/hours.svg")};
        for (const QString& file : playlist)
            db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), dir.filePath(file)},
                                                   {QStringLiteral("vidDesc"), QFileInfo(file).baseName()},
                                                   {QStringLiteral("active"), 1}});
    }
    t.commit();
    return true;
}

} // namespace demo
