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
};

ShownCall shownCall(const CallRow& call);

QByteArray encode(const ShownCall& call);
// One line without its line end; nothing when it is not a message.
std::optional<ShownCall> decode(const QByteArray& line);

// The socket's full path: in the user's runtime folder (or the temporary folder), named for the user
// and the installation folder, so two installations or two users on one machine never meet.
QString socketPath(const QString& installDir);
// The lock file that keeps one announcer per installation and user.
QString lockPath(const QString& installDir);

} // namespace announcer
