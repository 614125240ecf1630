#pragma once

#include <QImage>
#include <QRandomGenerator>

// A photo-like picture: smooth shading with fine noise, so that neither codec has it easy.
inline QImage syntheticPhoto(int width, int height, quint32 seed = 24)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(24));
            line[x] = qRgb((x * 255 / width + noise) & 255, (y * 255 / height + noise) & 255,
                           ((x + y) / 16 + noise) & 255);
        }
    }
    return image;
}
