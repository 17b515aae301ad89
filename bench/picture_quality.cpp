// How often the memo is read from a picture of the game's screen, and how fast. Random states,
// each drawn as a screenshot or a photo of a television (tools/memo_pictures), in the fonts
// held out of the classifier's training and, apart, in the fonts it was trained on.
//   picture_quality [SCREENSHOTS] [PHOTOS]   (1000 and 400 a set of fonts unless told)
//   picture_quality --memory FILE            (peak memory of decoding FILE and reading it)

#include "memo_pictures.h"

#include "entry/picture_entry.h"
#include "memo/memo_text.h"
#include "picture/memo_picture.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace memo_pictures;
using Clock = std::chrono::steady_clock;

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Tally {
    int pictures = 0;
    int readOrFirst = 0;
    int offered = 0;
    std::vector<std::string> misses;
};

// Whether the memo meant is what the program reads or first among the memos it offers, and
// whether it is offered at all: the picture given to a fresh entry, as a player gives it.
void score(const Sample& sample, const pelio::PictureReading& reading, Tally& tally) {
    ++tally.pictures;
    pelio::StateRecord entry;
    const pelio::PictureOutcome outcome = pelio::readPicture(entry, u"", reading);
    const std::u16string meant = pelio::memoText({sample.memo, 0});
    const bool read = outcome.memo.kind == pelio::MemoOutcome::Kind::Read && outcome.box == meant;
    bool first = false, offered = false;
    for (std::size_t i = 0; i < outcome.memo.fixes.size(); ++i)
        if (outcome.memo.fixes[i].memo == meant) {
            first = i == 0;
            offered = true;
        }
    tally.readOrFirst += read || first;
    tally.offered += read || offered;
    if (!read && !offered)
        tally.misses.push_back(sample.description);
}

Tally measure(const std::vector<FontStyle>& styles, Kind kind, int count, std::uint32_t firstSeed) {
    Tally tally;
    std::mutex lock;
    std::atomic<int> next{0};
    auto work = [&] {
        FontRenderer fonts;
        for (int i; (i = next++) < count;) {
            Options options;
            options.kind = kind;
            const auto seed = firstSeed + static_cast<std::uint32_t>(i);
            const Sample sample = makeSample(
                fonts, styles[static_cast<std::size_t>(i) % styles.size()], seed, options);
            const pelio::PictureReading reading = pelio::readMemoPicture(sample.image.view());
            const std::lock_guard guard(lock);
            score(sample, reading, tally);
        }
    };
    std::thread other(work);
    work();
    other.join();
    return tally;
}

std::string percent(int part, int whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%", whole == 0 ? 0.0 : 100.0 * part / whole);
    return text;
}

std::string families(const std::vector<FontStyle>& styles) {
    std::string names;
    for (const FontStyle& style : styles)
        if (names.find(style.family) == std::string::npos)
            names += (names.empty() ? "" : ", ") + style.family;
    return names;
}

