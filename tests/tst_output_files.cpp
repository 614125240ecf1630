#include "greyconversion.h"
#include "mainwindow.h"
#include "nibbletest.h"
#include "outputfiles.h"
#include "pictureloader.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <sys/resource.h>

#include <csignal>

using namespace nibbletest;

namespace {

const QString HeaderError = "An error occured whilst trying to save the header file";
const QString RawError = "An error occured whilst trying to save the raw file";

QByteArray expectedRaw(const QString &picture, bool invert = false)
{
    const QImage working = nibble::scaleToDisplay(nibble::loadPicture(picture).image);
    return nibble::convertToGrey(working, invert).rawData;
}

// Files above this size cannot be written while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &previous);
        // Over the limit a write fails with EFBIG instead of killing the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{bytes, previous.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &previous); }

private:
    rlimit previous{};
};

} // namespace

class OutputFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();

    void init();
    void cleanup();

    void autoSaveWritesThePairBesideThePicture();
    void oldLongerFilesAreCutToTheNewLength();
    void onePixelWidePictureGivesAnEmptyRawFile();
    void headerIsThePaneAsItStands_data();
    void headerIsThePaneAsItStands();
    void nonAsciiPathSurvivesInTheHeader();
    void autoSaveRewritesOnEveryInvertToggle();
    void nothingToSaveDoesNothing();
    void saveAfterAFailedLoadWritesNothing();

    void readOnlyRawFileReplacesNeither();
    void unwritableFolderReportsTheHeader();
    void failedWriteAfterOpenKeepsTheOldPair_data();
    void failedWriteAfterOpenKeepsTheOldPair();

private:
    void load(const QString &path);
    void setAutoSave(bool on);
    void clickSave();
    QPlainTextEdit *pane() { return window->findChild<QPlainTextEdit *>("pteOutput"); }
    QString picture(const QString &name, const QImage &image);
    void writeOldPair(const QString &base);

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<MainWindow> window;
};

void OutputFilesTest::names_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("raw");

    QTest::newRow("photo.png") << "/pics/photo.png"
                               << "/pics/photo_data.h"
                               << "/pics/photo_raw.raw";
    QTest::newRow("only the last dot") << "/pics/my.logo.bmp"
                                       << "/pics/my.logo_data.h"
                                       << "/pics/my.logo_raw.raw";
    QTest::newRow("suffix case") << "/pics/LOGO.JPG"
                                 << "/pics/LOGO_data.h"
                                 << "/pics/LOGO_raw.raw";
    QTest::newRow("no extension") << "/pics/photo"
                                  << "/pics/photo_data.h"
                                  << "/pics/photo_raw.raw";
    QTest::newRow("dotted folder, no extension") << "/my.pics/photo"
                                                 << "/my.pics/photo_data.h"
                                                 << "/my.pics/photo_raw.raw";
    QTest::newRow("dotted folder") << "/my.pics/photo.png"
                                   << "/my.pics/photo_data.h"
                                   << "/my.pics/photo_raw.raw";
    QTest::newRow("relative") << "photo.png"
                              << "photo_data.h"
                              << "photo_raw.raw";
}

void OutputFilesTest::names()
{
    QFETCH(QString, picture);
    QFETCH(QString, header);
    QFETCH(QString, raw);

    const nibble::OutputNames names = nibble::outputNames(picture);
    QCOMPARE(names.header, header);
    QCOMPARE(names.raw, raw);
}

