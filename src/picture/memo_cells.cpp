#include "picture/memo_cells.h"

#include "memo/memo_text.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>

namespace pelio::picture {

namespace {

using Index = std::size_t;

Index at(int x, int y, int width) {
    return static_cast<Index>(y) * static_cast<Index>(width) + static_cast<Index>(x);
}

} // namespace

GreyImage workingGrey(const PixelView& picture) {
    const int step =
        std::max(1, (std::max(picture.width, picture.height) + kWorkingSide - 1) / kWorkingSide);
    GreyImage grey;
    grey.width = (picture.width + step - 1) / step;
    grey.height = (picture.height + step - 1) / step;
    grey.pixels.resize(static_cast<Index>(grey.width) * static_cast<Index>(grey.height));
    const bool rgba = picture.format == PixelView::Format::Rgba;
    std::vector<std::uint32_t> sums(static_cast<Index>(grey.width));
    std::vector<std::uint32_t> counts(static_cast<Index>(grey.width));
    for (int gy = 0; gy < grey.height; ++gy) {
        std::fill(sums.begin(), sums.end(), 0);
        std::fill(counts.begin(), counts.end(), 0);
        const int yEnd = std::min(picture.height, (gy + 1) * step);
        for (int y = gy * step; y < yEnd; ++y) {
            const std::uint8_t* row = picture.pixels + static_cast<Index>(y) * picture.stride;
            for (int x = 0; x < picture.width; ++x) {
                std::uint32_t luma = 0;
                if (rgba) {
                    const std::uint8_t* p = row + static_cast<Index>(x) * 4;
                    // Rec. 601 weights, in 256ths.
                    luma = (77u * p[0] + 150u * p[1] + 29u * p[2]) >> 8;
                } else {
                    luma = row[x];
                }
                sums[static_cast<Index>(x / step)] += luma;
                ++counts[static_cast<Index>(x / step)];
            }
        }
        for (int gx = 0; gx < grey.width; ++gx)
            grey.pixels[at(gx, gy, grey.width)] = static_cast<std::uint8_t>(
                sums[static_cast<Index>(gx)] / std::max(1u, counts[static_cast<Index>(gx)]));
    }
    grey.shrink = step;
    return grey;
}

namespace {

// Ink is what stands out from its neighbourhood's mean by more than the picture's noise, in
// the text's polarity: this keeps strokes under glare and in the shade alike.
std::vector<std::uint8_t> inkMask(const GreyImage& grey, bool darkText) {
    const int w = grey.width;
    const int h = grey.height;
    std::vector<std::uint32_t> integral(static_cast<Index>(w + 1) * static_cast<Index>(h + 1));
    for (int y = 0; y < h; ++y) {
        std::uint32_t rowSum = 0;
        for (int x = 0; x < w; ++x) {
            rowSum += grey.at(x, y);
            integral[at(x + 1, y + 1, w + 1)] = integral[at(x + 1, y, w + 1)] + rowSum;
        }
    }
    std::array<int, 256> histogram{};
    for (const std::uint8_t value : grey.pixels)
        ++histogram[value];
    auto percentile = [&](double fraction) {
        const auto wanted =
            static_cast<long long>(fraction * static_cast<double>(grey.pixels.size()));
        long long seen = 0;
        for (int value = 0; value < 256; ++value)
            if ((seen += histogram[static_cast<Index>(value)]) > wanted)
                return value;
        return 255;
    };
    // The noise, from the typical difference between neighbours, which the strokes' edges
    // barely move.
    std::array<int, 256> steps{};
    long long stepCount = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x + 1 < w; x += 2, ++stepCount)
            ++steps[static_cast<Index>(std::abs(grey.at(x + 1, y) - grey.at(x, y)))];
    int medianStep = 0;
    for (long long seen = 0;
         medianStep < 255 && (seen += steps[static_cast<Index>(medianStep)]) <= stepCount / 2;)
        ++medianStep;
    const int margin = std::max({8, 3 * medianStep + 3, (percentile(0.98) - percentile(0.02)) / 5});
    const int radius = std::clamp(std::max(w, h) / 20, 7, 75);