// Times the reading of each picture alone, one after another.
std::pair<double, double> medianAndWorst(const std::vector<Sample>& samples) {
    std::vector<double> times;
    for (const Sample& sample : samples) {
        const auto start = Clock::now();
        const pelio::PictureReading reading = pelio::readMemoPicture(sample.image.view());
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (reading.status == pelio::PictureReading::Status::Refused)
            std::fprintf(stderr, "refused: %s\n", sample.description.c_str());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

int memoryRun(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    const double before = peakMegabytes();
    const auto image = decode(bytes);
    if (!image)
        return 1;
    const double decoded = peakMegabytes();
    const pelio::PictureReading reading = pelio::readMemoPicture(image->view());
    std::printf("%d %d %.1f %.1f %.1f %d\n", image->width, image->height, before, decoded,
                peakMegabytes(), reading.status == pelio::PictureReading::Status::Found);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string(argv[1]) == "--memory")
        return memoryRun(argv[2]);
    const int screenshots = argc > 1 ? std::stoi(argv[1]) : 1000;
    const int photos = argc > 2 ? std::stoi(argv[2]) : 400;

    struct Set {
        const char* name;
        std::vector<FontStyle> styles;
    };
    const std::vector<Set> sets{{"held out", fontStyles(true)}, {"trained on", fontStyles(false)}};
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::printf("%-44s %8s %15s %12s  %-30s %s\n", "pictures (random states)", "count",
                "read or first", "offered", "goal", "met?");
    for (const Set& set : sets) {
        if (set.styles.empty()) {
            std::printf("fonts %s: none installed\n", set.name);
            continue;
        }
        std::printf("fonts %s: %s\n", set.name, families(set.styles).c_str());
        for (const Kind kind : {Kind::Screenshot, Kind::Photo}) {
            const bool shot = kind == Kind::Screenshot;
            const Tally tally =
                measure(set.styles, kind, shot ? screenshots : photos, shot ? 1 : 500'000);
            const double goalFirst = shot ? 98 : 90, goalOffered = shot ? 99.5 : 97;
            const bool met = 100.0 * tally.readOrFirst >= goalFirst * tally.pictures &&
                             100.0 * tally.offered >= goalOffered * tally.pictures;
            char goal[64];
            std::snprintf(goal, sizeof goal, "first >= %.0f %%, offered >= %.1f %%", goalFirst,
                          goalOffered);
            std::printf("  %-42s %8d %15s %12s  %-30s %s\n",
                        shot ? "screenshots" : "photos of a screen", tally.pictures,
                        percent(tally.readOrFirst, tally.pictures).c_str(),
                        percent(tally.offered, tally.pictures).c_str(), goal, met ? "yes" : "NO");
            for (std::size_t i = 0; i < std::min<std::size_t>(3, tally.misses.size()); ++i)
                std::printf("    not offered: %s\n", tally.misses[i].c_str());
        }
    }

    // Time, each picture read alone: screenshots, photos of any size, 12-megapixel photos.
    std::printf("\n%-44s %8s %10s %10s  %-16s %s\n", "time from the decoded picture", "pictures",
                "median", "worst", "goal", "met?");
    FontRenderer fonts;
    const std::vector<FontStyle> styles = sets[0].styles.empty() ? sets[1].styles : sets[0].styles;
    for (const int kind : {0, 1, 2}) {
        std::vector<Sample> samples;
        for (int i = 0; i < (kind == 2 ? 10 : 40); ++i) {
            Options options;
            options.kind = kind == 0 ? Kind::Screenshot : Kind::Photo;
            if (kind == 2) {
                options.photoWidth = 4000;
                options.photoHeight = 3000;
            }
            samples.push_back(makeSample(fonts, styles[static_cast<std::size_t>(i) % styles.size()],
                                         900'000 + static_cast<std::uint32_t>(i), options));
        }
        const auto [median, worst] = medianAndWorst(samples);
        const char* what[] = {"screenshots", "photos, 640x480 to 4000x3000", "photos, 4000x3000"};
        std::printf("%-44s %8zu %8.1fms %8.1fms  %-16s %s\n", what[kind], samples.size(), median,
                    worst, kind == 2 ? "<= 150 ms" : "-",
                    kind == 2 ? (median <= 150 && worst <= 150 ? "yes" : "NO") : "");
    }

    // Peak memory, in a process of its own: the largest picture a front end decodes (its
    // file may state up to 64 megapixels, decoded at 16 at most), from its JPEG file.
    Options largest;
    largest.kind = Kind::Photo;
    const auto size = std::get<pelio::DecodeSize>(pelio::pictureDecodeSize(8000, 8000));
    largest.photoWidth = size.width;
    largest.photoHeight = size.height;
    const Sample big = makeSample(fonts, styles.front(), 77, largest);
    const std::string path = "picture-quality-largest.jpg";
    const std::vector<std::uint8_t> jpeg = encodeJpeg(big.image, 85);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg.data()),
               static_cast<std::streamsize>(jpeg.size()));
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) < 0)
        return 1;
    const std::string command = std::string(self) + " --memory " + path;
    std::printf("\n$ %s   (a photo stated 8000x8000, decoded at %dx%d)\n", command.c_str(),
                size.width, size.height);
    std::fflush(stdout);
    FILE* child = popen(command.c_str(), "r");
    int width = 0, height = 0, found = 0;
    double before = 0, decoded = 0, after = 0;
    const bool measured =
        child != nullptr && std::fscanf(child, "%d %d %lf %lf %lf %d", &width, &height, &before,
                                        &decoded, &after, &found) == 6;
    if (child != nullptr)
        pclose(child);
    std::remove(path.c_str());
    if (!measured)
        return 1;
    std::printf("%-44s %10s %10s %12s  %-16s %s\n", "peak memory", "before MB", "peak MB",
                "growth MB", "goal", "met?");
    std::printf("%-44s %10.1f %10.1f %12.1f  %-16s %s\n", "decoding the JPEG and reading the memo",
                before, after, after - before, "<= 200 MB", after - before <= 200 ? "yes" : "NO");
    std::printf("%-44s %10.1f %10.1f %12.1f\n", "reading the memo alone", decoded, after,
                after - decoded);
    return 0;
}
