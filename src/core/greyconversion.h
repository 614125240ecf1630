#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace nibble {

struct GreyConversion
{
    QImage preview; // RGB32, each pixel grey with the 8-bit value of its level (0 .. 240)
    QByteArray rawData; // two levels a byte, the left pixel in the high nibble, rows top down
    QString dataText; // rawData as C initialiser entries, 20 to a line
};

// An odd width's last column shows in the preview but is left out of the bytes.
GreyConversion convertToGrey(const QImage &picture, bool invert);

QString hexText(const QByteArray &rawData);

} // namespace nibble
