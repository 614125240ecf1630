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

    const QSize declared = reader.size();
    if (declared.isValid() && qint64(declared.width()) * declared.height() > MaxPicturePixels) {
        return {QImage(),
                QStringLiteral("the picture declares %1 x %2 pixels, more than the "
                               "limit of %3 megapixels")
                        .arg(declared.width())
                        .arg(declared.height())
                        .arg(MaxPicturePixels / 1'000'000)};
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
