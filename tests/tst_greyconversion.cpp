#include "greyconversion.h"
#include "nibbletest.h"
#include "pictureloader.h"

#include <QApplication>
#include <QBuffer>
#include <QRandomGenerator>

using namespace nibbletest;

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);

QRgb grey(int value)
{
    return qRgb(value, value, value);
}

QImage noise(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000);
    return image;
}

// Reads "0x.., " entries back into bytes, insisting on the exact layout: 20 to a line.
QByteArray parseHexText(const QString &text)
{
    QByteArray bytes;
    qsizetype at = 0;
    while (at < text.size()) {
        if (text.mid(at, 2) != "0x" || text.mid(at + 4, 2) != ", ")
            return "malformed";
        bytes.append(char(text.mid(at + 2, 2).toInt(nullptr, 16)));
        at += 6;
        if (bytes.size() % 20 == 0) {
            if (text.mid(at, 1) != "\n")
                return "no line feed";
            ++at;
        }
    }
    return bytes;
}

} // namespace

class GreyConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void bytesAndText_data();
    void bytesAndText();
    void preview_data();
    void preview();
    void everyByteValueReadsBack();
    void lineBreaks_data();
    void lineBreaks();
    void everyPixelFormatGivesTheSameBytes_data();
    void everyPixelFormatGivesTheSameBytes();
    void scaling_data();
    void scaling();
    void scalingStretchesRatherThanCrops();
    void formatComesFromTheContent();
    void largePhotoIsAccepted();
    void declaredSizeOverTheLimitIsRefusedUndecoded();
};

void GreyConversionTest::bytesAndText_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<QRgb>>("pixels");
    QTest::addColumn<bool>("invert");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QList<QRgb> example{White, Black, Red, Blue};
    QTest::newRow("worked example")
            << 4 << example << false << QByteArray("\xf0\x52") << "0xf0, 0x52, ";
    QTest::newRow("worked example inverted")
            << 4 << example << true << QByteArray("\x0f\xad") << "0x0f, 0xad, ";
    QTest::newRow("grey 15 and 16")
            << 2 << QList<QRgb>{grey(15), grey(16)} << false << QByteArray("\x01") << "0x01, ";
    QTest::newRow("grey 239 and 240")
            << 2 << QList<QRgb>{grey(239), grey(240)} << false << QByteArray("\xef") << "0xef, ";
    QTest::newRow("red green blue black") << 4 << QList<QRgb>{Red, Green, Blue, Black} << false
                                          << QByteArray("\x57\x20") << "0x57, 0x20, ";
    QTest::newRow("red green blue black inverted")
            << 4 << QList<QRgb>{Red, Green, Blue, Black} << true << QByteArray("\xa8\xdf")
            << "0xa8, 0xdf, ";
    QTest::newRow("alpha is ignored")
            << 2 << QList<QRgb>{qRgba(255, 255, 255, 0), qRgba(0, 0, 0, 7)} << false
            << QByteArray("\xf0") << "0xf0, ";
    QTest::newRow("odd width drops the last column")
            << 3 << QList<QRgb>{White, Black, White, Black, White, Black} << false
            << QByteArray("\xf0\x0f") << "0xf0, 0x0f, ";
    QTest::newRow("one pixel wide")
            << 1 << QList<QRgb>{White, Black, Red} << false << QByteArray() << "";
}

void GreyConversionTest::bytesAndText()
{
    QFETCH(int, width);
    QFETCH(QList<QRgb>, pixels);
    QFETCH(bool, invert);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QImage picture = pictureOf(width, pixels);
    if (qAlpha(pixels[0]) != 255) {
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        for (int i = 0; i < pixels.size(); ++i)
            picture.setPixel(i % width, i / width, pixels[i]);
    }
    const nibble::GreyConversion result = nibble::convertToGrey(picture, invert);
    QCOMPARE(result.rawData, bytes);
    QCOMPARE(result.dataText, text);
}

void GreyConversionTest::preview_data()
{
    QTest::addColumn<bool>("invert");
    QTest::addColumn<QList<QRgb>>("expected");

    QTest::newRow("plain") << false
                           << QList<QRgb>{grey(240), grey(0), grey(80), grey(32), grey(240)};
    QTest::newRow("inverted") << true
                              << QList<QRgb>{grey(0), grey(240), grey(160), grey(208), grey(0)};
}

// The fifth column has no partner in the bytes but still shows in the preview.
void GreyConversionTest::preview()
{
    QFETCH(bool, invert);
    QFETCH(QList<QRgb>, expected);

    const QImage picture = pictureOf(5, {White, Black, Red, Blue, White});
    const QImage preview = nibble::convertToGrey(picture, invert).preview;
    QCOMPARE(preview.format(), QImage::Format_RGB32);
    QCOMPARE(preview.size(), QSize(5, 1));
    for (int x = 0; x < 5; ++x)
        QCOMPARE(preview.pixel(x, 0), expected[x]);
}

void GreyConversionTest::everyByteValueReadsBack()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(parseHexText(nibble::hexText(all)), all);
    QVERIFY(nibble::hexText(all).contains("0xab, 0xac, 0xad, 0xae, 0xaf, 0xb0, "));
}

void GreyConversionTest::lineBreaks_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("fullLines");
    QTest::addColumn<int>("lastLineEntries");

    QTest::newRow("19 bytes") << QSize(38, 1) << 0 << 19;
    QTest::newRow("20 bytes") << QSize(40, 1) << 1 << 0;
    QTest::newRow("21 bytes") << QSize(42, 1) << 1 << 1;
    QTest::newRow("rows do not break lines") << QSize(6, 9) << 1 << 7;
    QTest::newRow("display") << QSize(128, 96) << 307 << 4;
}

