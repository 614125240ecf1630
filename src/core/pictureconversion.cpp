#include "pictureconversion.h"

#include "greyconversion.h"
#include "headertext.h"
#include "pictureloader.h"

namespace nibble {

PictureConversion convertPicture(const QString &path, bool invert, const QDateTime &generated,
                                 const QString &headerTemplate)
{
    const LoadedPicture loaded = loadPicture(path);
    if (!loaded.ok())
        return {loaded.error, QString(), QByteArray()};

    const QImage working = scaleToDisplay(loaded.image);
    GreyConversion grey = convertToGrey(working, invert);
    const HeaderFields fields{path, generated, working.size(), grey.rawData.size(), grey.dataText};
    return {QString(), fillHeaderTemplate(headerTemplate, fields), std::move(grey.rawData)};
}

} // namespace nibble
