#include "outputfiles.h"

#include <QFileInfo>
#include <QSaveFile>

namespace nibble {

namespace {

QString baseName(const QString &picturePath)
{
    // Only a "." in the file name itself starts an extension; one in a folder name is kept.
    qsizetype nameStart = picturePath.lastIndexOf(u'/') + 1;
#ifdef Q_OS_WIN
    nameStart = qMax(nameStart, picturePath.lastIndexOf(u'\\') + 1);
#endif
    const qsizetype dot = picturePath.lastIndexOf(u'.');
    return dot >= nameStart ? picturePath.left(dot) : picturePath;
}

bool writeAll(QSaveFile &file, const QByteArray &bytes, qint64 *written = nullptr)
{
    const qint64 count = file.write(bytes);
    if (written)
        *written = count;
    // Pushes the bytes out now, so that a full disk or a size limit shows here rather than
    // after the other file has already replaced its target.
    return count == bytes.size() && file.flush();
}

SaveResult failure(OutputFile which, const QFileDevice &file)
{
    SaveResult result;
    result.failed = which;
    result.reason = file.errorString();
    return result;
}

} // namespace

OutputNames outputNames(const QString &picturePath)
{
    const QString base = baseName(picturePath);
    return {base + QLatin1String("_data.h"), base + QLatin1String("_raw.raw")};
}

SaveResult saveOutputPair(const OutputNames &names, const QString &headerText,
                          const QByteArray &rawData)
{
    QSaveFile header(names.header);
    if (!header.open(QIODevice::WriteOnly | QIODevice::Text)
        || !writeAll(header, headerText.toUtf8()))
        return failure(OutputFile::Header, header);

    QSaveFile raw(names.raw);
    if (!raw.open(QIODevice::WriteOnly))
        return failure(OutputFile::Raw, raw);

    SaveResult result;
    qint64 written = -1;
    const bool rawComplete = writeAll(raw, rawData, &written);
    result.rawBytesWritten = written;
    if (!rawComplete) {
        result.failed = OutputFile::Raw;
        result.reason = raw.errorString();
    } else if (!header.commit()) {
        result.failed = OutputFile::Header;
        result.reason = header.errorString();
    } else if (!raw.commit()) {
        result.failed = OutputFile::Raw;
        result.reason = raw.errorString();
    }
    result.rawSizeOnDisk = QFileInfo(names.raw).size();
    return result;
}

} // namespace nibble
