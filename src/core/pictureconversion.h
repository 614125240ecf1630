#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace nibble {

struct PictureConversion
{
    QString error; // empty on success
    QString headerText;
    QByteArray rawData;

    bool ok() const { return error.isEmpty(); }
};

// The whole road of one picture for front ends without previews: load, scale, convert and fill
// the header template (given, so that it is read once for a whole batch).
PictureConversion convertPicture(const QString &path, bool invert, const QDateTime &generated,
                                 const QString &headerTemplate);

} // namespace nibble
