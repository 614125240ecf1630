#pragma once

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

// Where a picture's two files go under these options.
QString outputBaseFor(const QString &picture, const BatchOptions &options);

// Converts every picture and writes its pair, several at once; each outcome is reported in input
// order as soon as it and all before it are done. Returns how many failed.
int convertBatch(const QStringList &pictures, const BatchOptions &options,
                 const std::function<void(const PictureOutcome &)> &report);
