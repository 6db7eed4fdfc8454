// brivane-web: the hall over HTTP for any browser (the board) and for the visitors' phones (their
// tickets), from the same database as the desktop program. It only reads.
#include "app/ConsoleProgram.h"
#include "core/Database.h"
#include "core/LanguageSettings.h"
#include "web/CallFeed.h"
#include "web/CallFollower.h"
#include "web/TextGateway.h"
#include "web/TextMessages.h"
#include "web/WebConfig.h"
#include "web/WebServer.h"

#include <QTextStream>
#include <sys/resource.h>

namespace {

void usage(QTextStream& s)
{
    s << "usage: brivane-web [--db FILE | --path-file FILE] [--address ADDRESS] [--port PORT] [--rate N]"
      << Qt::endl
      << "                   [--staff-listen ADDRESS:PORT] [--origin URL]... [--board-address ADDRESS]..."
      << Qt::endl
      << "  Serves /board?theme=NAME and the visitors' ticket pages /t/CODE on ADDRESS:PORT only." << Qt::endl
      << "  Defaults: the settings Queue / Web / listen, port and rate (requests a minute per client),"
      << Qt::endl
      << "  else 127.0.0.1, 8080 and 120." << Qt::endl
      << "  --origin URL: an address the pages are reached at (http://192.168.50.2:8080, https://HOST);"
      << Qt::endl
      << "  pages of other sites may not connect. Default: the setting Queue / Web / origins; the" << Qt::endl
      << "  listening address and localhost at PORT are always accepted." << Qt::endl
      << "  The staff page /manager (administrators log in) is served on ADDRESS:PORT, or with" << Qt::endl
      << "  --staff-listen (or the setting Queue / Web / stafflisten) on that address only." << Qt::endl
      << "  --board-address ADDRESS: a TV showing /board?screen=NAME; only the boards of these" << Qt::endl
      << "  addresses record the calls they drew. Default: the setting Queue / Web / boards, else any."
      << Qt::endl
      << "  Texts of near-turn alerts go out through the setting Queue / Sms / command (run with the"
      << Qt::endl
      << "  number and the text) or Queue / Sms / url (posted the two as a form)." << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    ConsoleProgram console(argc, argv);
    QTextStream& out = console.out;
    QTextStream& err = console.err;
    QStringList& args = console.args;
    if (args.contains(QLatin1String("--help"))) {
        usage(out);
        return 0;
    }
    Program& program = console.program();

    // Pages of tickets without a chosen language, and boards asked for none, speak the workstation's.
    languageSettings::apply(program.settings);
    WebConfig config = WebConfig::fromSettings(program.settings);
    const QString optionError = config.applyOptions(args);
    if (!optionError.isEmpty() || !args.isEmpty()) {
        err << (optionError.isEmpty() ? QStringLiteral("unknown argument: ") + args.first() : optionError)
            << Qt::endl;
        usage(err);
        return 2;
    }

    // The web server only reads the hall: it never makes a database where none is, nor changes the
    // schema of one.
    const QString error =
        openCommandLineDatabase(console.ctx(), console.dbFile, console.pathFile, Database::Creation::AsItIs);
    if (!error.isEmpty()) {
        err << error << Qt::endl;
        return 1;
    }
    // It serves the board and the tickets' pages: a login that may not read the calls (a kiosk's, say)
    // is told so in one sentence instead of serving pages that fail one by one. A board login is
    // enough, and so is one that may only read the tables; the owner's works too.
    if (!program.db.rights().allows(WorkstationRights::Act::ReadCalls)) {
        err << program.db.rights().refusal() << Qt::endl;
        return 1;
    }
    // Its own connection follows the calls and opens pages on the event loop: a locked table holds it
    // up for a moment only (requests are read on connections of their own).
    program.db.setStatementTimeout(weblimits::OwnConnectionTimeoutMs);
    struct rlimit files
    {
    };
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY)
        config.fitFileLimit(qint64(files.rlim_cur));

    CallFeed feed;
    WebServer server(program.db, program.settings, program.clock, feed, config);
    CallFollower follower(program.db, program.clock, feed);
    QObject::connect(&follower, &CallFollower::storeReachable, &server.pages(), &PushHub::setStoreReachable);
    follower.start();
    // Texts of the near-turn alerts go out from here, in the background of the event loop.
    TextGateway gateway(TextGatewayConfig::fromSettings(program.settings));
    TextMessages texts(program.db, program.clock, gateway);
    server.pages().alerts().textDue = [&texts](qint64 ticket) { texts.due(ticket); };
    texts.start();
    const QString listenError = server.start();
    if (!listenError.isEmpty()) {
        err << listenError << Qt::endl;
        return 1;
    }
    QString host = config.address.toString();
    if (config.address.protocol() == QAbstractSocket::IPv6Protocol)
        host = QLatin1Char('[') + host + QLatin1Char(']');
    out << "brivane-web: http://" << host << ':' << server.port() << "/board?theme=NAME" << Qt::endl;
    if (server.staffPort() != 0)
        out << "brivane-web: staff page on port " << server.staffPort() << Qt::endl;
    out << "brivane-web: at most " << config.connectionsInAll << " connections, "
        << config.connectionsPerClient << " per client address" << Qt::endl;
    return console.exec();
}
