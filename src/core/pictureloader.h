#pragma once

#include <QImage>
#include <QString>

class QIODevice;

namespace nibble {

// Larger pictures are refused from their declared size, before any pixel is decoded.
inline constexpr qint64 MaxPicturePixels = 100'000'000;

struct LoadedPicture
{
    QImage image; // null when the picture could not be read
    QString error; // why not, for front ends that can say more than "could not read"

    bool ok() const { return !image.isNull(); }
};

// The format is found from the content, whatever the file is called.
LoadedPicture loadPicture(const QString &path);
LoadedPicture loadPicture(QIODevice *device);

// Stretches anything wider or taller than the display to exactly fill it; smaller pictures
// are kept at their own size.
QImage scaleToDisplay(const QImage &picture);

} // namespace nibble
