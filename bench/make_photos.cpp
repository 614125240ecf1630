// make_photos <folder> <count> <width> <height> [format]: writes photo-like pictures to benchmark
// with, named photo-000.<format> and on.
#include "photo.h"

#include <QCoreApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc < 5)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int count = atoi(argv[2]);
    const char *format = argc > 5 ? argv[5] : "jpg";
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("photo-%1.%2").arg(i, 3, 10, QChar(u'0')).arg(format);
        if (!syntheticPhoto(atoi(argv[3]), atoi(argv[4]), quint32(i))
                     .save(folder.filePath(name), format, 90))
            return 1;
    }
    return 0;
}