    std::vector<std::uint8_t> mask(grey.pixels.size());
    for (int y = 0; y < h; ++y) {
        const int ya = std::max(0, y - radius), yb = std::min(h, y + radius + 1);
        for (int x = 0; x < w; ++x) {
            const int xa = std::max(0, x - radius), xb = std::min(w, x + radius + 1);
            const std::uint32_t sum = integral[at(xb, yb, w + 1)] - integral[at(xa, yb, w + 1)] -
                                      integral[at(xb, ya, w + 1)] + integral[at(xa, ya, w + 1)];
            const int mean =
                static_cast<int>(sum / static_cast<std::uint32_t>((xb - xa) * (yb - ya)));
            const int value = grey.at(x, y);
            mask[at(x, y, w)] = darkText ? value < mean - margin : value > mean + margin;
        }
    }
    return mask;
}

struct Component {
    Box box;
    int area = 0;
    float centreX() const { return 0.5f * static_cast<float>(box.x0 + box.x1); }
    float centreY() const { return 0.5f * static_cast<float>(box.y0 + box.y1); }
};

// Eight-connected components of the mask, found run by run.
std::vector<Component> components(const std::vector<std::uint8_t>& mask, int w, int h) {
    struct Run {
        int x0, x1, label;
    };
    std::vector<int> parent;
    auto find = [&parent](int label) {
        while (parent[static_cast<Index>(label)] != label) {
            parent[static_cast<Index>(label)] =
                parent[static_cast<Index>(parent[static_cast<Index>(label)])];
            label = parent[static_cast<Index>(label)];
        }
        return label;
    };
    std::vector<std::vector<Run>> rows(static_cast<Index>(h));
    for (int y = 0; y < h; ++y) {
        std::vector<Run>& runs = rows[static_cast<Index>(y)];
        for (int x = 0; x < w;) {
            if (!mask[at(x, y, w)]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < w && mask[at(x, y, w)])
                ++x;
            runs.push_back({start, x, static_cast<int>(parent.size())});
            parent.push_back(runs.back().label);
        }
        if (y == 0)
            continue;
        const std::vector<Run>& above = rows[static_cast<Index>(y - 1)];
        Index first = 0;
        for (Run& run : runs) {
            while (first < above.size() && above[first].x1 < run.x0)
                ++first;
            for (Index k = first; k < above.size() && above[k].x0 <= run.x1; ++k) {
                const int a = find(run.label), b = find(above[k].label);
                if (a != b)
                    parent[static_cast<Index>(std::max(a, b))] = std::min(a, b);
            }
        }
    }
    std::vector<int> slot(parent.size(), -1);
    std::vector<Component> found;
    for (int y = 0; y < h; ++y)
        for (const Run& run : rows[static_cast<Index>(y)]) {
            const auto root = static_cast<Index>(find(run.label));
            if (slot[root] < 0) {
                slot[root] = static_cast<int>(found.size());
                found.push_back({{run.x0, y, run.x1, y + 1}, 0});
            }
            Component& c = found[static_cast<Index>(slot[root])];
            c.box.x0 = std::min(c.box.x0, run.x0);
            c.box.x1 = std::max(c.box.x1, run.x1);
            c.box.y1 = y + 1;
            c.area += run.x1 - run.x0;
        }
    return found;
}

// A line of text: components chained left to right, each overlapping the height of the last
// few, which follows a line tilted by a few degrees.
struct Line {
    std::vector<Index> members;
    int right = 0;
    int top = 0, bottom = 0;
};

int overlap(int a0, int a1, int b0, int b1) {
    return std::min(a1, b1) - std::max(a0, b0);
}

std::vector<Line> textLines(const std::vector<Component>& parts) {
    std::vector<Index> order(parts.size());
    std::iota(order.begin(), order.end(), Index{0});
    std::sort(order.begin(), order.end(),
              [&](Index a, Index b) { return parts[a].box.x0 < parts[b].box.x0; });
    std::vector<Line> lines;
    std::vector<Index> open;
    for (const Index i : order) {
        const Box& b = parts[i].box;
        int best = -1;
        double bestScore = 0;
        for (Index k = 0; k < open.size();) {
            Line& line = lines[open[k]];
            const int height = line.bottom - line.top;
            if (b.x0 - line.right > 3 * height) {
                open[k] = open.back();
                open.pop_back();
                continue;
            }
            const int shared = overlap(b.y0, b.y1, line.top, line.bottom);
            const double score = static_cast<double>(shared) / std::min(b.height(), height) -
                                 0.1 * std::max(0, b.x0 - line.right) / height;
            if (shared * 2 >= std::min(b.height(), height) && b.height() <= 2 * height &&
                b.x0 - line.right <= 5 * height / 2 && score > bestScore) {
                best = static_cast<int>(open[k]);
                bestScore = score;
            }
            ++k;
        }
        if (best < 0) {
            open.push_back(lines.size());
            lines.push_back({{i}, b.x1, b.y0, b.y1});
            continue;
        }
        Line& line = lines[static_cast<Index>(best)];
        line.members.push_back(i);
        line.right = std::max(line.right, b.x1);
        // The height of the last few members, so that the line follows a tilt.
        int top = b.y0, bottom = b.y1;
        for (Index m = line.members.size() - std::min<Index>(line.members.size(), 4);
             m < line.members.size(); ++m) {
            top = std::min(top, parts[line.members[m]].box.y0);
            bottom = std::max(bottom, parts[line.members[m]].box.y1);
        }
        line.top = top;
        line.bottom = bottom;
    }
    // A line begun by a short stroke ("こ") may have left the glyph's other strokes a line of
    // their own: those go to the line whose height they sit in.
    std::sort(lines.begin(), lines.end(),
              [](const Line& a, const Line& b) { return a.members.size() > b.members.size(); });
    for (Index small = lines.size(); small-- > 1;) {
        if (lines[small].members.size() > 3)
            continue;
        const Box& first = parts[lines[small].members.front()].box;
        for (Index big = 0; big < small; ++big) {
            Line& line = lines[big];
            int left = parts[line.members.front()].box.x0;
            int top = first.y1, bottom = first.y0;
            for (const Index m : line.members) {
                const Box& mb = parts[m].box;
                left = std::min(left, mb.x0);
                if (std::abs(parts[m].centreX() - parts[lines[small].members.front()].centreX()) <
                    1.5f * static_cast<float>(line.bottom - line.top)) {
                    top = std::min(top, mb.y0);
                    bottom = std::max(bottom, mb.y1);
                }
            }
            // A pixel or two of tilt between a stroke and its neighbours is allowed for, but
            // not for a speck.
            const int slack = first.width() * 3 >= bottom - top ? (bottom - top) / 10 : 0;
            if (top - slack <= first.y0 && bottom + slack >= first.y1 &&
                first.x1 >= left - 2 * (line.bottom - line.top) && first.x0 <= line.right) {
                line.members.insert(line.members.end(), lines[small].members.begin(),
                                    lines[small].members.end());
                lines[small].members.clear();
                break;
            }
        }
    }
    std::erase_if(lines, [](const Line& line) { return line.members.empty(); });
    return lines;
}

float percentileOf(std::vector<float> values, double fraction) {
    const auto k = static_cast<Index>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
    return values[k];
}

// The cells of a line at one pitch: glyph k of the line is centred at offset + k * pitch,
// with a slow change of pitch along the line for a screen seen in perspective.
struct Grid {
    double offset = 0, pitch = 1, bend = 0;
    double centre(int k) const { return offset + pitch * k + bend * k * k; }
    int cell(double x) const {
        int k = static_cast<int>(std::lround((x - offset) / pitch));
        for (int i = 0; i < 3; ++i) {
            const double local = pitch + 2 * bend * k;
            k += static_cast<int>(std::lround((x - centre(k)) / local));
        }
        return k;
    }
};

// Glyphs sit a pitch apart: the pitch and place whose grid the blobs of ink fit best.
Grid fitGrid(const std::vector<std::pair<float, float>>& blobs, float height) {
    Grid grid;
    double bestScore = -1;
    for (double pitch = 0.7 * height; pitch <= 1.6 * height; pitch *= 1.005) {
        std::complex<double> sum;
        double weight = 0;
        for (const auto& [centre, width] : blobs) {
            sum +=
                static_cast<double>(width) * std::polar(1.0, 2 * std::numbers::pi * centre / pitch);
            weight += width;
        }
        const double score = std::abs(sum) / weight;
        if (score > bestScore) {
            bestScore = score;
            grid.pitch = pitch;
            grid.offset = std::arg(sum) / (2 * std::numbers::pi) * pitch;
        }
    }
    // Least squares on the blobs near their cells' centres, twice.
    for (int round = 0; round < 2; ++round) {
        double s[5]{}, t[3]{};
        for (const auto& [centre, width] : blobs) {
            const int k = grid.cell(centre);
            if (std::abs(centre - grid.centre(k)) > 0.25 * grid.pitch)
                continue;
            double p = 1;
            for (int i = 0; i < 5; ++i, p *= k)
                s[i] += p;
            p = 1;
            for (int i = 0; i < 3; ++i, p *= k)
                t[i] += p * centre;
        }
        if (s[0] < 6)
            break;
        // Normal equations of centre = offset + pitch k + bend k², solved by Cramer's rule.
        const double a[3][3] = {{s[0], s[1], s[2]}, {s[1], s[2], s[3]}, {s[2], s[3], s[4]}};
        auto det = [](const double m[3][3]) {
            return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                   m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                   m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
        };
        const double d = det(a);
        if (std::abs(d) < 1e-9)
            break;
        double solution[3];
        for (int c = 0; c < 3; ++c) {
            double m[3][3];
            for (int r = 0; r < 3; ++r)
                for (int q = 0; q < 3; ++q)
                    m[r][q] = q == c ? t[r] : a[r][q];
            solution[c] = det(m) / d;
        }
        if (solution[1] < 0.5 * grid.pitch || solution[1] > 1.5 * grid.pitch)
            break;
        grid = {solution[0], solution[1], solution[2]};
    }
    return grid;
}

// The cells of one line that hold four groups of five glyphs, with nothing just before or after.
void lineCandidates(const GreyImage& grey, const std::vector<Component>& parts, const Line& line,
                    bool darkText, std::vector<MemoCandidate>& found) {
    if (line.members.size() < static_cast<Index>(kMemoLength))
        return;
    std::vector<float> heights;
    for (const Index m : line.members)
        heights.push_back(static_cast<float>(parts[m].box.height()));
    const float height = percentileOf(heights, 0.9);
    if (height < 4)
        return;

    // The line's middle, by the median of the slopes between its glyph bodies (Theil and Sen),
    // which specks of the frame or the scene chained to the line do not move; those are then
    // left out.
    std::vector<Index> bodies;
    for (const Index m : line.members)
        if (static_cast<float>(parts[m].box.height()) >= 0.6f * height)
            bodies.push_back(m);
    if (bodies.size() < 6)
        return;
    std::vector<float> slopes;
    for (Index a = 0; a < bodies.size(); ++a)
        for (Index b = a + 1; b < bodies.size(); ++b) {
            const float dx = parts[bodies[b]].centreX() - parts[bodies[a]].centreX();
            if (std::abs(dx) >= height)
                slopes.push_back((parts[bodies[b]].centreY() - parts[bodies[a]].centreY()) / dx);
        }
    if (slopes.empty())
        return;
    const float slope = percentileOf(slopes, 0.5);
    std::vector<float> intercepts;
    for (const Index m : bodies)
        intercepts.push_back(parts[m].centreY() - slope * parts[m].centreX());
    const float intercept = percentileOf(intercepts, 0.5);
    std::vector<Index> members;
    for (const Index m : line.members) {
        const Box& b = parts[m].box;
        const float middle = intercept + slope * parts[m].centreX();
        const float inside = std::min(static_cast<float>(b.y1), middle + 0.65f * height) -
                             std::max(static_cast<float>(b.y0), middle - 0.65f * height);
        if (inside >= 0.6f * static_cast<float>(b.height()))
            members.push_back(m);
    }
    if (members.size() < static_cast<Index>(kMemoLength))
        return;

    // Blobs: members whose ink overlaps sideways, most often one glyph each.
    std::sort(members.begin(), members.end(),
              [&](Index a, Index b) { return parts[a].box.x0 < parts[b].box.x0; });
    std::vector<std::pair<float, float>> blobs;
    int blobLeft = parts[members.front()].box.x0, blobRight = parts[members.front()].box.x1;
    for (Index i = 1; i <= members.size(); ++i) {
        if (i < members.size() && parts[members[i]].box.x0 < blobRight) {
            blobRight = std::max(blobRight, parts[members[i]].box.x1);
            continue;
        }
        blobs.emplace_back(0.5f * static_cast<float>(blobLeft + blobRight),
                           static_cast<float>(blobRight - blobLeft));
        if (i < members.size()) {
            blobLeft = parts[members[i]].box.x0;
            blobRight = parts[members[i]].box.x1;
        }
    }
    const Grid grid = fitGrid(blobs, height);

    struct Cell {
        Box box{1 << 30, 1 << 30, -1, -1};
        bool used = false;
    };
    const int first = grid.cell(parts[members.front()].centreX());
    const int last = grid.cell(parts[members.back()].centreX());
    if (last - first + 1 < 23 || last - first > 400)
        return;
    std::vector<Cell> cells(static_cast<Index>(last - first + 3));
    for (const Index m : members) {
        const int k = grid.cell(parts[m].centreX()) - first + 1;
        if (k < 1 || k >= static_cast<int>(cells.size()) - 1)
            continue;
        Cell& cell = cells[static_cast<Index>(k)];
        const Box& b = parts[m].box;
        cell.box = {std::min(cell.box.x0, b.x0), std::min(cell.box.y0, b.y0),
                    std::max(cell.box.x1, b.x1), std::max(cell.box.y1, b.y1)};
        cell.used = true;
    }
    const auto cellCount = static_cast<int>(cells.size());
    for (int start = 1; start + 23 < cellCount; ++start) {
        bool fits = !cells[static_cast<Index>(start - 1)].used &&
                    !cells[static_cast<Index>(start + 23)].used;
        for (int i = 0; fits && i < 23; ++i) {
            const Cell& cell = cells[static_cast<Index>(start + i)];
            const bool gap = i % 6 == 5;
            fits = cell.used != gap && (gap || cell.box.width() <= 1.4 * grid.pitch + 2);
        }
        if (!fits)
            continue;
        MemoCandidate candidate;
        candidate.where = cells[static_cast<Index>(start)].box;
        candidate.lineHeight = height;
        candidate.darkText = darkText;
        for (int n = 0; n < kMemoLength; ++n) {
            const Box& box = cells[static_cast<Index>(start + n + n / kMemoGroupLength)].box;
            candidate.ink[static_cast<Index>(n)] = box;
            candidate.glyphs[static_cast<Index>(n)] = glyphFeatures(grey, box, height, darkText);
            candidate.where = {
                std::min(candidate.where.x0, box.x0), std::min(candidate.where.y0, box.y0),
                std::max(candidate.where.x1, box.x1), std::max(candidate.where.y1, box.y1)};
        }
        found.push_back(candidate);
    }
}

} // namespace

