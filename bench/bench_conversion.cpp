// Prints how long each stage of a conversion takes (load, scale, convert, header text) for a
// display-sized picture and for 24-megapixel JPEG and PNG photos, and the whole conversion
// beside Qt's own decode + scale of the same file, measured in the same run.
//   bench_conversion [repeats for the large pictures, default 5]
#include "greyconversion.h"
#include "headertext.h"
#include "photo.h"
#include "pictureloader.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianMs(int repeats, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void measure(const char *label, const QString &path, int repeats)
{
    QImage loaded, working;
    nibble::GreyConversion grey;
    const QString templateText = nibble::headerTemplate();
    const QDateTime now = QDateTime::currentDateTime();

    const double load = medianMs(repeats, [&] { loaded = nibble::loadPicture(path).image; });
    const double scale = medianMs(repeats, [&] { working = nibble::scaleToDisplay(loaded); });
    const int small = repeats * 200;
    const double convert = medianMs(small, [&] { grey = nibble::convertToGrey(working, false); });
    const double header = medianMs(small, [&] {
        const nibble::HeaderFields fields{path, now, working.size(), grey.rawData.size(),
                                          grey.dataText};
        (void)nibble::fillHeaderTemplate(nibble::headerTemplate(), fields);
    });

    // The same file through both pipelines, alternately, so that both see the same cache.
    std::vector<double> whole, baseline;
    for (int i = 0; i < repeats; ++i) {
        baseline.push_back(medianMs(1, [&] {
            (void)QImage(path).scaled(128, 96, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }));
        whole.push_back(medianMs(1, [&] {
            const QImage w = nibble::scaleToDisplay(nibble::loadPicture(path).image);
            const nibble::GreyConversion g = nibble::convertToGrey(w, false);
            const nibble::HeaderFields fields{path, QDateTime::currentDateTime(), w.size(),
                                              g.rawData.size(), g.dataText};
            (void)nibble::fillHeaderTemplate(nibble::headerTemplate(), fields);
        }));
    }
    std::sort(whole.begin(), whole.end());
    std::sort(baseline.begin(), baseline.end());
    const double wholeMs = whole[whole.size() / 2];
    const double baseMs = baseline[baseline.size() / 2];

    std::printf("%-22s load %9.3f ms  scale %8.3f ms  convert %7.4f ms  header %7.4f ms\n", label,
                load, scale, convert, header);
    std::printf("%-22s whole conversion %9.3f ms  Qt decode+scale %9.3f ms  ratio %.3f\n", "",
                wholeMs, baseMs, wholeMs / baseMs);
    std::printf("%-22s convert + header %7.4f ms\n", "", convert + header);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    const int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir folder;

    const QString display = folder.filePath("display.png");
    syntheticPhoto(128, 96).save(display);
    const QImage big = syntheticPhoto(6000, 4000);
    const QString jpeg = folder.filePath("photo24.jpg");
    const QString png = folder.filePath("photo24.png");
    big.save(jpeg, "JPEG", 90);
    big.save(png, "PNG");

    measure("128 x 96 PNG", display, repeats * 40);
    measure("24 MP JPEG", jpeg, repeats);
    measure("24 MP PNG", png, repeats);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld MB\n", usage.ru_maxrss / 1024);
    return 0;
}
