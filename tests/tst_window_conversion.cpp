#include "greyconversion.h"
#include "mainwindow.h"
#include "nibbletest.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace nibbletest;

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QString ReadError = "An error occured whilst trying to read the file\nTry an other file.";

// What the window shows: both previews and the pane.
struct Shown
{
    QImage original;
    QImage modified;
    QString header;

    bool operator==(const Shown &other) const
    {
        return original == other.original && modified == other.modified && header == other.header;
    }
};

Shown shown(MainWindow &window)
{
    auto image = [&](const char *name) {
        return window.findChild<QLabel *>(name)->pixmap().toImage().convertToFormat(
                QImage::Format_RGB32);
    };
    return {image("lblOriginal"), image("lblModified"),
            window.findChild<QPlainTextEdit *>("pteOutput")->toPlainText()};
}

} // namespace

class WindowConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadShowsConvertsAndTraces();
    void largePictureIsScaledToTheDisplay();
    void cancelKeepsTheLastConversion();
    void unreadableFileIsReportedAndChangesNothingShown();
    void invertRereadsTheFileFromDisk();
    void invertBeforeAnyPictureDoesNothing();

private:
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<MainWindow> window;
};

void WindowConversionTest::init()
{
    folder = std::make_unique<QTemporaryDir>();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void WindowConversionTest::cleanup()
{
    window.reset();
    folder.reset();
}

void WindowConversionTest::loadShowsConvertsAndTraces()
{
    const QImage picture = pictureOf(4, {White, Black, qRgb(255, 0, 0), qRgb(0, 0, 255)});
    const QString path = writePicture(folder->filePath("example.png"), picture);

    DebugCapture trace;
    QVERIFY(loadThroughDialog(*window, path));
    QCOMPARE(trace.lines(),
             QStringList({"mainwindow.cpp 38 \"" + path + "\" ", "mainwindow.cpp 84 2 ",
                          "mainwindow.cpp 136 2 ", "mainwindow.cpp 139 2 "}));

    const Shown now = shown(*window);
    QCOMPARE(now.original, picture);
    QCOMPARE(now.modified, nibble::convertToGrey(picture, false).preview);
    QVERIFY2(now.header.contains("\n * Generated from: " + path + "\n"), qPrintable(now.header));
    QVERIFY(now.header.contains(" #define IMG_DATA_X_PIXEL   4\n"));
    QVERIFY(now.header.contains("= {\n0xf0, 0x52, \n };\n"));
    QVERIFY(QRegularExpression(
                    "\n \\* Date Generated: \\d{1,2} \\S+ \\d{4}  \\d{1,2}:\\d\\d:\\d\\d\n")
                    .match(now.header)
                    .hasMatch());
}

void WindowConversionTest::largePictureIsScaledToTheDisplay()
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(qRgb(16, 16, 16));
    const QString path = writePicture(folder->filePath("large.bmp"), picture, "BMP");

    DebugCapture trace;
    QVERIFY(loadThroughDialog(*window, path));
    QCOMPARE(trace.lines().value(1), QString("mainwindow.cpp 84 6144 "));
    QCOMPARE(shown(*window).original.size(), QSize(128, 96));
    QCOMPARE(shown(*window).modified.size(), QSize(128, 96));
    QVERIFY(shown(*window).header.contains(" #define IMG_DATA_TOT_PIXEL 12288\n"));
}

void WindowConversionTest::cancelKeepsTheLastConversion()
{
    QVERIFY(loadThroughDialog(
            *window, writePicture(folder->filePath("a.png"), pictureOf(2, {White, Black}))));
    const Shown before = shown(*window);

    DebugCapture trace;
    QVERIFY(loadThroughDialog(*window, QString()));
    QVERIFY(shown(*window) == before);

    // After a Cancel there is no file to convert again.
    QTest::mouseClick(window->findChild<QCheckBox *>("cbInvertColors"), Qt::LeftButton);
    QVERIFY(shown(*window) == before);
    QVERIFY(trace.lines().isEmpty());
}

void WindowConversionTest::unreadableFileIsReportedAndChangesNothingShown()
{
    QVERIFY(loadThroughDialog(
            *window, writePicture(folder->filePath("good.png"), pictureOf(2, {White, Black}))));
    const Shown before = shown(*window);

    QDir().mkpath(folder->filePath("elsewhere"));
    const QString bad = folder->filePath("elsewhere/notes.png");
    QVERIFY(writeFile(bad, "these are not pixels\n"));

    DebugCapture trace;
    WarningBox box;
    QVERIFY(loadThroughDialog(*window, bad));
    QVERIFY(box.shown());
    QCOMPARE(box.title, QString("Oops"));
    QCOMPARE(box.text, ReadError);
    QVERIFY(box.onlyOkAsDefault);
    QCOMPARE(trace.lines(), QStringList({"mainwindow.cpp 38 \"" + bad + "\" "}));
    QVERIFY(shown(*window) == before);
    QVERIFY(!QFile::exists(folder->filePath("elsewhere/notes_data.h")));

    // The unreadable file still counts as the last path: the next dialog starts beside it.
    QString startFolder;
    auto dialog = whenModal<QFileDialog>([&](QFileDialog *d) {
        startFolder = d->directory().absolutePath();
        d->reject();
    });
    QTest::mouseClick(window->findChild<QPushButton *>("pbLoad"), Qt::LeftButton);
    QCOMPARE(startFolder, folder->filePath("elsewhere"));
}

void WindowConversionTest::invertRereadsTheFileFromDisk()
{
    const QString path = folder->filePath("changing.png");
    writePicture(path, pictureOf(2, {White, Black}));
    QVERIFY(loadThroughDialog(*window, path));
    QVERIFY(shown(*window).header.contains("{\n0xf0, \n"));

    // The file changes on disk; the toggle converts what is there now, not the old picture.
    writePicture(path, pictureOf(2, {qRgb(16, 16, 16), qRgb(32, 32, 32)}));
    auto *invert = window->findChild<QCheckBox *>("cbInvertColors");
    DebugCapture trace;
    QTest::mouseClick(invert, Qt::LeftButton);
    QVERIFY(shown(*window).header.contains("{\n0xed, \n"));
    QCOMPARE(trace.lines().mid(0, 2),
             QStringList({"mainwindow.cpp 38 \"" + path + "\" ", "mainwindow.cpp 84 1 "}));

    QTest::mouseClick(invert, Qt::LeftButton);
    QVERIFY(shown(*window).header.contains("{\n0x12, \n"));
    QCOMPARE(trace.lines().size(), 8);
}

void WindowConversionTest::invertBeforeAnyPictureDoesNothing()
{
    DebugCapture trace;
    QTest::mouseClick(window->findChild<QCheckBox *>("cbInvertColors"), Qt::LeftButton);
    QVERIFY(trace.lines().isEmpty());
    QVERIFY(shown(*window).header.isEmpty());
}

NIBBLE_TEST_MAIN(WindowConversionTest, nibbletest::Privileges::Keep)
#include "tst_window_conversion.moc"
