#include "greyconversion.h"
#include "headertext.h"
#include "nibbletest.h"

#include <QApplication>
#include <QLocale>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>

using namespace nibbletest;

namespace {

const QDateTime Generated(QDate(2013, 3, 5), QTime(9, 7, 3));

struct Header
{
    QString text;
    QByteArray rawData;
};

Header headerFor(const QImage &picture, const QString &path, bool invert = false)
{
    const nibble::GreyConversion grey = nibble::convertToGrey(picture, invert);
    const nibble::HeaderFields fields{path, Generated, picture.size(), grey.rawData.size(),
                                      grey.dataText};
    return {nibble::fillHeaderTemplate(nibble::headerTemplate(), fields), grey.rawData};
}

QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(42);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate());
    return image;
}

QString macro(const QString &header, const char *name)
{
    const QRegularExpression line(QStringLiteral("^ #define %1 +(\\S+)$").arg(name),
                                  QRegularExpression::MultilineOption);
    return line.match(header).captured(1);
}

struct Run
{
    int exitCode = -1;
    QByteArray output;
};

Run run(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    if (process.exitCode() != 0)
        qWarning("%s", process.readAllStandardError().constData());
    return {process.exitCode(), process.readAllStandardOutput()};
}

} // namespace

class HeaderTextTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeHeaderForTheWorkedExample();
    void macros_data();
    void macros();
    void dataEndings_data();
    void dataEndings();
    void pathStandsAsItIs_data();
    void pathStandsAsItIs();
    void generationTimeUsesTheSystemLocale();

    void compiles_data();
    void compiles();
    void compilesForTheCortexM3();
};

void HeaderTextTest::wholeHeaderForTheWorkedExample()
{
    const QImage picture
            = pictureOf(4, {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)});
    const QString month = QLocale::system().monthName(3, QLocale::ShortFormat);
    const QString expected = "\n"
                             "/* \n"
                             " * Generated with 'Nibblecast for EK-LM3S6965' Version 1.0a\n"
                             " * Author: Orvantis                                 Date: "
            + nibble::buildDate()
            + "\n"
              " *\n"
              " * Generated from: /pics/example.png\n"
              " * Date Generated: 5 "
            + month
            + " 2013  9:07:03\n"
              " *\n"
              " */\n"
              " \n"
              " #define IMG_DATA_X_BYTES   2\n"
              " #define IMG_DATA_Y_BYTES   1\n"
              " #define IMG_DATA_TOT_BYTES 2\n"
              " #define IMG_DATA_X_PIXEL   4\n"
              " #define IMG_DATA_Y_PIXEL   1\n"
              " #define IMG_DATA_TOT_PIXEL 4\n"
              " \n"
              " static unsigned char IMG_DATA[2] = {\n"
              "0xf0, 0x52, \n"
              " };\n"
              " \n";
    QCOMPARE(headerFor(picture, "/pics/example.png").text, expected);
}

void HeaderTextTest::macros_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("values"); // X_BYTES Y_BYTES TOT_BYTES X_PIXEL Y_PIXEL TOT_PIXEL

    QTest::newRow("display") << QSize(128, 96)
                             << QStringList{"64", "96", "6144", "128", "96", "12288"};
    QTest::newRow("odd width") << QSize(75, 40)
                               << QStringList{"37", "40", "1480", "75", "40", "2960"};
    QTest::newRow("one pixel wide") << QSize(1, 96) << QStringList{"0", "96", "0", "1", "96", "0"};
}

void HeaderTextTest::macros()
{
    QFETCH(QSize, size);
    QFETCH(QStringList, values);

    const QString header = headerFor(noise(size.width(), size.height()), "/p.png").text;
    const char *names[] = {"IMG_DATA_X_BYTES", "IMG_DATA_Y_BYTES", "IMG_DATA_TOT_BYTES",
                           "IMG_DATA_X_PIXEL", "IMG_DATA_Y_PIXEL", "IMG_DATA_TOT_PIXEL"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(macro(header, names[i]), values[i]);
    QVERIFY(header.contains(" static unsigned char IMG_DATA[" + values[2] + "] = {\n"));
}

void HeaderTextTest::dataEndings_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("ending");

    QTest::newRow("display: a last line of four")
            << QSize(128, 96) << QStringLiteral("(0x[0-9a-f]{2}, ){4}\n };\n \n$");
    QTest::newRow("20 bytes: an empty line before the brace")
            << QSize(40, 1) << QStringLiteral("(0x[0-9a-f]{2}, ){20}\n\n };\n \n$");
    QTest::newRow("no bytes: an empty initialiser line")
            << QSize(1, 5) << QStringLiteral("IMG_DATA\\[0\\] = \\{\n\n };\n \n$");
}