GlyphFeatures glyphFeatures(const GreyImage& grey, const Box& ink, float lineHeight,
                            bool darkText) {
    constexpr int n = kFeatureSide;
    // The glyph in a square a line high, or as large as its ink if that is larger, so that
    // its size and place within the line stay part of its shape.
    const float side =
        std::max({static_cast<float>(ink.width()), static_cast<float>(ink.height()), lineHeight}) *
        1.1f;
    const float left = 0.5f * static_cast<float>(ink.x0 + ink.x1) - side / 2;
    const float top = 0.5f * static_cast<float>(ink.y0 + ink.y1) - side / 2;
    const float scale = side / n;
    std::array<float, n * n> raw{};
    std::array<bool, n * n> inside{};
    float low = 255, high = 0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const float sx = left + (static_cast<float>(x) + 0.5f) * scale;
            const float sy = top + (static_cast<float>(y) + 0.5f) * scale;
            const auto i = static_cast<Index>(y * n + x);
            inside[i] = sx >= static_cast<float>(ink.x0) - 0.5f &&
                        sx <= static_cast<float>(ink.x1) + 0.5f &&
                        sy >= static_cast<float>(ink.y0) - 0.5f &&
                        sy <= static_cast<float>(ink.y1) + 0.5f;
            if (!inside[i])
                continue;
            // Bilinear, or the mean of the pixels a sample covers when shrinking.
            const int reach = std::max(0, static_cast<int>(scale / 2));
            const float fx = std::clamp(sx - 0.5f, 0.0f, static_cast<float>(grey.width - 1));
            const float fy = std::clamp(sy - 0.5f, 0.0f, static_cast<float>(grey.height - 1));
            float value = 0;
            if (reach > 0) {
                const int cx = static_cast<int>(fx), cy = static_cast<int>(fy);
                int count = 0;
                for (int yy = std::max(0, cy - reach); yy <= std::min(grey.height - 1, cy + reach);
                     ++yy)
                    for (int xx = std::max(0, cx - reach);
                         xx <= std::min(grey.width - 1, cx + reach); ++xx, ++count)
                        value += grey.at(xx, yy);
                value /= static_cast<float>(std::max(1, count));
            } else {
                const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
                const int x1 = std::min(x0 + 1, grey.width - 1),
                          y1 = std::min(y0 + 1, grey.height - 1);
                const float ax = fx - static_cast<float>(x0), ay = fy - static_cast<float>(y0);
                value = (grey.at(x0, y0) * (1 - ax) + grey.at(x1, y0) * ax) * (1 - ay) +
                        (grey.at(x0, y1) * (1 - ax) + grey.at(x1, y1) * ax) * ay;
            }
            if (darkText)
                value = 255 - value;
            raw[i] = value;
            low = std::min(low, value);
            high = std::max(high, value);
        }
    std::array<float, n * n> glyph{};
    const float range = std::max(high - low, 1.0f);
    for (Index i = 0; i < glyph.size(); ++i)
        glyph[i] = inside[i] ? (raw[i] - low) / range : 0;

    GlyphFeatures features{};
    constexpr int zoneSide = n / kZones;
    for (int y = 1; y < n - 1; ++y)
        for (int x = 1; x < n - 1; ++x) {
            auto g = [&glyph](int px, int py) { return glyph[static_cast<Index>(py * n + px)]; };
            const float gx = g(x + 1, y - 1) + 2 * g(x + 1, y) + g(x + 1, y + 1) - g(x - 1, y - 1) -
                             2 * g(x - 1, y) - g(x - 1, y + 1);
            const float gy = g(x - 1, y + 1) + 2 * g(x, y + 1) + g(x + 1, y + 1) - g(x - 1, y - 1) -
                             2 * g(x, y - 1) - g(x + 1, y - 1);
            const float magnitude = std::hypot(gx, gy);
            if (magnitude < 1e-3f)
                continue;
            // Soft in direction and in place, so that a stroke a pixel off moves little.
            float direction = std::atan2(gy, gx) / (2 * std::numbers::pi_v<float>)*kDirections;
            if (direction < 0)
                direction += kDirections;
            const int d0 = static_cast<int>(direction) % kDirections;
            const float dw = direction - std::floor(direction);
            const float zx = (static_cast<float>(x) + 0.5f) / zoneSide - 0.5f;
            const float zy = (static_cast<float>(y) + 0.5f) / zoneSide - 0.5f;
            const int zx0 = static_cast<int>(std::floor(zx)),
                      zy0 = static_cast<int>(std::floor(zy));
            for (int dz = 0; dz < 4; ++dz) {
                const int qx = zx0 + dz % 2, qy = zy0 + dz / 2;
                if (qx < 0 || qx >= kZones || qy < 0 || qy >= kZones)
                    continue;
                const float wz = (1 - std::abs(zx - static_cast<float>(qx))) *
                                 (1 - std::abs(zy - static_cast<float>(qy)));
                const auto base = static_cast<Index>((qy * kZones + qx) * kDirections);
                features[base + static_cast<Index>(d0)] += magnitude * wz * (1 - dw);
                features[base + static_cast<Index>((d0 + 1) % kDirections)] += magnitude * wz * dw;
            }
        }
    constexpr int inkSide = n / kInkZones;
    constexpr Index inkBase = kDirections * kZones * kZones;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            features[inkBase + static_cast<Index>((y / inkSide) * kInkZones + x / inkSide)] +=
                glyph[static_cast<Index>(y * n + x)];
    // Square roots tame the strongest strokes; each part has length one.
    for (const auto& [begin, end] :
         {std::pair<Index, Index>{0, inkBase}, std::pair<Index, Index>{inkBase, features.size()}}) {
        float norm = 0;
        for (Index i = begin; i < end; ++i) {
            features[i] = std::sqrt(features[i]);
            norm += features[i] * features[i];
        }
        norm = std::sqrt(norm);
        if (norm > 0)
            for (Index i = begin; i < end; ++i)
                features[i] /= norm;
    }
    return features;
}

std::vector<MemoCandidate> memoCandidates(const GreyImage& grey) {
    std::vector<MemoCandidate> found;
    if (grey.width < 8 || grey.height < 4)
        return found;
    for (const bool darkText : {false, true}) {
        std::vector<Component> parts = components(inkMask(grey, darkText), grey.width, grey.height);
        // Frames, blocks of the scene and specks are no glyph strokes.
        std::erase_if(parts, [&grey](const Component& c) {
            return c.area < 2 || c.box.height() > grey.height / 4 || c.box.width() > grey.width / 6;
        });
        for (const Line& line : textLines(parts))
            lineCandidates(grey, parts, line, darkText, found);
    }
    return found;
}

} // namespace pelio::picture
