#include "tickets/QrCode.h"

#include "ui/PrintSurface.h"

#include <qrencode.h>

#include <memory>

std::optional<QrCode> QrCode::encode(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty())
        return std::nullopt;
    // Version 0: the smallest symbol that holds the text.
    std::unique_ptr<QRcode, decltype(&QRcode_free)> encoded(
        QRcode_encodeData(int(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.constData()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!encoded)
        return std::nullopt;
    QrCode code;
    code.size = encoded->width;
    code.dark.resize(qsizetype(code.size) * code.size);
    for (int i = 0; i < code.size * code.size; ++i)
        code.dark[i] = (encoded->data[i] & 1) != 0; // bit 0: a dark module
    return code;
}

void drawQrCode(PrintSurface& surface, const QrCode& code, double x, double y, double moduleTwips)
{
    for (int row = 0; row < code.size; ++row) {
        int col = 0;
        while (col < code.size) {
            if (!code.at(col, row)) {
                ++col;
                continue;
            }
            const int start = col;
            while (col < code.size && code.at(col, row))
                ++col;
            surface.fillRect(QRectF(x + start * moduleTwips, y + row * moduleTwips,
                                    (col - start) * moduleTwips, moduleTwips));
        }
    }
}
