// Damaged, disguised and hostile pictures through the window: each is either refused with the
// read-error box, leaving everything as it was, or loaded and converted as usual.
#include "greyconversion.h"
#include "mainwindow.h"
#include "nibbletest.h"
#include "pictureloader.h"

#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QPlainTextEdit>

#include <sys/resource.h>

using namespace nibbletest;

namespace {

enum class Outcome { Refused, RefusedForSize, Loaded };

const QString ReadError = "An error occured whilst trying to read the file\nTry an other file.";

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void put16(QByteArray &bytes, int at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void put32(QByteArray &bytes, int at, qint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// A BMP's file and info headers, with `extra` bytes after them.
QByteArray bmpHeader(qint32 width, qint32 height, quint16 bitsPerPixel, quint32 coloursUsed,
                     int extra)
{
    QByteArray bytes(14 + 40 + extra, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, bytes.size());
    put32(bytes, 10, 14 + 40 + 4 * coloursUsed);
    put32(bytes, 14, 40);
    put32(bytes, 18, width);
    put32(bytes, 22, height);
    put16(bytes, 26, 1);
    put16(bytes, 28, bitsPerPixel);
    put32(bytes, 46, qint32(coloursUsed));
    return bytes;
}

// Four 8-bit pixels whose last two indices point past a palette of two colours.
QByteArray bmpWithShortPalette()
{
    QByteArray bytes = bmpHeader(4, 1, 8, 2, 2 * 4 + 4);
    const char palette[] = {'\xff', '\xff', '\xff', 0, 0, 0, 0, 0}; // white, black
    bytes.replace(54, 8, QByteArray(palette, 8));
    bytes.replace(62, 4, QByteArray("\x00\x01\x05\x09", 4));
    return bytes;
}

// Found by fuzzing: an old-style header read as 9 x 10968 pixels, with no pixel data at all.
QByteArray absurdBmp()
{
    return QByteArray::fromBase64("Qk1iYACliVBORw0KGgoBAAD9CQAo1QEAGACm////BgAAAKcA");
}

// Leaves the heap's free blocks filled with `junk`, where a careless reader would find it.
void litterFreedMemory(char junk)
{
    for (int i = 0; i < 16; ++i) {
        QByteArray block(64 * 48 * 4 + i * 64, junk);
        block.detach();
    }
}

qint64 peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class BadPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void table_data();
    void table();
    void shortPaletteReadsAsBlackWithoutAWarningPerPixel();
    void cutShortIsTheSameWhateverMemoryHeld_data();
    void cutShortIsTheSameWhateverMemoryHeld();
};

void BadPicturesTest::table_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Outcome>("outcome");

    const QImage picture = gradient(64, 48);
    const QByteArray png = encoded(picture, "PNG");
    const QByteArray jpeg = encoded(picture, "JPEG");
    const QByteArray bmp = encoded(picture, "BMP");
    QByteArray bogusBmp = bmp;
    put16(bogusBmp, 28, 7); // no such pixel depth

    QTest::newRow("empty file") << "empty.png" << QByteArray() << Outcome::Refused;
    QTest::newRow("text named .png") << "notes.png" << QByteArray("hello\n") << Outcome::Refused;
    QTest::newRow("truncated png") << "cut.png" << png.left(png.size() / 2) << Outcome::Refused;
    QTest::newRow("png signature only") << "sig.png" << png.left(8) << Outcome::Refused;
    // libjpeg fills the blocks a cut-short file lacks with grey (or gives up, when the cut falls
    // early); the preview shows it.
    QTest::newRow("truncated jpeg") << "cut.jpg" << jpeg.left(jpeg.size() / 2) << Outcome::Loaded;
    QTest::newRow("jpeg header only") << "head.jpg" << jpeg.left(20) << Outcome::Refused;
    // The BMP reader keeps the rows it could read and the missing ones come out black (see
    // cutShortIsTheSameWhateverMemoryHeld): like a cut-short JPEG, the preview shows it.
    QTest::newRow("truncated bmp") << "cut.bmp" << bmp.left(bmp.size() / 2) << Outcome::Loaded;
    QTest::newRow("bmp one byte short") << "short.bmp" << bmp.chopped(1) << Outcome::Loaded;
    QTest::newRow("bmp with trailing bytes") << "long.bmp" << bmp + "tail" << Outcome::Loaded;
    QTest::newRow("bmp with a bogus header") << "bogus.bmp" << bogusBmp << Outcome::Refused;
    QTest::newRow("png declaring 60000 x 60000")
            << "huge.png" << pngDeclaring(60000, 60000) << Outcome::RefusedForSize;
    QTest::newRow("top-down bmp declaring 14 million rows")
            << "tall.bmp" << bmpHeader(17, -14155775, 24, 0, 16) << Outcome::RefusedForSize;
    QTest::newRow("bmp header promising 9 x 10968 in 36 bytes")
            << "absurd.bmp" << absurdBmp() << Outcome::Loaded;
    QTest::newRow("png named .jpg") << "disguised.jpg" << png << Outcome::Loaded;
    QTest::newRow("1 x 1 png") << "one.png" << encoded(gradient(1, 1), "PNG") << Outcome::Loaded;
    QTest::newRow("1 x 1 jpeg") << "one.jpg" << encoded(gradient(1, 1), "JPEG") << Outcome::Loaded;
    QTest::newRow("1 x 1 bmp") << "one.bmp" << encoded(gradient(1, 1), "BMP") << Outcome::Loaded;
    QTest::newRow("short palette") << "palette.bmp" << bmpWithShortPalette() << Outcome::Loaded;
}

void BadPicturesTest::table()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(Outcome, outcome);

