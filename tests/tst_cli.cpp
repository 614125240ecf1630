#include "greyconversion.h"
#include "mainwindow.h"
#include "nibbletest.h"
#include "pictureloader.h"

#include <QApplication>
#include <QCheckBox>
#include <QProcess>

using namespace nibbletest;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString &program, const QStringList &arguments, const QString &folder = {},
        const QString &sourceDateEpoch = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    environment.remove("QT_QPA_PLATFORM"); // it must not need one
    environment.remove("SOURCE_DATE_EPOCH");
    if (!sourceDateEpoch.isEmpty())
        environment.insert("SOURCE_DATE_EPOCH", sourceDateEpoch);
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Run cli(const QStringList &arguments, const QString &sourceDateEpoch = {})
{
    return run(CLI_EXECUTABLE, arguments, {}, sourceDateEpoch);
}

QString withoutGenerationTime(const QByteArray &header)
{
    return QString::fromUtf8(header).remove(QRegularExpression(" \\* Date Generated: [^\n]*\n"));
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sameFilesAsTheWindow_data();
    void sameFilesAsTheWindow();
    void exitCodesAndMessages_data();
    void exitCodesAndMessages();
    void mixedGoodAndBadPictures();
    void helpAndVersion();
    void sourceDateEpochGivesIdenticalRuns();
    void jobsGiveTheSameFilesAsASerialRun();
    void stdoutPrintsTheHeader();
    void decodeRoundTrip_data();
    void decodeRoundTrip();
    void decodeRefusesARawThatDoesNotFitTheWidth();
    void cmakeFunctionBuildsATinyProject();

private:
    QString path(const QString &name) const { return folder->filePath(name); }
    std::unique_ptr<QTemporaryDir> folder;
};

void CliTest::init()
{
    folder = std::make_unique<QTemporaryDir>();
}

void CliTest::cleanup()
{
    folder.reset();
}

void CliTest::sameFilesAsTheWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<bool>("invert");

    QTest::newRow("scaled png") << "photo.png" << gradient(300, 200) << false;
    QTest::newRow("odd width bmp") << "odd.bmp" << gradient(75, 40) << false;
    QTest::newRow("inverted jpeg") << "inverted.jpg" << gradient(160, 100) << true;
}

void CliTest::sameFilesAsTheWindow()
{
    QFETCH(QString, name);
    QFETCH(QImage, picture);
    QFETCH(bool, invert);

    const QString picturePath = writePicture(path(name), picture);
    {
        MainWindow window;
        window.show();
        if (invert)
            QTest::mouseClick(window.findChild<QCheckBox *>("cbInvertColors"), Qt::LeftButton);
        QVERIFY(loadThroughDialog(window, picturePath));
    }
    const QString base = path(QFileInfo(name).completeBaseName());

    QStringList arguments{"--quiet", "--output-dir", path("cli"), picturePath};
    if (invert)
        arguments.prepend("--invert");
    const Run converted = cli(arguments);
    QCOMPARE(converted.exitCode, 0);
    QCOMPARE(converted.out, QString());

    const QString cliBase = path("cli/") + QFileInfo(name).completeBaseName();
    QCOMPARE(readFile(cliBase + "_raw.raw"), readFile(base + "_raw.raw"));
    QCOMPARE(withoutGenerationTime(readFile(cliBase + "_data.h")),
             withoutGenerationTime(readFile(base + "_data.h")));
}

void CliTest::exitCodesAndMessages_data()
{
    QTest::addColumn<QStringList>("arguments"); // "@" stands for the test's folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("unreadable picture") << QStringList{"@/notes.png"} << 1
                                        << "nibblecast-cli: @/notes.png: cannot read the picture";
    QTest::newRow("missing file") << QStringList{"@/absent.png"} << 1
                                  << "nibblecast-cli: @/absent.png: no such file";
    QTest::newRow("folder that cannot be written")
            << QStringList{"--output-dir", "@/notes.png/out", "@/good.png"} << 1
            << "nibblecast-cli: @/good.png: cannot write @/notes.png/out/good_data.h";
    QTest::newRow("bad option") << QStringList{"--frobnicate", "@/good.png"} << 2
                                << "nibblecast-cli: Unknown option 'frobnicate'.";
    QTest::newRow("no picture") << QStringList{"--invert"} << 2
                                << "nibblecast-cli: no picture given";
    QTest::newRow("jobs zero") << QStringList{"--jobs", "0", "@/good.png"} << 2
                               << "nibblecast-cli: --jobs takes a whole number of at least 1";
    QTest::newRow("stdout with two") << QStringList{"--stdout", "@/good.png", "@/good.png"} << 2
                                     << "nibblecast-cli: --stdout prints exactly one";
    QTest::newRow("same output twice")
            << QStringList{"--output-dir", "@/out", "@/good.png", "@/sub/good.png"} << 2
            << "nibblecast-cli: @/good.png and @/sub/good.png would write the same files";
}

