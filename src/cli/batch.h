#pragma once

#include "pictureconversion.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

struct BatchOptions
{
    bool invert = false;
    QString outputDir; // empty: beside each picture
    int jobs = 1;
    QDateTime generated;
};

struct PictureOutcome
{
    QString picture;
    QString error; // empty on success
    QString headerFile;
    QString rawFile;
};

struct Converted
{
    QString error; // empty on success
    nibble::PictureConversion conversion;
};

// One picture, converted but not written; the error names what went wrong for a message.
Converted convertOne(const QString &picture, const BatchOptions &options,
                     const QString &headerTemplate);

// Where a picture's two files go under these options.
QString outputBaseFor(const QString &picture, const BatchOptions &options);

// Converts the pictures on `jobs` threads and writes each pair as soon as it and all before it
// are converted, reporting each outcome in input order. Returns how many failed.
int convertBatch(const QStringList &pictures, const BatchOptions &options,
                 const std::function<void(const PictureOutcome &)> &report);
