#include "batch.h"

#include "headertext.h"
#include "outputfiles.h"
#include "pictureconversion.h"

#include <QDir>
#include <QFileInfo>
#include <QThreadPool>
#include <QtConcurrent>

namespace {

PictureOutcome convertOne(const QString &picture, const BatchOptions &options,
                          const QString &headerTemplate)
{
    PictureOutcome outcome{picture, QString(), QString(), QString()};
    if (!QFileInfo::exists(picture)) {
        outcome.error = QStringLiteral("no such file");
        return outcome;
    }
    const nibble::PictureConversion converted
            = nibble::convertPicture(picture, options.invert, options.generated, headerTemplate);
    if (!converted.ok()) {
        outcome.error = QStringLiteral("cannot read the picture: ") + converted.error;
        return outcome;
    }

    const nibble::OutputNames names = nibble::outputNames(outputBaseFor(picture, options));
    const nibble::SaveResult saved
            = nibble::saveOutputPair(names, converted.headerText, converted.rawData);
    if (!saved.ok()) {
        const QString &file = saved.failed == nibble::OutputFile::Header ? names.header : names.raw;
        outcome.error = QStringLiteral("cannot write %1: %2").arg(file, saved.reason);
        return outcome;
    }
    outcome.headerFile = names.header;
    outcome.rawFile = names.raw;
    return outcome;
}

} // namespace

QString outputBaseFor(const QString &picture, const BatchOptions &options)
{
    return options.outputDir.isEmpty()
            ? picture
            : QDir(options.outputDir).filePath(QFileInfo(picture).fileName());
}

int convertBatch(const QStringList &pictures, const BatchOptions &options,
                 const std::function<void(const PictureOutcome &)> &report)
{
    const QString headerTemplate = nibble::headerTemplate();
    QThreadPool pool;
    pool.setMaxThreadCount(options.jobs);
    QFuture<PictureOutcome> outcomes = QtConcurrent::mapped(
            &pool, pictures, [&options, &headerTemplate](const QString &picture) {
                return convertOne(picture, options, headerTemplate);
            });

    int failed = 0;
    for (int i = 0; i < pictures.size(); ++i) {
        const PictureOutcome outcome = outcomes.resultAt(i);
        failed += outcome.error.isEmpty() ? 0 : 1;
        report(outcome);
    }
    return failed;
}
