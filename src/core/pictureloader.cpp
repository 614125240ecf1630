#include "pictureloader.h"

#include "display.h"

#include <QImageReader>

namespace nibble {

namespace {

// Enough for the largest accepted picture decoded at 8 bytes a pixel (16-bit PNG);
// Qt's own default of 128 MB refuses ordinary phone photos.
constexpr int AllocationLimitMegabytes = 1024;

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

    // Qt's BMP reader leaves the rows a cut-short file lacks as whatever the memory held
    // before, so that the same file could give different bytes each time. Given a cleared
    // picture of the size and format it announces, it fills that in place instead, and what is
    // missing reads as black (or the first palette colour), as a cut-short JPEG reads as grey.
    QImage image;
    if (reader.format() == "bmp" && reader.imageFormat() != QImage::Format_Invalid && width > 0
        && height > 0) {
        image = QImage(int(width), int(height), reader.imageFormat());
        image.fill(0);
    }
    if (!reader.read(&image))
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
