#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace nibble {

struct OutputNames
{
    QString header; // <picture without its extension>_data.h
    QString raw; // <picture without its extension>_raw.raw
};

OutputNames outputNames(const QString &picturePath);

enum class OutputFile { None, Header, Raw };

struct SaveResult
{
    OutputFile failed = OutputFile::None; // the file that could not be written
    QString reason;
    std::optional<qint64> rawBytesWritten; // set once the raw bytes were handed to the file
    qint64 rawSizeOnDisk = 0; // afterwards, 0 when there is no raw file

    bool ok() const { return failed == OutputFile::None; }
};

// Both files are written completely beside their targets and replace them only when both
// are complete: a failure leaves the previous pair as it was.
SaveResult saveOutputPair(const OutputNames &names, const QString &headerText,
                          const QByteArray &rawData);

} // namespace nibble
