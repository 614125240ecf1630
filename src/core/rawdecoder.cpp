#include "rawdecoder.h"

namespace nibble {

DecodedRaw decodeRaw(const QByteArray &rawData, int width)
{
    const int bytesPerRow = width / 2;
    if (bytesPerRow < 1)
        return {QImage(), QStringLiteral("a width of %1 holds no pixel pairs").arg(width)};
    if (rawData.isEmpty() || rawData.size() % bytesPerRow != 0) {
        return {QImage(),
                QStringLiteral("%1 bytes are not whole rows of %2 bytes (width %3)")
                        .arg(rawData.size())
                        .arg(bytesPerRow)
                        .arg(width)};
    }
    const int height = int(rawData.size() / bytesPerRow);
    QImage image(2 * bytesPerRow, height, QImage::Format_RGB32);
    const auto *bytes = reinterpret_cast<const uchar *>(rawData.constData());
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int i = 0; i < bytesPerRow; ++i) {
            const int left = (*bytes >> 4) * 17;
            const int right = (*bytes++ & 0xf) * 17;
            line[2 * i] = qRgb(left, left, left);
            line[2 * i + 1] = qRgb(right, right, right);
        }
    }
    return {image, QString()};
}

} // namespace nibble
