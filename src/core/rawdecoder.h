#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace nibble {

struct DecodedRaw
{
    QImage image; // null on error
    QString error;
};

// Turns packed bytes back into the picture the display shows: each level as grey level * 17.
// The width is the picture's (IMG_DATA_X_PIXEL); an odd width's last column was never packed,
// so the picture comes back one column narrower.
DecodedRaw decodeRaw(const QByteArray &rawData, int width);

} // namespace nibble
