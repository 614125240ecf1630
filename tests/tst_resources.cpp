#include "headertext.h"
#include "nibbletest.h"

#include <QApplication>
#include <QFile>
#include <QResource>

class ResourcesTest : public QObject
{
    Q_OBJECT

private slots:
    void pictures_data();
    void pictures();
    void templateBytes();
    void templateAsTextHasPlainLineFeeds();
};

void ResourcesTest::pictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("pngColourType");

    QTest::newRow("logo") << ":/img/Logo.png" << QSize(146, 152) << 2;
    QTest::newRow("qt") << ":/img/qt.png" << QSize(128, 128) << 6;
    QTest::newRow("shutdown") << ":/img/Shutdown.png" << QSize(256, 256) << 6;
}

void ResourcesTest::pictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(int, pngColourType);

    const QResource resource(path);
    QVERIFY(resource.isValid());
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);

    // The PNG header, read from the bytes themselves: width, height, bit depth, colour type,
    // interlace.
    const QByteArray png = resource.uncompressedData();
    QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(qFromBigEndian<quint32>(png.constData() + 16), quint32(size.width()));
    QCOMPARE(qFromBigEndian<quint32>(png.constData() + 20), quint32(size.height()));
    QCOMPARE(int(png[24]), 8);
    QCOMPARE(int(png[25]), pngColourType);
    QCOMPARE(int(png[28]), 0);

    const QImage image(path);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.hasAlphaChannel(), pngColourType == 6);
    if (image.hasAlphaChannel())
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0); // transparent background
}

void ResourcesTest::templateBytes()
{
    const QByteArray lines[] = {
            "",
            "/* ",
            " * Generated with 'Nibblecast for EK-LM3S6965' Version 1.0a",
            " * Author: Orvantis                                 Date: %1",
            " *",
            " * Generated from: %2",
            " * Date Generated: %3",
            " *",
            " */",
            " ",
            " #define IMG_DATA_X_BYTES   %4",
            " #define IMG_DATA_Y_BYTES   %5",
            " #define IMG_DATA_TOT_BYTES %6",
            " #define IMG_DATA_X_PIXEL   %7",
            " #define IMG_DATA_Y_PIXEL   %8",
            " #define IMG_DATA_TOT_PIXEL %9",
            " ",
            " static unsigned char IMG_DATA[%6] = {",
            "%10",
            " };",
            " ",
    };
    QByteArray expected;
    for (const QByteArray &line : lines)
        expected += line + "\r\n";

    const QResource resource(":/text/header.h");
    QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
    QFile file(":/text/header.h");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);
}

void ResourcesTest::templateAsTextHasPlainLineFeeds()
{
    const QString text = nibble::headerTemplate();
    QVERIFY(!text.contains(u'\r'));
    QCOMPARE(text.count(u'\n'), 21);
    QVERIFY(text.startsWith("\n/* \n"));
}

NIBBLE_TEST_MAIN(ResourcesTest, nibbletest::Privileges::Keep)
#include "tst_resources.moc"
