// decode_scale PICTURE...: Qt's own decode and scale of each picture, one after another, and
// nothing else; the yardstick for nibblecast-cli.
#include <QCoreApplication>
#include <QImage>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    qint64 pixels = 0;
    for (int i = 1; i < argc; ++i) {
        const QImage scaled
                = QImage(QString::fromLocal8Bit(argv[i]))
                          .scaled(128, 96, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        pixels += scaled.width() * scaled.height();
    }
    return pixels > 0 ? 0 : 1;
}
