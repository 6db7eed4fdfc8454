#include "core/Schema.h"

namespace schema {

namespace {

Column key(const char* n)
{
    return {QString::fromLatin1(n), Type::Key};
}
Column integer(const char* n)
{
    return {QString::fromLatin1(n), Type::Integer};
}
Column text(const char* n)
{
    return {QString::fromLatin1(n), Type::Text};
}
Column flag(const char* n)
{
    return {QString::fromLatin1(n), Type::Flag};
}
Column blob(const char* n)
{
    return {QString::fromLatin1(n), Type::Blob};
}
Column added(Column c)
{
    c.added = true;
    return c;
}

QVector<Table> makeTables()
{
    return {
        {QStringLiteral("tblDept"), {key("deptAuto"), text("deptName"), text("deptDesc"), flag("active")}},
        {QStringLiteral("tblService"),
         {key("servAuto"), integer("deptAuto"), text("servName"), text("ServDesc"), flag("active"),
          integer("startno"), integer("endno"), text("abrno"),
          // added later: the service-level target, a share in percent of tokens called within a wait
          // in minutes ("80 % within 10 minutes"); 0 or empty: no target
          added(integer("targetpct")), added(integer("targetwait")),
          // added later: minutes a walk-in may be held back by emergencies and appointments before it is
          // called first (0 or empty: no cap), and whether visitors may join the queue from their phones
          added(integer("capwait")), added(flag("phonejoin"))},
         5},
        {QStringLiteral("tblCounter"),
         {key("cntAuto"), integer("servAuto"), text("contName"), text("displayName"), text("username"),
          text("pass"), flag("active"), text("countNameA"), text("displayNameA")}},
        {QStringLiteral("tblTicket"),
         {key("tickAuto"), integer("servAuto"), integer("tickNo"), text("tickDate"), text("tickTime"),
          flag("call"), text("no_abr"), integer("attended"), text("attTime"), text("finished"),
          text("status"), text("ref"), text("ttype"), text("apptime"),
          // added later: the visitor's page code and the waiting estimate given at issue, in minutes
          added(text("webcode")), added(integer("estwait")),
          // added later: the services before the latest of a token handed on between counters
          added(text("legs")),
          // the visitor's language ("hi"), which the ticket, its page and its announcement speak
          added(text("lang")),
          // where the token was taken: "phone" for one taken from the visitor's phone, empty at a kiosk
          added(text("origin"))},
         6},
        {QStringLiteral("tblCall"),
         {key("callauto"), integer("servAuto"), text("no_abr"), text("displayName"), flag("status1"),
          integer("tickAuto"), text("tickDate"), text("contName"), text("displayNameA"), text("countNameA"),
          // added later: the moment a call was made or recalled, in the order boards that follow
          // every call read them (written by the store's trigger)
          added(integer("callstamp")),
          // added later: why the call took its token (a rule code), the seconds it had waited and the
          // waiting tokens the call passed over
          added(text("whyrule")), added(integer("whywait")), added(integer("whypassed")),
          // added later: how many times the call was made again (recalls), so that a counter may mark a
          // visitor who does not come only after calling them enough
          added(integer("recalls"))}},
        {QStringLiteral("tblServiceNo"),
         {key("snoAuto"), integer("servAuto"), text("sdate"), integer("sno"), flag("active")}},
        {QStringLiteral("tbluser"), {key("userAuto"), text("username"), text("password"), text("userType")}},
        {QStringLiteral("tblComp"),
         {key("compAuto"), text("compName"), text("compAddress"),
          // added later: the hall's logo printed on its tickets, the picture file's bytes
          added(blob("logo"))},
         3},
        {QStringLiteral("tblvideo"), {key("vidAuto"), text("vidName"), text("vidDesc"), flag("active")}},
        {QStringLiteral("tblscroll"),
         {key("scrollAuto"), text("message"), text("msgrtf"), text("msgrtf2"), flag("active"), text("font"),
          integer("size"), integer("color"), flag("bold"), flag("italic"), text("direction")}},
        {QStringLiteral("tbltheme"),
         {key("themeauto"), text("themename"), integer("colums"), integer("rows"), text("colwidth"),
          integer("rowheight"), text("logo"), integer("displaytime"), text("clockfile"), text("fonttime"),
          integer("sizetime"), integer("clrtime"), integer("backgroundclr"), integer("linecolor"),
          integer("altcolr"), text("bgimage"), text("hdfont"), integer("hdclrbg"), integer("hdfntclr"),
          integer("hdfntsize"), text("fntcrr"), integer("sizecrr"), integer("clrcrr"), integer("bgcrr"),
          text("fntval"), integer("sizeval"), integer("clrval"), integer("bgval"), text("type"),
          integer("screenbg"), integer("linewidth"), text("video"), text("onlinevideo"), integer("volume"),
          integer("movie"), text("ttlname"), text("ttlfont"), integer("ttlcolor"), integer("ttlsize"),
          // addressed by name only
          integer("scroll"), text("tformat"), integer("enableH"), text("Column1"), text("Column2"),
          text("img1"), text("img2"), integer("newsBG"),
          // added later: the keys of the counters the theme's boards show, ";"-separated; empty: every one
          added(text("counters"))},
         39},
        {QStringLiteral("tblpos"),
         {key("posAuto"), integer("themeauto"), integer("logoleft"), integer("logotop"), integer("logowidth"),
          integer("logoheight"), integer("timeleft"), integer("timetop"), integer("timewidth"),
          integer("timeheight"), integer("tblleft"), integer("tbltop"), integer("tblwidth"),
          integer("tblheight"), integer("videoleft"), integer("videotop"), integer("videowidth"),
          integer("videoheight"), integer("meleft"), integer("metop"), integer("mewidth"),
          integer("meheight"), integer("ttlleft"), integer("ttltop"), integer("ttlwidth"),
          integer("ttlheight"), integer("newsleft"), integer("newstop"), integer("newswidth"),
          integer("newsheight"),
          // addressed by name only
          integer("newsBG")},
         30},
        {QStringLiteral("tblheader"),
         {key("headAuto"), text("head1"), text("head2"), text("head3"), text("head4"), text("head5"),
          text("head6"), text("spacer"),
          // addressed by name only
          integer("themeauto")},
         8},
    };
}

} // namespace

const Column* Table::column(const QString& n) const
{
    for (const Column& c : columns) {
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

const QVector<Table>& tables()
{
    static const QVector<Table> all = makeTables();
    return all;
}

const Table* table(const QString& name)
{
    for (const Table& t : tables()) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

QString tokenNumberRoutineName()
{
    return QStringLiteral("brivane_token_number");
}

// Each statement of a volatile routine sees what was committed when it starts, so the highest number
// is read after the lock was granted; PL/pgSQL keeps its plans for the connection. The lock is held
// until the issuing statement's transaction ends. The number is the one asked for when it is free,
// otherwise the next after the highest of the day. Both looks go down the number index from a point
// (see routinePlanSetting), so each reads a few index pages however long the day.
QString tokenNumberRoutineBody()
{
    return QStringLiteral(" declare top bigint; begin "
                          "perform pg_advisory_xact_lock(%1, cast(service % 2147483647 as integer)); "
                          "select tickno into top from tblticket where servauto = service and tickdate = day "
                          "order by tickno desc limit 1; "
                          "if top is null or wanted > top then return wanted; end if; "
                          "if (select tickno from tblticket where servauto = service and tickdate = day "
                          "and tickno <= wanted order by tickno desc limit 1) = wanted then return top + 1; "
                          "end if; return wanted; end ")
        .arg(numberingLockSpace);
}

QString routinePlanSetting()
{
    return QStringLiteral("enable_sort=off");
}

// The day's highest number is read by the number index backwards. Planned with statistics of an
// earlier hour (today's tickets are newer than the last analysis), or before the table had any, any
// index on the day looks as good, and a plan that reads the whole day and sorts it would stay for the
// connection's life: sorting is kept out of the routines' plans, which leaves the number index the
// only way to their order.
QString tokenNumberRoutineDdl()
{
    return QStringLiteral(
               "create or replace function %1(service bigint, day text, wanted bigint) returns bigint "
               "language plpgsql volatile set %3 as $$%2$$")
        .arg(tokenNumberRoutineName(), tokenNumberRoutineBody(), routinePlanSetting());
}

QString nextNumberRoutineName()
{
    return QStringLiteral("brivane_token_next");
}

QString nextNumberRoutineBody()
{
    return QStringLiteral(" begin return (select coalesce((select t.tickno + 1 from tblticket t where "
                          "t.servauto = service and t.tickdate = day order by t.tickno desc limit 1), "
                          "s.startno) from tblservice s where s.servauto = service); end ");
}

QString nextNumberRoutineDdl()
{
    return QStringLiteral("create or replace function %1(service bigint, day text) returns bigint "
                          "language plpgsql stable set %3 as $$%2$$")
        .arg(nextNumberRoutineName(), nextNumberRoutineBody(), routinePlanSetting());
}

} // namespace schema
