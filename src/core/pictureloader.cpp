#include "pictureloader.h"

#include "display.h"

#include <QIODevice>
#include <QImageReader>
#include <QtEndian>

namespace nibble {

namespace {

// Enough for the largest accepted picture decoded at 8 bytes a pixel (16-bit PNG);
// Qt's own default of 128 MB refuses ordinary phone photos.
constexpr int AllocationLimitMegabytes = 1024;

// Qt reads an uncompressed BMP that ends early as a success, leaving the missing rows as
// whatever the memory held before: measure it against the size its header promises.
QString cutShortBmp(QIODevice *device)
{
    if (device->isSequential())
        return QString();
    // The reader may already be past the header it has read for the size.
    const qint64 readerAt = device->pos();
    device->seek(0);
    const QByteArray head = device->read(34);
    device->seek(readerAt);
    if (head.size() < 26)
        return QString();
    auto u16 = [&head](int at) {
        return qFromLittleEndian<quint16>(head.constData() + at);
    };
    auto u32 = [&head](int at) {
        return qFromLittleEndian<quint32>(head.constData() + at);
    };
    const quint32 dataOffset = u32(10);
    qint64 width, height, bitsPerPixel;
    if (u32(14) == 12) { // OS/2 core header, never compressed
        width = u16(18);
        height = u16(20);
        bitsPerPixel = u16(24);
    } else {
        if (head.size() < 34)
            return QString();
        const quint32 compression = u32(30);
        const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
        if (!uncompressed)
            return QString(); // run-length data: Qt clears the picture before decoding it
        width = qint32(u32(18));
        height = qint32(u32(22));
        bitsPerPixel = u16(28);
    }
    const qint64 rowBytes = (qAbs(width) * bitsPerPixel + 31) / 32 * 4;
    const qint64 needed = dataOffset + qAbs(height) * rowBytes;
    if (device->size() >= needed)
        return QString();
    return QStringLiteral("the BMP file is cut short: %1 of its %2 bytes are there")
            .arg(device->size())
            .arg(needed);
}

LoadedPicture read(QImageReader &reader)
{
    QImageReader::setAllocationLimit(AllocationLimitMegabytes);

    // A top-down BMP declares a negative height, which QSize calls invalid: the magnitude is
    // what would be decoded.
    const QSize declared = reader.size();
    const qint64 width = qAbs(qint64(declared.width()));
    const qint64 height = qAbs(qint64(declared.height()));
    if (width * height > MaxPicturePixels) {
        return {QImage(),
                QStringLiteral("the picture declares %1 x %2 pixels, more than the "
                               "limit of %3 megapixels")
                        .arg(width)
                        .arg(height)
                        .arg(MaxPicturePixels / 1'000'000)};
    }

    if (reader.format() == "bmp") {
        const QString cutShort = cutShortBmp(reader.device());
        if (!cutShort.isEmpty())
            return {QImage(), cutShort};
    }

    QImage image = reader.read();
    if (image.isNull())
        return {QImage(), reader.errorString()};
    return {image, QString()};
}

} // namespace

LoadedPicture loadPicture(const QString &path)
{
    QImageReader reader(path);
    return read(reader);
}

LoadedPicture loadPicture(QIODevice *device)
{
    QImageReader reader(device);
    return read(reader);
}

QImage scaleToDisplay(const QImage &picture)
{
    if (picture.width() <= DisplayWidth && picture.height() <= DisplayHeight)
        return picture;
    return picture.scaled(QSize(DisplayWidth, DisplayHeight), Qt::IgnoreAspectRatio,
                          Qt::FastTransformation);
}

} // namespace nibble