void OutputFilesTest::init()
{
    folder = std::make_unique<QTemporaryDir>();
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void OutputFilesTest::cleanup()
{
    window.reset();
    QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    folder.reset();
}

void OutputFilesTest::load(const QString &path)
{
    QVERIFY(loadThroughDialog(*window, path));
}

void OutputFilesTest::setAutoSave(bool on)
{
    auto *autoSave = window->findChild<QCheckBox *>("cbAutoSave");
    if (autoSave->isChecked() != on)
        QTest::mouseClick(autoSave, Qt::LeftButton);
}

void OutputFilesTest::clickSave()
{
    QTest::mouseClick(window->findChild<QPushButton *>("pbSave"), Qt::LeftButton);
}

QString OutputFilesTest::picture(const QString &name, const QImage &image)
{
    return writePicture(folder->filePath(name), image);
}

void OutputFilesTest::writeOldPair(const QString &base)
{
    QVERIFY(writeFile(base + "_data.h", "old header\n"));
    QVERIFY(writeFile(base + "_raw.raw", "old raw"));
}

void OutputFilesTest::autoSaveWritesThePairBesideThePicture()
{
    const QString path = picture("photo.png", gradient(200, 150));
    DebugCapture trace;
    load(path);

    QCOMPARE(trace.lines().mid(2),
             QStringList({"mainwindow.cpp 136 6144 ", "mainwindow.cpp 139 6144 "}));
    QCOMPARE(readFile(folder->filePath("photo_raw.raw")), expectedRaw(path));
    const QByteArray header = readFile(folder->filePath("photo_data.h"));
    QCOMPARE(header, pane()->toPlainText().toUtf8());
    QVERIFY(header.startsWith("\n/* \n"));
    QVERIFY(!header.contains('\r'));
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files).size(), 3); // no temporary files left
}

void OutputFilesTest::oldLongerFilesAreCutToTheNewLength()
{
    const QString path = picture("small.png", gradient(4, 2));
    QVERIFY(writeFile(folder->filePath("small_raw.raw"), QByteArray(10000, 'x')));
    QVERIFY(writeFile(folder->filePath("small_data.h"), QByteArray(100000, 'x')));
    load(path);
    QCOMPARE(readFile(folder->filePath("small_raw.raw")), expectedRaw(path));
    QCOMPARE(readFile(folder->filePath("small_data.h")), pane()->toPlainText().toUtf8());
}

void OutputFilesTest::onePixelWidePictureGivesAnEmptyRawFile()
{
    const QString path = picture("line.png", gradient(1, 40));
    DebugCapture trace;
    load(path);
    QCOMPARE(trace.lines().mid(1),
             QStringList(
                     {"mainwindow.cpp 84 0 ", "mainwindow.cpp 136 0 ", "mainwindow.cpp 139 0 "}));
    QVERIFY(QFile::exists(folder->filePath("line_raw.raw")));
    QCOMPARE(QFileInfo(folder->filePath("line_raw.raw")).size(), 0);
}

void OutputFilesTest::headerIsThePaneAsItStands_data()
{
    QTest::addColumn<QString>("edit"); // what the user leaves in the pane; "=" for untouched
    QTest::addColumn<bool>("paneShown");

    QTest::newRow("edited") << "// my own comment\nstatic const int x = 1;\n" << true;
    QTest::newRow("emptied") << "" << true;
    QTest::newRow("hidden pane") << "=" << false;
}

void OutputFilesTest::headerIsThePaneAsItStands()
{
    QFETCH(QString, edit);
    QFETCH(bool, paneShown);

    setAutoSave(false);
    const QString path = picture("edited.png", gradient(10, 10));
    load(path);
    QVERIFY(!QFile::exists(folder->filePath("edited_data.h")));

    if (paneShown)
        QTest::mouseClick(window->findChild<QCheckBox *>("cbViewOutput"), Qt::LeftButton);
    QCOMPARE(pane()->isVisible(), paneShown);
    if (edit != "=") {
        pane()->selectAll();
        QTest::keyClick(pane(), Qt::Key_Delete);
        const QStringList lines = edit.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(pane(), Qt::Key_Return);
            QTest::keyClicks(pane(), lines[i]);
        }
    }
    const QString text = pane()->toPlainText();
    QCOMPARE(text.isEmpty(), edit.isEmpty());

    clickSave();
    QCOMPARE(readFile(folder->filePath("edited_data.h")), text.toUtf8());
    QCOMPARE(readFile(folder->filePath("edited_raw.raw")), expectedRaw(path));
}

void OutputFilesTest::nonAsciiPathSurvivesInTheHeader()
{
    QVERIFY(QDir(folder->path()).mkdir("grüße"));
    const QString path = picture("grüße/bild.png", gradient(6, 6));
    load(path);
    const QByteArray header = readFile(folder->filePath("grüße/bild_data.h"));
    QVERIFY(header.contains(("Generated from: " + path + "\n").toUtf8()));
}

