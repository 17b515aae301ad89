// The time from a photo's file to the memo read in the window, and the memory it takes: a
// 12-megapixel photo, and the largest picture read at all (a file stated 8000 x 8000). Each is
// read in a process of its own, so that one's peak does not hide the other's.
//   picture_window                      (writes the photos here, then prints the table)
//   picture_window FILE MEMO RUNS       (reads FILE RUNS times: "median-ms worst-ms before-MB
//                                        peak-MB read", where read is 1 if the box shows MEMO)

#include "memo_pictures.h"

#include "memo/memo_text.h"
#include "ui/appearance.h"
#include "ui/pelio.h"
#include "ui/picture_loader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

int measure(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pelio::ui::applyAppearance();
    QFile memoFile(argv[2]);
    if (!memoFile.open(QIODevice::ReadOnly))
        return 1;
    const QString memo = QString::fromUtf8(memoFile.readAll());
    const int runs = std::max(1, std::atoi(argv[3]));
    pelio::ui::Pelio window;
    window.show();
    const QString path = argv[1];
    window.findChild<pelio::ui::PictureInput*>()->setChooser([path](QWidget*) { return path; });
    auto* box = window.findChild<QLineEdit*>("PWD");
    QCoreApplication::processEvents();
    const double before = peakMegabytes();
    std::vector<double> times;
    bool read = true;
    for (int i = 0; i < runs; ++i) {
        // Cleared, the memo is not the one last written, and is read again.
        window.Nm_Clear_Click();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        window.PWD_Img_Click();
        QCoreApplication::processEvents(); // the results painted
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        read = read && box->text() == memo;
    }
    std::sort(times.begin(), times.end());
    std::printf("%.1f %.1f %.1f %.1f %d\n", times[times.size() / 2], times.back(), before,
                peakMegabytes(), read ? 1 : 0);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 4)
        return measure(argc, argv);

    using namespace memo_pictures;
    FontRenderer fonts;
    const std::vector<FontStyle> styles = fontStyles(true);
    if (styles.empty()) {
        std::fprintf(stderr, "the fonts held out are not installed\n");
        return 1;
    }
    struct Photo {
        const char* what;
        const char* file;
        int width, height;
        bool enlarged; // drawn at 4000 x 4000 and enlarged, as a sharp 64-megapixel photo
    };
    const Photo photos[]{
        {"a 12-megapixel photo (4000x3000 JPEG)", "picture-window-12mp.jpg", 4000, 3000, false},
        {"the largest read (8000x8000 JPEG)", "picture-window-64mp.jpg", 4000, 4000, true}};
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) < 0)
        return 1;
    std::printf("%-40s %6s %10s %10s %10s %10s %10s  %-20s %s\n", "picture file to the window",
                "runs", "median", "worst", "before MB", "peak MB", "growth MB", "goal", "met?");
    for (const Photo& photo : photos) {
        Options options;
        options.kind = Kind::Photo;
        options.photoWidth = photo.width;
        options.photoHeight = photo.height;
        // A photo the recognizer reads: what is timed is the way to the window, not its misses.
        Sample sample;
        for (std::uint32_t seed = 1200; seed < 1220; ++seed) {
            sample = makeSample(fonts, styles[seed % styles.size()], seed, options);
            if (pelio::readMemoPicture(sample.image.view()).text ==
                pelio::memoText({sample.memo, 0}))
                break;
        }
        QImage image(sample.image.pixels.data(), sample.image.width, sample.image.height,
                     sample.image.width * sample.image.channels,
                     sample.image.channels == 4 ? QImage::Format_RGBA8888
                                                : QImage::Format_Grayscale8);
        if (photo.enlarged)
            image = image.scaled(8000, 8000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const std::string memoPath = std::string(photo.file) + ".memo";
        QFile memo(QString::fromStdString(memoPath));
        if (!image.save(photo.file, "JPEG", 85) || !memo.open(QIODevice::WriteOnly))
            return 1;
        memo.write(QString::fromStdU16String(pelio::memoText({sample.memo, 0})).toUtf8());
        memo.close();
        const int runs = 7;
        const std::string command =
            std::string(self) + " " + photo.file + " " + memoPath + " " + std::to_string(runs);
        FILE* child = popen(command.c_str(), "r");
        double median = 0, worst = 0, before = 0, peak = 0;
        int read = 0;
        const bool measured = child != nullptr && std::fscanf(child, "%lf %lf %lf %lf %d", &median,
                                                              &worst, &before, &peak, &read) == 5;
        if (child != nullptr)
            pclose(child);
        std::remove(photo.file);
        std::remove(memoPath.c_str());
        if (!measured)
            return 1;
        std::printf("%-40s %6d %8.1fms %8.1fms %10.1f %10.1f %10.1f  %-20s %s\n", photo.what, runs,
                    median, worst, before, peak, peak - before, "growth <= 200 MB",
                    peak - before <= 200 && read ? "yes" : "NO");
        if (!read)
            std::printf("  (the memo was not read: the window shows something else)\n");
    }
    return 0;
}