void HeaderTextTest::dataEndings()
{
    QFETCH(QSize, size);
    QFETCH(QString, ending);

    const QString header = headerFor(noise(size.width(), size.height()), "/p.png").text;
    QVERIFY2(QRegularExpression(ending).match(header).hasMatch(), qPrintable(header.right(200)));
}

void HeaderTextTest::pathStandsAsItIs_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");

    QTest::newRow("percent one") << "/pics/%1.png"
                                 << "/pics/%1.png";
    QTest::newRow("percent ten") << "/pics/%10 and %2%3.png"
                                 << "/pics/%10 and %2%3.png";
    QTest::newRow("non-ASCII") << "/bilder/grüße.png"
                               << "/bilder/grüße.png";
    QTest::newRow("comment end") << "/x*/int evil;/*.png"
                                 << "/x*\\/int evil;/\\*.png";
    QTest::newRow("doubled comment ends") << "/a**//b*/.png"
                                          << "/a**\\//b*\\/.png";
    QTest::newRow("star slash star") << "/a*/*b.png"
                                     << "/a*\\/\\*b.png";
}

void HeaderTextTest::pathStandsAsItIs()
{
    QFETCH(QString, path);
    QFETCH(QString, shown);

    const QString header = headerFor(pictureOf(2, {0, 0}), path).text;
    QVERIFY2(header.contains("\n * Generated from: " + shown + "\n"), qPrintable(header));
}

void HeaderTextTest::generationTimeUsesTheSystemLocale()
{
    const QLocale system = QLocale::system();
    QCOMPARE(nibble::generationTimeText(QDateTime(QDate(2026, 12, 1), QTime(23, 59, 9))),
             "1 " + system.monthName(12, QLocale::ShortFormat) + " 2026  23:59:09");
}

void HeaderTextTest::compiles_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("path");

    QTest::newRow("display") << QSize(128, 96) << "/pics/photo.png";
    QTest::newRow("odd width") << QSize(75, 40) << "/pics/odd.bmp";
    QTest::newRow("20 bytes") << QSize(40, 1) << "/pics/strip.png";
    QTest::newRow("a path that would end the comment")
            << QSize(8, 2) << "/tmp/x*/int evil = 1;/*/pic.png";
    QTest::newRow("a path ending in a backslash") << QSize(8, 2) << "C:\\pics\\";
}

// The array a C program sees holds exactly the packed bytes, whatever the path says.
void HeaderTextTest::compiles()
{
    QFETCH(QSize, size);
    QFETCH(QString, path);

    const QTemporaryDir folder;
    const Header header = headerFor(noise(size.width(), size.height()), path);
    QVERIFY(writeFile(folder.filePath("picture_data.h"), header.text.toUtf8()));
    QVERIFY(writeFile(folder.filePath("main.c"),
                      "#include <stdio.h>\n"
                      "#include \"picture_data.h\"\n"
                      "_Static_assert(sizeof IMG_DATA == IMG_DATA_TOT_BYTES, \"array size\");\n"
                      "_Static_assert(IMG_DATA_TOT_PIXEL == 2 * IMG_DATA_TOT_BYTES, \"pixels\");\n"
                      "int main(void)\n"
                      "{\n"
                      "    fwrite(IMG_DATA, 1, sizeof IMG_DATA, stdout);\n"
                      "    return 0;\n"
                      "}\n"));

    const Run compiled = run(C_COMPILER,
                             {"-std=c11", "-Wall", "-Wextra", "-Werror", "-o", "picture", "main.c"},
                             folder.path());
    QCOMPARE(compiled.exitCode, 0);
    const Run program = run(folder.filePath("picture"), {}, folder.path());
    QCOMPARE(program.exitCode, 0);
    QCOMPARE(program.output, header.rawData);

    const Run preprocessed = run(C_COMPILER, {"-E", "-P", "picture_data.h"}, folder.path());
    QCOMPARE(preprocessed.exitCode, 0);
    QVERIFY2(!preprocessed.output.contains("evil"), "part of the path stands outside the comment");
}

void HeaderTextTest::compilesForTheCortexM3()
{
    const QString clang = QStandardPaths::findExecutable("clang");
    if (clang.isEmpty())
        QSKIP("no clang to cross-compile with");

    const QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath("picture_data.h"),
                      headerFor(noise(128, 96), "/pics/photo.png").text.toUtf8()));
    QVERIFY(writeFile(folder.filePath("display.c"),
                      "#include \"picture_data.h\"\n"
                      "const unsigned char *picture(void) { return IMG_DATA; }\n"));
    const Run compiled = run(clang,
                             {"--target=thumbv7m-none-eabi", "-mcpu=cortex-m3", "-std=c99", "-Wall",
                              "-Wextra", "-Werror", "-c", "display.c"},
                             folder.path());
    QCOMPARE(compiled.exitCode, 0);
}

NIBBLE_TEST_MAIN(HeaderTextTest, nibbletest::Privileges::Keep)
#include "tst_headertext.moc"
