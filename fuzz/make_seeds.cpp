// Writes the fuzzer's seed corpus: tiny PNG, JPEG and BMP files of several pixel formats.
#include <QCoreApplication>
#include <QDir>
#include <QImage>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QImage colour(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            colour.setPixel(x, y, qRgb(x * 40, y * 60, (x * y) * 9));
    const QImage pictures[] = {
            colour,
            colour.convertToFormat(QImage::Format_ARGB32),
            colour.convertToFormat(QImage::Format_Indexed8),
            colour.convertToFormat(QImage::Format_Grayscale8),
            colour.convertToFormat(QImage::Format_Mono),
            QImage(1, 1, QImage::Format_RGB32),
    };
    int written = 0;
    for (const QImage &picture : pictures) {
        for (const char *format : {"png", "jpg", "bmp"}) {
            const QString name = QStringLiteral("seed-%1.%2").arg(written++).arg(format);
            if (!picture.save(out.filePath(name), format))
                return 1;
        }
    }
    return 0;
}
