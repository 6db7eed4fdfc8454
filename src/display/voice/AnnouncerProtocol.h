#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

struct CallRow;

// What the board tells the hall announcer: one line of JSON per call shown, over a local socket that
// belongs to one installation folder and one user.
namespace announcer {

// The call as the announcer needs it: the token label and the counter's captions.
struct ShownCall
{
    QString tokenLabel;
    QString caption;       // the counter's display name
    QString secondLine;    // the counter's name, when the call carries it
    QString captionA;      // the counter's display name in the second language
    int boardRows = 0;     // the rows of the board's call table (0: not known)
    QString language = {}; // the visitor's language of the ticket ("hi"); "" when none was chosen
    // Which showing of which call it is, and the board that records its receipt (0 / "": none; such a
    // call is spoken all the same and acknowledged to nobody).
    qint64 callAuto = 0;
    qint64 stamp = 0;
    QString screen = {};
};

ShownCall shownCall(const CallRow& call);

QByteArray encode(const ShownCall& call);
// One line without its line end; nothing when it is not a message.
std::optional<ShownCall> decode(const QByteArray& line);

// What the announcer answers once it has spoken a call: the showing and the board it came from.
struct Spoken
{
    qint64 callAuto = 0;
    qint64 stamp = 0;
    QString screen;
};
// The answer for a call, when it names a showing; empty otherwise.
QByteArray encodeSpoken(const ShownCall& call);
std::optional<Spoken> decodeSpoken(const QByteArray& line);

// The socket's full path: in the user's runtime folder (or the temporary folder), named for the user
// and the installation folder, so two installations or two users on one machine never meet.
QString socketPath(const QString& installDir);
// The lock file that keeps one announcer per installation and user.
QString lockPath(const QString& installDir);

} // namespace announcer
