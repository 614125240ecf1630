#include "greyconversion.h"

namespace nibble {

namespace {

constexpr int EntriesPerLine = 20;

// For these formats pixel() is the stored word itself, so reading the scan line directly gives
// the same colours at a fraction of the cost; every other format goes through pixel().
bool storesPlainArgb(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
            || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

int greyLevel(QRgb pixel)
{
    return qGray(pixel) >> 4;
}

GreyConversion convertToGrey(const QImage &picture, bool invert)
{
    const int width = picture.width();
    const int height = picture.height();
    const bool direct = storesPlainArgb(picture.format());

    GreyConversion result;
    result.preview = QImage(width, height, QImage::Format_RGB32);
    result.rawData.reserve(qsizetype(width / 2) * height);

    for (int y = 0; y < height; ++y) {
        const auto *source = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        auto *grey = reinterpret_cast<QRgb *>(result.preview.scanLine(y));
        int left = 0;
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = direct ? source[x] : picture.pixel(x, y);
            const int level = invert ? 15 - greyLevel(pixel) : greyLevel(pixel);
            const int value = level << 4;
            grey[x] = qRgb(value, value, value);
            if (x % 2 == 0)
                left = level;
            else
                result.rawData.append(char(left << 4 | level));
        }
    }

    result.dataText = hexText(result.rawData);
    return result;
}

QString hexText(const QByteArray &rawData)
{
    static const char digits[] = "0123456789abcdef";
    const qsizetype count = rawData.size();

    QString text(count * 6 + count / EntriesPerLine, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < count; ++i) {
        const auto byte = uchar(rawData[i]);
        *out++ = u'0';
        *out++ = u'x';
        *out++ = QLatin1Char(digits[byte >> 4]);
        *out++ = QLatin1Char(digits[byte & 0xf]);
        *out++ = u',';
        *out++ = u' ';
        if ((i + 1) % EntriesPerLine == 0)
            *out++ = u'\n';
    }
    return text;
}

} // namespace nibble