void CliTest::exitCodesAndMessages()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QVERIFY(writeFile(path("notes.png"), "not a picture"));
    writePicture(path("good.png"), gradient(4, 4));
    QDir(folder->path()).mkdir("sub");
    writePicture(path("sub/good.png"), gradient(4, 4));
    arguments.replaceInStrings("@", folder->path());

    const Run result = cli(arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.startsWith(message.replace("@", folder->path())), qPrintable(result.err));
    QCOMPARE(result.err.count(u'\n'), exitCode == 1 ? 1 : 2); // one line, or a line and a hint
}

void CliTest::mixedGoodAndBadPictures()
{
    const QString first = writePicture(path("first.png"), gradient(8, 8));
    QVERIFY(writeFile(path("broken.png"), "\x89PNG\r\n\x1a\n"));
    const QString last = writePicture(path("last.bmp"), gradient(8, 8));

    const Run result = cli({first, path("broken.png"), last});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.out,
             QString("%1 -> %2, %3\n%4 -> %5, %6\n")
                     .arg(first, path("first_data.h"), path("first_raw.raw"), last,
                          path("last_data.h"), path("last_raw.raw")));
    // libpng prints its own complaint to stderr before ours; ours is the one line naming the file.
    const QStringList ours = result.err.split(u'\n').filter("nibblecast-cli: ");
    QCOMPARE(ours.size(), 1);
    QVERIFY2(ours[0].startsWith("nibblecast-cli: " + path("broken.png") + ": cannot read"),
             qPrintable(result.err));
    QCOMPARE(filesIn(folder->path()),
             QStringList({"broken.png", "first.png", "first_data.h", "first_raw.raw", "last.bmp",
                          "last_data.h", "last_raw.raw"}));
}

