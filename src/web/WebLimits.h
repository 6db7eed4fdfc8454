#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// What one stranger may hold of brivane-web, each limit in one place with its reason. The server
// answers GET requests for small pages and a small form posted to the staff log-in, so every limit can
// be tight.
namespace weblimits {

// A request's head (request line and header lines) must be complete this long after the connection
// opened or after the previous answer was sent. A phone sends its head in one packet; a client that
// dribbles it byte by byte (slowloris) only holds a connection.
constexpr int HeadTimeoutMs = 10000;
// A kept-alive connection on which nothing comes is closed after this long. A browser asks for a
// page's files within a second of the page; an idle connection only costs a file handle.
constexpr int IdleTimeoutMs = 15000;
// After a refusal (4xx) the answer is flushed and the connection closed; a client that reads
// nothing is cut off after this long.
constexpr int LingerMs = 2000;

// The longest request line ("GET /t/CODE?x HTTP/1.1"): the longest address served is far shorter.
constexpr int MaxRequestLine = 4096;
// The whole head. A browser sends well under 2 KiB here (the only cookies set are short: a staff
// session and a phone's join budget).
constexpr int MaxHeadBytes = 16384;
// The bodies the server reads: the staff log-in form (a user name and a password, form-encoded), a
// visitor's choice of service (a key and a language) and a ticket page's alert (a choice and a phone
// number), posted to the few form paths (isFormPath). A name
// and a password of a few dozen characters each take well under 1 KiB even when every character is
// percent-encoded three times over.
constexpr int MaxFormBody = 2048;

// Bytes a connection's socket reads ahead of what has been handled: a head fits; a body, which is
// never read, does not pile up in memory.
constexpr int SocketReadBuffer = 65536;

// Open connections from one client address: its pages (at most PagesPerClient pushed connections)
// and a few for their files and reloads. A phone is counted by its own address, also on IPv6.
constexpr int PagesPerClient = 16;
constexpr int ConnectionsPerClient = 2 * PagesPerClient;
// Open connections in all; the server also keeps this many file handles below the process's limit
// for its database connections, files and listening socket.
constexpr int MaxConnections = 4000;
constexpr int FileHandlesKept = 64;
// Pushed connections (open boards and ticket pages) in all: a part of all connections, so that
// plain requests are still answered when every page slot is taken.
constexpr double PagesShareOfConnections = 0.75;

// Requests queued for the database readers at most; more are answered 503 at once rather than
// waiting behind a slow database.
constexpr int MaxQueuedReads = 64;
// Reads in progress or queued for one client address.
constexpr int ReadsPerClient = 4;
// Database readers, each on a thread with its own connection: a locked table holds up at most this
// many requests, the others go on.
constexpr int ReaderThreads = 4;
// How long one statement of a reader, and of the server's own connection (calls, pushed pages), may
// run. A visitor's page waits no longer than this for a locked table; a later reload tries again.
constexpr int ReadTimeoutMs = 2000;
constexpr int OwnConnectionTimeoutMs = 1000;

// Pipelined requests on one connection waiting for their answers.
constexpr int MaxPipelined = 4;

// The paths a form may be posted to, with a body of at most MaxFormBody bytes.
inline bool isFormPath(const char* path, qsizetype length)
{
    const auto is = [&](const char* p) {
        return qstrlen(p) == size_t(length) && qstrncmp(path, p, length) == 0;
    };
    // A ticket page's near-turn alert: /t/CODE/alert.
    const QByteArrayView p(path, length);
    const bool alert = p.startsWith("/t/") && p.endsWith("/alert") && p.size() > 9;
    return is("/manager/login") || is("/manager/logout") || is("/join") || alert;
}

} // namespace weblimits
