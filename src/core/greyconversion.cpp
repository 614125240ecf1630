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

// A damaged file can leave pixel indices past the end of its colour table. pixel() reads
// those as black, with a warning for every such pixel; an explicit black entry gives the same
// colour quietly.
QImage withFullColourTable(const QImage &picture)
{
    const int needed = picture.depth() == 1 ? 2 : picture.depth() == 8 ? 256 : 0;
    if (picture.colorCount() == 0 || picture.colorCount() >= needed)
        return picture;
    QList<QRgb> table = picture.colorTable();
    table.resize(needed, 0);
    QImage padded = picture;
    padded.setColorTable(table);
    return padded;
}

} // namespace

GreyConversion convertToGrey(const QImage &image, bool invert)
{
    const QImage picture = withFullColourTable(image);
    const int width = picture.width();
    const int height = picture.height();
    const bool direct = storesPlainArgb(picture.format());

    QRgb previewColour[16];
    int levelOfGrey[256];
    for (int level = 0; level < 16; ++level)
        previewColour[level] = qRgb(level << 4, level << 4, level << 4);
    for (int grey = 0; grey < 256; ++grey)
        levelOfGrey[grey] = invert ? 15 - (grey >> 4) : grey >> 4;

    GreyConversion result;
    result.preview = QImage(width, height, QImage::Format_RGB32);
    result.rawData = QByteArray(qsizetype(width / 2) * height, Qt::Uninitialized);
    char *bytes = result.rawData.data();
    QList<QRgb> row(direct ? 0 : width);

    for (int y = 0; y < height; ++y) {
        const QRgb *source = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        if (!direct) {
            for (int x = 0; x < width; ++x)
                row[x] = picture.pixel(x, y);
            source = row.constData();
        }
        auto *grey = reinterpret_cast<QRgb *>(result.preview.scanLine(y));
        int x = 0;
        for (; x + 1 < width; x += 2) {
            const int left = levelOfGrey[qGray(source[x])];
            const int right = levelOfGrey[qGray(source[x + 1])];
            grey[x] = previewColour[left];
            grey[x + 1] = previewColour[right];
            *bytes++ = char(left << 4 | right);
        }
        if (x < width)
            grey[x] = previewColour[levelOfGrey[qGray(source[x])]];
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
