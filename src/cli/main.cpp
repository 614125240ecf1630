// nibblecast-cli: the window's conversion for firmware builds and batches, without a display.
#include "batch.h"
#include "headertext.h"
#include "outputfiles.h"
#include "rawdecoder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimeZone>

#include <cstdio>

namespace {

enum ExitCode { Success = 0, Failure = 1, UsageError = 2 };

void printTo(FILE *stream, const QString &text)
{
    std::fputs(qUtf8Printable(text + u'\n'), stream);
}

int usageError(const QString &message)
{
    printTo(stderr,
            QStringLiteral("nibblecast-cli: %1\nTry 'nibblecast-cli --help'.").arg(message));
    return UsageError;
}

int failure(const QString &subject, const QString &reason)
{
    printTo(stderr, QStringLiteral("nibblecast-cli: %1: %2").arg(subject, reason));
    return Failure;
}

// Qt's image readers report damaged files through its warnings; the one line this program
// prints for each failed picture already says so, and says which picture. (libpng's own
// default error printer writes to stderr directly and cannot be stopped here.)
void dropToolkitChatter(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        printTo(stderr, message);
}

// SOURCE_DATE_EPOCH, when set, replaces the time of generation, so that builds are reproducible.
bool generationTime(QDateTime *when, QString *error)
{
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    if (epoch.isEmpty()) {
        *when = QDateTime::currentDateTime();
        return true;
    }
    bool ok = false;
    const qint64 seconds = epoch.toLongLong(&ok);
    if (!ok || seconds < 0) {
        *error = QStringLiteral("SOURCE_DATE_EPOCH must be a whole number of seconds, not '%1'")
                         .arg(QString::fromLocal8Bit(epoch));
        return false;
    }
    *when = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
    return true;
}

int decode(const QString &rawPath, const QString &widthText, const QString &outPath)
{
    bool ok = false;
    const int width = widthText.toInt(&ok);
    if (!ok || width < 2)
        return usageError(QStringLiteral("--width takes a picture width of at least 2"));
    if (outPath.isEmpty())
        return usageError(QStringLiteral("--decode needs an output picture (-o OUT.png)"));

    QFile raw(rawPath);
    if (!raw.open(QIODevice::ReadOnly))
        return failure(rawPath, raw.errorString());
    const nibble::DecodedRaw decoded = nibble::decodeRaw(raw.readAll(), width);
    if (decoded.image.isNull())
        return failure(rawPath, decoded.error);
    if (!decoded.image.save(outPath))
        return failure(outPath, QStringLiteral("cannot write the picture"));
    return Success;
}

int printHeader(const QString &picture, const BatchOptions &options)
{
    const Converted converted = convertOne(picture, options, nibble::headerTemplate());
    if (!converted.error.isEmpty())
        return failure(picture, converted.error);
    const QByteArray text = converted.conversion.headerText.toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return Success;
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(dropToolkitChatter);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nibblecast-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NIBBLECAST_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
            "Converts pictures into C headers (<picture>_data.h) and raw files "
            "(<picture>_raw.raw)\n"
            "for the EK-LM3S6965's 128 x 96, 16-grey-level OLED, as Nibblecast's Auto Save does.\n"
            "With SOURCE_DATE_EPOCH set, its time (UTC) is the header's generation time."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption invert(QStringLiteral("invert"),
                                    QStringLiteral("Invert the grey levels."));
    const QCommandLineOption outputDir(
            QStringLiteral("output-dir"),
            QStringLiteral("Write the files into <dir>, not beside the pictures."),
            QStringLiteral("dir"));
    const QCommandLineOption toStdout(
            QStringLiteral("stdout"),
            QStringLiteral("Print one picture's header instead of writing files."));
    const QCommandLineOption quiet(QStringLiteral("quiet"),
                                   QStringLiteral("Print nothing but errors."));
    const QCommandLineOption jobs(
            QStringLiteral("jobs"),
            QStringLiteral("Convert <n> pictures at once (default: all cores)."),
            QStringLiteral("n"));
    const QCommandLineOption decodeRaw(
            QStringLiteral("decode"),
            QStringLiteral("Turn the raw file <raw> back into a picture of the 16 levels."),
            QStringLiteral("raw"));
    const QCommandLineOption width(QStringLiteral("width"),
                                   QStringLiteral("With --decode: the picture's width in pixels."),
                                   QStringLiteral("pixels"));
    const QCommandLineOption output(
            {QStringLiteral("o"), QStringLiteral("output")},
            QStringLiteral("With --decode: the picture to write (PNG, BMP, ...)."),
            QStringLiteral("file"));
    parser.addOptions({invert, outputDir, toStdout, quiet, jobs, decodeRaw, width, output});
    parser.addPositionalArgument(QStringLiteral("pictures"),
                                 QStringLiteral("PNG, JPEG or BMP files to convert."),
                                 QStringLiteral("PICTURE..."));

    if (!parser.parse(QCoreApplication::arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(helpOption))
        parser.showHelp(Success);
    if (parser.isSet(versionOption))
        parser.showVersion();

    const QStringList pictures = parser.positionalArguments();
    if (parser.isSet(decodeRaw)) {
        if (!pictures.isEmpty())
            return usageError(QStringLiteral("--decode takes no pictures"));
        if (!parser.isSet(width))
            return usageError(QStringLiteral("--decode needs --width"));
        return decode(parser.value(decodeRaw), parser.value(width), parser.value(output));
    }
    if (pictures.isEmpty())
        return usageError(QStringLiteral("no picture given"));

    BatchOptions options;
    options.invert = parser.isSet(invert);
    QString error;
    if (!generationTime(&options.generated, &error))
        return usageError(error);

    if (parser.isSet(toStdout)) {
        if (pictures.size() != 1)
            return usageError(QStringLiteral("--stdout prints exactly one picture's header"));
        return printHeader(pictures.first(), options);
    }

    options.jobs = QThread::idealThreadCount();
    if (parser.isSet(jobs)) {
        bool ok = false;
        options.jobs = parser.value(jobs).toInt(&ok);
        if (!ok || options.jobs < 1)
            return usageError(QStringLiteral("--jobs takes a whole number of at least 1"));
    }
    if (parser.isSet(outputDir)) {
        options.outputDir = parser.value(outputDir);
        QDir().mkpath(options.outputDir); // a failure shows as each picture's write error
    }

    // Two pictures writing the same pair would leave whichever finished last.
    QHash<QString, QString> claimed;
    for (const QString &picture : pictures) {
        const QString base = QFileInfo(nibble::outputNames(outputBaseFor(picture, options)).raw)
                                     .absoluteFilePath();
        if (claimed.contains(base) && claimed[base] != picture) {
            return usageError(QStringLiteral("%1 and %2 would write the same files")
                                      .arg(claimed[base], picture));
        }
        claimed.insert(base, picture);
    }

    const bool verbose = !parser.isSet(quiet);
    const int failed = convertBatch(pictures, options, [verbose](const PictureOutcome &outcome) {
        if (!outcome.error.isEmpty())
            failure(outcome.picture, outcome.error);
        else if (verbose)
            printTo(stdout,
                    QStringLiteral("%1 -> %2, %3")
                            .arg(outcome.picture, outcome.headerFile, outcome.rawFile));
    });
    return failed == 0 ? Success : Failure;
}
