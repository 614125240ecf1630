#include "batch.h"

#include "headertext.h"
#include "outputfiles.h"
#include "pictureconversion.h"

#include <QDir>
#include <QFileInfo>
#include <QThreadPool>
#include <QtConcurrent>

namespace {

PictureOutcome write(const QString &picture, const nibble::PictureConversion &conversion,
                     const BatchOptions &options)
{
    const nibble::OutputNames names = nibble::outputNames(outputBaseFor(picture, options));
    const nibble::SaveResult saved
            = nibble::saveOutputPair(names, conversion.headerText, conversion.rawData);
    if (!saved.ok()) {
        const QString &file = saved.failed == nibble::OutputFile::Header ? names.header : names.raw;
        return {picture, QStringLiteral("cannot write %1: %2").arg(file, saved.reason), {}, {}};
    }
    return {picture, QString(), names.header, names.raw};
}

} // namespace

QString outputBaseFor(const QString &picture, const BatchOptions &options)
{
    return options.outputDir.isEmpty()
            ? picture
            : QDir(options.outputDir).filePath(QFileInfo(picture).fileName());
}

Converted convertOne(const QString &picture, const BatchOptions &options,
                     const QString &headerTemplate)
{
    if (!QFileInfo::exists(picture))
        return {QStringLiteral("no such file"), {}};
    nibble::PictureConversion conversion
            = nibble::convertPicture(picture, options.invert, options.generated, headerTemplate);
    if (!conversion.ok())
        return {QStringLiteral("cannot read the picture: ") + conversion.error, {}};
    return {QString(), std::move(conversion)};
}

int convertBatch(const QStringList &pictures, const BatchOptions &options,
                 const std::function<void(const PictureOutcome &)> &report)
{
    const QString headerTemplate = nibble::headerTemplate();
    QThreadPool pool;
    pool.setMaxThreadCount(options.jobs);
    QFuture<Converted> conversions = QtConcurrent::mapped(
            &pool, pictures, [&options, &headerTemplate](const QString &picture) {
                return convertOne(picture, options, headerTemplate);
            });

    // Writing waits on the disk (each pair is synced before it replaces the old one); done
    // here, in input order, it overlaps with the workers decoding the next pictures.
    int failed = 0;
    for (int i = 0; i < pictures.size(); ++i) {
        const Converted converted = conversions.resultAt(i);
        const PictureOutcome outcome = converted.error.isEmpty()
                ? write(pictures[i], converted.conversion, options)
                : PictureOutcome{pictures[i], converted.error, {}, {}};
        failed += outcome.error.isEmpty() ? 0 : 1;
        report(outcome);
    }
    return failed;
}