    const QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QVERIFY(writeFile(path, bytes));

    const qint64 peakBefore = peakResidentKilobytes();
    const nibble::LoadedPicture loaded = nibble::loadPicture(path);
    QCOMPARE(loaded.ok(), outcome == Outcome::Loaded);
    if (outcome == Outcome::RefusedForSize) {
        QVERIFY2(loaded.error.contains("megapixels"), qPrintable(loaded.error));
        QVERIFY(peakResidentKilobytes() - peakBefore < 64 * 1024);
    }

    // Through the window, after a good picture: a refused file changes nothing shown or saved.
    MainWindow window;
    window.show();
    QVERIFY(loadThroughDialog(window, writePicture(folder.filePath("good.png"), gradient(8, 8))));
    auto *pane = window.findChild<QPlainTextEdit *>("pteOutput");
    const QString before = pane->toPlainText();

    WarningBox box;
    QVERIFY(loadThroughDialog(window, path));
    const QString base = path.left(path.lastIndexOf(u'.'));
    if (outcome == Outcome::Loaded) {
        QVERIFY(!box.shown());
        QVERIFY(pane->toPlainText().contains("Generated from: " + path + "\n"));
        QVERIFY(QFile::exists(base + "_raw.raw"));
    } else {
        QVERIFY(box.shown());
        QCOMPARE(box.text, ReadError);
        QCOMPARE(pane->toPlainText(), before);
        QVERIFY(!QFile::exists(base + "_data.h"));
        QVERIFY(!QFile::exists(base + "_raw.raw"));
    }
}

void BadPicturesTest::shortPaletteReadsAsBlackWithoutAWarningPerPixel()
{
    QBuffer device;
    device.setData(bmpWithShortPalette());
    const nibble::LoadedPicture loaded = nibble::loadPicture(&device);
    QVERIFY(loaded.ok());

    static int warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &, const QString &) {
                warnings += type == QtWarningMsg ? 1 : 0;
            });
    const nibble::GreyConversion grey = nibble::convertToGrey(loaded.image, false);
    qInstallMessageHandler(previous);
    QCOMPARE(warnings, 0);
    QCOMPARE(grey.rawData, QByteArray("\xf0\x00", 2));
}

void BadPicturesTest::cutShortIsTheSameWhateverMemoryHeld_data()
{
    QTest::addColumn<QByteArray>("bytes");
    for (QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_Indexed8, QImage::Format_Mono}) {
        const QByteArray bmp = encoded(gradient(64, 48).convertToFormat(format), "BMP");
        QTest::addRow("half a bmp, format %d", int(format)) << bmp.left(bmp.size() / 2);
    }
    QTest::newRow("bmp header only") << absurdBmp();
    const QByteArray jpeg = encoded(gradient(64, 48), "JPEG");
    QTest::newRow("half a jpeg") << jpeg.left(jpeg.size() / 2);
}

void BadPicturesTest::cutShortIsTheSameWhateverMemoryHeld()
{
    QFETCH(QByteArray, bytes);

    QByteArray results[2];
    for (int round = 0; round < 2; ++round) {
        litterFreedMemory(round == 0 ? '\x11' : '\xee');
        QBuffer device(&bytes);
        const nibble::LoadedPicture loaded = nibble::loadPicture(&device);
        QVERIFY(loaded.ok());
        results[round] = nibble::convertToGrey(nibble::scaleToDisplay(loaded.image), false).rawData;
    }
    QCOMPARE(results[1], results[0]);
}

NIBBLE_TEST_MAIN(BadPicturesTest, nibbletest::Privileges::Keep)
#include "tst_bad_pictures.moc"