void OutputFilesTest::autoSaveRewritesOnEveryInvertToggle()
{
    const QString path = picture("toggle.png", gradient(20, 4));
    load(path);
    const QString raw = folder->filePath("toggle_raw.raw");
    QCOMPARE(readFile(raw), expectedRaw(path));

    auto *invert = window->findChild<QCheckBox *>("cbInvertColors");
    QTest::mouseClick(invert, Qt::LeftButton);
    QCOMPARE(readFile(raw), expectedRaw(path, true));
    QCOMPARE(readFile(folder->filePath("toggle_data.h")), pane()->toPlainText().toUtf8());
    QTest::mouseClick(invert, Qt::LeftButton);
    QCOMPARE(readFile(raw), expectedRaw(path));
}

void OutputFilesTest::nothingToSaveDoesNothing()
{
    setAutoSave(false);
    DebugCapture trace;
    clickSave(); // before any picture
    QVERIFY(trace.lines().isEmpty());

    const QString path = picture("gone.png", gradient(4, 4));
    load(path);
    QVERIFY(QFile::remove(path));
    WarningBox box;
    clickSave();
    QCoreApplication::processEvents();
    QVERIFY(!box.shown());
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList());
}

void OutputFilesTest::saveAfterAFailedLoadWritesNothing()
{
    setAutoSave(false);
    const QString good = picture("good.png", gradient(8, 8));
    load(good);
    const QString broken = folder->filePath("broken.png");
    QVERIFY(writeFile(broken, "not a picture"));
    {
        WarningBox box;
        load(broken);
        QVERIFY(box.shown());
    }

    DebugCapture trace;
    clickSave();
    QVERIFY(trace.lines().isEmpty());
    QVERIFY(!QFile::exists(folder->filePath("broken_data.h")));
    QVERIFY(!QFile::exists(folder->filePath("broken_raw.raw")));
    QVERIFY(!QFile::exists(folder->filePath("good_data.h")));
}

void OutputFilesTest::readOnlyRawFileReplacesNeither()
{
    const QString path = picture("locked.png", gradient(8, 8));
    const QString base = folder->filePath("locked");
    writeOldPair(base);
    QVERIFY(QFile::setPermissions(base + "_raw.raw", QFile::ReadOwner | QFile::ReadGroup));

    WarningBox box;
    load(path);
    QVERIFY(box.shown());
    QCOMPARE(box.text, RawError);
    QCOMPARE(box.title, QString("Oops"));
    QVERIFY(box.onlyOkAsDefault);
    QCOMPARE(readFile(base + "_data.h"), QByteArray("old header\n"));
    QCOMPARE(readFile(base + "_raw.raw"), QByteArray("old raw"));
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files).size(), 3);
}

void OutputFilesTest::unwritableFolderReportsTheHeader()
{
    const QString path = picture("shelf.png", gradient(8, 8));
    QVERIFY(QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::ExeOwner));

    WarningBox box;
    load(path);
    QVERIFY(box.shown());
    QCOMPARE(box.text, HeaderError);
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList({"shelf.png"}));
}

void OutputFilesTest::failedWriteAfterOpenKeepsTheOldPair_data()
{
    QTest::addColumn<QString>("paneText"); // empty: the generated header
    QTest::addColumn<QString>("message");

    // The generated header is far larger than the limit; a one-line header is not, but the
    // raw bytes are.
    QTest::newRow("header too large") << QString() << HeaderError;
    QTest::newRow("raw too large") << "x\n" << RawError;
}

void OutputFilesTest::failedWriteAfterOpenKeepsTheOldPair()
{
    QFETCH(QString, paneText);
    QFETCH(QString, message);

    setAutoSave(false);
    const QString path = picture("full.png", gradient(128, 96));
    load(path);
    if (!paneText.isEmpty())
        pane()->setPlainText(paneText);
    const QString base = folder->filePath("full");
    writeOldPair(base);

    WarningBox box;
    {
        const FileSizeLimit limit(2000);
        clickSave();
    }
    QVERIFY(box.shown());
    QCOMPARE(box.text, message);
    QCOMPARE(readFile(base + "_data.h"), QByteArray("old header\n"));
    QCOMPARE(readFile(base + "_raw.raw"), QByteArray("old raw"));
    QCOMPARE(QDir(folder->path()).entryList(QDir::Files).size(), 3);
}

NIBBLE_TEST_MAIN(OutputFilesTest, nibbletest::Privileges::DropRoot)
#include "tst_output_files.moc"