void GreyConversionTest::lineBreaks()
{
    QFETCH(QSize, size);
    QFETCH(int, fullLines);
    QFETCH(int, lastLineEntries);

    const QImage picture = noise(size.width(), size.height(), 7);
    const nibble::GreyConversion result = nibble::convertToGrey(picture, false);
    QCOMPARE(result.rawData.size(), (size.width() / 2) * size.height());
    QCOMPARE(parseHexText(result.dataText), result.rawData);

    const QStringList lines = result.dataText.split(u'\n');
    QCOMPARE(lines.size(), fullLines + 1);
    for (int i = 0; i < fullLines; ++i)
        QCOMPARE(lines[i].size(), 20 * 6);
    QCOMPARE(lines.last().size(), lastLineEntries * 6);
}

void GreyConversionTest::everyPixelFormatGivesTheSameBytes_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("indexed") << QImage::Format_Indexed8;
    QTest::newRow("rgb888") << QImage::Format_RGB888;
    QTest::newRow("rgb16") << QImage::Format_RGB16;
    QTest::newRow("argb32") << QImage::Format_ARGB32;
    QTest::newRow("premultiplied") << QImage::Format_ARGB32_Premultiplied;
    QTest::newRow("rgba8888") << QImage::Format_RGBA8888;
    QTest::newRow("grayscale8") << QImage::Format_Grayscale8;
    QTest::newRow("rgba64") << QImage::Format_RGBA64;
}

// Whatever format a decoder hands over, the bytes are those of its colours as pixel() reads them.
void GreyConversionTest::everyPixelFormatGivesTheSameBytes()
{
    QFETCH(QImage::Format, format);

    const QImage picture = noise(31, 17, 11).convertToFormat(format);
    QImage reference(picture.size(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            reference.setPixel(x, y, picture.pixel(x, y));

    for (bool invert : {false, true}) {
        const nibble::GreyConversion expected = nibble::convertToGrey(reference, invert);
        const nibble::GreyConversion actual = nibble::convertToGrey(picture, invert);
        QCOMPARE(actual.rawData, expected.rawData);
        QCOMPARE(actual.preview, expected.preview);
    }
}

void GreyConversionTest::scaling_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("scaled");

    QTest::newRow("display size is kept") << QSize(128, 96) << QSize(128, 96);
    QTest::newRow("smaller is kept") << QSize(75, 40) << QSize(75, 40);
    QTest::newRow("one pixel") << QSize(1, 1) << QSize(1, 1);
    QTest::newRow("one column too wide") << QSize(129, 96) << QSize(128, 96);
    QTest::newRow("one row too tall") << QSize(128, 97) << QSize(128, 96);
    QTest::newRow("tall picture grows wider") << QSize(100, 200) << QSize(128, 96);
    QTest::newRow("wide strip") << QSize(1000, 2) << QSize(128, 96);
}

void GreyConversionTest::scaling()
{
    QFETCH(QSize, size);
    QFETCH(QSize, scaled);

    const QImage picture = noise(size.width(), size.height(), 3);
    const QImage result = nibble::scaleToDisplay(picture);
    QCOMPARE(result.size(), scaled);
    if (scaled == size)
        QCOMPARE(result, picture);
}

void GreyConversionTest::scalingStretchesRatherThanCrops()
{
    QImage picture(512, 96, QImage::Format_RGB32);
    picture.fill(White);
    for (int y = 0; y < 96; ++y)
        for (int x = 384; x < 512; ++x)
            picture.setPixel(x, y, Red);
    const QImage scaled = nibble::scaleToDisplay(picture);
    QCOMPARE(scaled.pixel(0, 0), White);
    QCOMPARE(scaled.pixel(127, 50), Red);
}

void GreyConversionTest::formatComesFromTheContent()
{
    const QTemporaryDir folder;
    const QString path = writePicture(folder.filePath("really-a-png.jpg"),
                                      pictureOf(2, {White, Black}), "PNG");
    const nibble::LoadedPicture loaded = nibble::loadPicture(path);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error));
    QCOMPARE(loaded.image.pixel(1, 0), Black);
}

// An ordinary 48-megapixel phone photo is over Qt's default allocation limit of 128 MB.
void GreyConversionTest::largePhotoIsAccepted()
{
    const QTemporaryDir folder;
    QImage photo(8000, 6000, QImage::Format_RGB32);
    photo.fill(qRgb(200, 120, 40));
    const QString path = writePicture(folder.filePath("photo.jpg"), photo, "JPEG");
    photo = QImage();

    const nibble::LoadedPicture loaded = nibble::loadPicture(path);
    QVERIFY2(loaded.ok(), qPrintable(loaded.error));
    QCOMPARE(loaded.image.size(), QSize(8000, 6000));
}

void GreyConversionTest::declaredSizeOverTheLimitIsRefusedUndecoded()
{
    QByteArray over = pngDeclaring(10001, 10000);
    QBuffer overBuffer(&over);
    const nibble::LoadedPicture refused = nibble::loadPicture(&overBuffer);
    QVERIFY(!refused.ok());
    QVERIFY2(refused.error.contains("10001 x 10000"), qPrintable(refused.error));

    // Exactly at the limit the decoder is asked, and fails only on the missing pixels.
    QByteArray at = pngDeclaring(10000, 10000);
    QBuffer atBuffer(&at);
    const nibble::LoadedPicture truncated = nibble::loadPicture(&atBuffer);
    QVERIFY(!truncated.ok());
    QVERIFY2(!truncated.error.contains("limit"), qPrintable(truncated.error));
}

NIBBLE_TEST_MAIN(GreyConversionTest, nibbletest::Privileges::Keep)
#include "tst_greyconversion.moc"