void CliTest::helpAndVersion()
{
    const Run help = cli({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.startsWith("Usage: "));
    for (const char *option : {"--invert", "--output-dir <dir>", "--stdout", "--quiet",
                               "--jobs <n>", "--decode <raw>", "--width <pixels>", "-o, --output"})
        QVERIFY2(help.out.contains(option), option);
    QVERIFY(help.out.contains("SOURCE_DATE_EPOCH"));

    const Run version = cli({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(QRegularExpression("^nibblecast-cli \\d+\\.\\d+\n$").match(version.out).hasMatch());
}

void CliTest::sourceDateEpochGivesIdenticalRuns()
{
    const QString picture = writePicture(path("pic.png"), gradient(50, 50));
    QCOMPARE(cli({"--output-dir", path("one"), picture}, "1577836800").exitCode, 0);
    QTest::qWait(1100); // a second later, a wall-clock time would differ
    QCOMPARE(cli({"--output-dir", path("two"), picture}, "1577836800").exitCode, 0);

    const QByteArray header = readFile(path("one/pic_data.h"));
    QCOMPARE(readFile(path("two/pic_data.h")), header);
    QCOMPARE(readFile(path("two/pic_raw.raw")), readFile(path("one/pic_raw.raw")));
    QVERIFY(header.contains("\n * Date Generated: 1 Jan 2020  0:00:00\n"));

    const Run bad = cli({picture}, "yesterday");
    QCOMPARE(bad.exitCode, 2);
    QVERIFY(bad.err.contains("SOURCE_DATE_EPOCH"));
}

void CliTest::jobsGiveTheSameFilesAsASerialRun()
{
    QStringList pictures;
    for (int i = 0; i < 16; ++i)
        pictures << writePicture(path(QString("p%1.png").arg(i, 2, 10, QChar('0'))),
                                 gradient(100 + 20 * i, 90 + 3 * i));

    const Run serial = cli(QStringList{"--jobs", "1", "--output-dir", path("serial")} + pictures,
                           "1700000000");
    const Run parallel = cli(
            QStringList{"--jobs", "2", "--output-dir", path("parallel")} + pictures, "1700000000");
    QCOMPARE(serial.exitCode, 0);
    QCOMPARE(parallel.exitCode, 0);
    QCOMPARE(QString(parallel.out).replace("/parallel/", "/serial/"), serial.out);

    const QStringList files = filesIn(path("serial"));
    QCOMPARE(files.size(), 32);
    QCOMPARE(filesIn(path("parallel")), files);
    for (const QString &file : files)
        QCOMPARE(readFile(path("parallel/" + file)), readFile(path("serial/" + file)));
}

void CliTest::stdoutPrintsTheHeader()
{
    const QString picture = writePicture(path("pic.png"), gradient(30, 20));
    const Run printed = cli({"--stdout", picture}, "1577836800");
    QCOMPARE(printed.exitCode, 0);
    QVERIFY(filesIn(folder->path()) == QStringList{"pic.png"});
    QCOMPARE(cli({picture}, "1577836800").exitCode, 0);
    QCOMPARE(printed.out.toUtf8(), readFile(path("pic_data.h")));
}

void CliTest::decodeRoundTrip_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("width"); // as IMG_DATA_X_PIXEL gives it
    QTest::addColumn<QSize>("decoded");

    QTest::newRow("display") << QSize(300, 200) << 128 << QSize(128, 96);
    QTest::newRow("odd width") << QSize(75, 40) << 75 << QSize(74, 40);
}

void CliTest::decodeRoundTrip()
{
    QFETCH(QSize, size);
    QFETCH(int, width);
    QFETCH(QSize, decoded);

    const QString picture = writePicture(path("pic.png"), gradient(size.width(), size.height()));
    QCOMPARE(cli({"--invert", picture}).exitCode, 0);
    const Run result = cli({"--decode", path("pic_raw.raw"), "--width", QString::number(width),
                            "-o", path("back.png")});
    QCOMPARE(result.exitCode, 0);

    const QImage back(path("back.png"));
    QCOMPARE(back.size(), decoded);
    // The display's levels: the preview's grey v = level * 16 becomes level * 17.
    const QImage preview = nibble::convertToGrey(
                                   nibble::scaleToDisplay(nibble::loadPicture(picture).image), true)
                                   .preview;
    for (int y = 0; y < back.height(); ++y) {
        for (int x = 0; x < back.width(); ++x) {
            const int level = qRed(preview.pixel(x, y)) / 16;
            QCOMPARE(back.pixel(x, y), qRgb(level * 17, level * 17, level * 17));
        }
    }
}

void CliTest::decodeRefusesARawThatDoesNotFitTheWidth()
{
    QVERIFY(writeFile(path("odd.raw"), QByteArray(6144, '\x5a')));
    const Run result = cli({"--decode", path("odd.raw"), "--width", "10", "-o", path("x.png")});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains("6144 bytes are not whole rows of 5 bytes"),
             qPrintable(result.err));
    QVERIFY(!QFile::exists(path("x.png")));
}

void CliTest::cmakeFunctionBuildsATinyProject()
{
    const QString picture = writePicture(path("splash.png"), gradient(200, 120));
    const QString build = path("build");
    auto cmake = [&](const QStringList &arguments) {
        const Run result = run(CMAKE_COMMAND, arguments, folder->path());
        if (result.exitCode != 0)
            qWarning("%s%s", qPrintable(result.out), qPrintable(result.err));
        return result.exitCode;
    };
    QCOMPARE(cmake({"-S", CMAKE_FUNCTION_PROJECT, "-B", build, "-DPICTURE=" + picture,
                    "-DNibblecast_DIR=" + QString(NIBBLECAST_BUILD_DIR)}),
             0);
    QCOMPARE(cmake({"--build", build}), 0);
    auto arrayInProgram = [&build] {
        QProcess dump;
        dump.start(build + "/dump_picture", QStringList());
        return dump.waitForFinished() ? dump.readAllStandardOutput() : QByteArray();
    };
    const QByteArray firstBytes = readFile(build + "/nibblecast/splash_raw.raw");
    QCOMPARE(firstBytes.size(), 6144);
    QCOMPARE(arrayInProgram(), firstBytes);

    // A changed picture is converted again by the next build.
    QTest::qWait(1100);
    writePicture(picture, gradient(40, 10));
    QCOMPARE(cmake({"--build", build}), 0);
    const QByteArray secondBytes = readFile(build + "/nibblecast/splash_raw.raw");
    QCOMPARE(secondBytes.size(), 200);
    QCOMPARE(arrayInProgram(), secondBytes);
}

NIBBLE_TEST_MAIN(CliTest, nibbletest::Privileges::Keep)
#include "tst_cli.moc"
