#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

struct AppContext;
class Database;

// The logo a hall prints on its tickets. It is stored with the company details, so every kiosk of
// the hall prints the same one. A hall that stored none prints none, with one exception kept for
// halls set up before logos were stored: a logo.jpg in the installation folder that an administrator
// put there in place of the shipped demo picture is still printed. The demo picture itself belongs to
// the demo hall only (brivane-ctl demo stores it).
namespace company {

// The bytes of the logo picture stored with the company; empty when there is none.
QByteArray storedLogo(Database& db);

// The bytes to store for a chosen picture file: the file as it is when it is a picture of modest
// size; a large one is stored scaled down (as PNG) to what a ticket can show. Empty when the file is
// no picture that can be read.
QByteArray logoFromFile(const QString& file);

// True for the bytes of the demo picture the program ships as logo.jpg.
bool isShippedDemoPicture(const QByteArray& bytes);

// The installation folder's logo.jpg when it holds a picture other than the shipped demo one; a null
// image otherwise.
QImage folderLogo(const AppContext& ctx);

// The stored logo, or for a hall without one the installation folder's own logo (above).
QImage printedLogo(const AppContext& ctx, const QByteArray& stored);

} // namespace company
