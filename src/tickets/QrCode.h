#pragma once

#include <QString>
#include <QVector>
#include <optional>

class PrintSurface;

// A QR code as a square of modules (libqrencode), for the address of a ticket's page.
struct QrCode
{
    int size = 0;       // modules a side, without the quiet zone
    QVector<bool> dark; // size × size, row by row
    bool at(int x, int y) const { return dark[y * size + x]; }

    // The text encoded as bytes (UTF-8, case kept) at error-correction level M, which survives the
    // smudges and folds of a receipt (15 % of the modules). nullopt when it cannot be encoded.
    static std::optional<QrCode> encode(const QString& text);
};

// Modules of white space the code needs around it to be read (the QR standard's quiet zone).
constexpr int qrQuietZone = 4;

// Draws the code with its top-left module at (x, y), each module a black square of moduleTwips, as
// filled rectangles (one for each run of dark modules in a row), so every printer prints sharp edges.
void drawQrCode(PrintSurface& surface, const QrCode& code, double x, double y, double moduleTwips);
