// libFuzzer target over the whole path a picture takes: bytes, the size-limited load, scaling,
// the grey conversion (both ways) and the header text.
#include "greyconversion.h"
#include "headertext.h"
#include "pictureloader.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Damaged inputs make the readers warn at length; only crashes matter here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QCoreApplication application(*argc, *argv); // finds the image format plugins
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes
            = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer device(&bytes);
    const nibble::LoadedPicture loaded = nibble::loadPicture(&device);
    if (!loaded.ok())
        return 0;

    const QImage working = nibble::scaleToDisplay(loaded.image);
    if (working.width() > 128 || working.height() > 96)
        __builtin_trap();
    for (bool invert : {false, true}) {
        const nibble::GreyConversion grey = nibble::convertToGrey(working, invert);
        if (grey.rawData.size() != qsizetype(working.width() / 2) * working.height())
            __builtin_trap();
        const nibble::HeaderFields fields{
                QStringLiteral("fuzz.png"), {}, working.size(), grey.rawData.size(), grey.dataText};
        if (nibble::fillHeaderTemplate(nibble::headerTemplate(), fields).isEmpty())
            __builtin_trap();
    }
    return 0;
}
