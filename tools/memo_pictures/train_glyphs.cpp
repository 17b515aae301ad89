// Trains the recognizer's glyph classifier and writes its table:
//   train_glyphs src/picture/glyph_model.inc [PICTURES] [LEFT-OUT-FAMILY]   (5000 unless told)
// The glyphs come from pictures in the training fonts only, screenshots and photos alike, cut
// out by the recognizer's own steps, so that the classifier learns the features it will see;
// each also twice more with its ink box and line height a little off, as those steps may leave
// them. A tenth of the pictures is kept apart to say how well it does on pictures it never saw.
// A family named is instead left out of the training altogether, to say how well it does on a
// font it never saw without looking at the fonts held out. Seeded throughout: the same command
// writes the same table.

#include "memo_pictures.h"

#include "picture/memo_cells.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <thread>

namespace {

using namespace pelio::picture;

struct Example {
    GlyphFeatures features;
    int label;
};

bool overlaps(const pelio::PictureRect& a, const Box& b, const GreyImage& grey) {
    const int x0 = std::max(a.x, grey.toPicture(b.x0));
    const int x1 = std::min(a.x + a.width, grey.toPicture(b.x1));
    const int y0 = std::max(a.y, grey.toPicture(b.y0));
    const int y1 = std::min(a.y + a.height, grey.toPicture(b.y1));
    return x1 > x0 && y1 > y0 && (x1 - x0) * 2 > a.width && (y1 - y0) * 2 > a.height;
}

constexpr int kHidden = 64;

// One hidden layer of rectifiers and a softmax: small enough for a table, and unlike a nearest
// template it learns which strokes tell two kana apart across fonts.
struct Network {
    std::vector<float> w1, b1, w2, b2;
    Network()
        : w1(kHidden * kFeatureCount)
        , b1(kHidden)
        , w2(kClassCount * kHidden)
        , b2(kClassCount) {
        std::mt19937 random(7);
        std::normal_distribution<float> normal(0, 1);
        for (float& w : w1)
            w = normal(random) * std::sqrt(2.0f / kFeatureCount);
        for (float& w : w2)
            w = normal(random) * std::sqrt(2.0f / kHidden);
    }

    void forward(const GlyphFeatures& x, std::vector<float>& hidden,
                 std::vector<float>& out) const {
        hidden.assign(kHidden, 0);
        for (std::size_t h = 0; h < kHidden; ++h) {
            float sum = b1[h];
            for (std::size_t i = 0; i < kFeatureCount; ++i)
                sum += w1[h * kFeatureCount + i] * x[i];
            hidden[h] = std::max(0.0f, sum);
        }
        out.assign(kClassCount, 0);
        float top = -1e30f;
        for (std::size_t c = 0; c < kClassCount; ++c) {
            float sum = b2[c];
            for (std::size_t h = 0; h < kHidden; ++h)
                sum += w2[c * kHidden + h] * hidden[h];
            out[c] = sum;
            top = std::max(top, sum);
        }
        float total = 0;
        for (float& o : out)
            total += o = std::exp(o - top);
        for (float& o : out)
            o /= total;
    }
};

// Adam on minibatches of the cross-entropy, with a little weight decay.
void train(Network& net, std::vector<Example>& examples, int epochs) {
    std::mt19937 random(11);
    std::vector<float*> params{net.w1.data(), net.b1.data(), net.w2.data(), net.b2.data()};
    std::vector<std::size_t> sizes{net.w1.size(), net.b1.size(), net.w2.size(), net.b2.size()};
    std::vector<std::vector<float>> grad, m, v;
    for (std::size_t s : sizes) {
        grad.emplace_back(s);
        m.emplace_back(s);
        v.emplace_back(s);
    }
    const std::size_t batch = 64;
    int t = 0;
    std::vector<float> hidden, out, dHidden(kHidden);
    for (int epoch = 0; epoch < epochs; ++epoch) {
        std::shuffle(examples.begin(), examples.end(), random);
        const float rate = 0.002f * (epoch < epochs * 2 / 3 ? 1.0f : 0.2f);
        double loss = 0;
        for (std::size_t start = 0; start < examples.size(); start += batch) {
            for (auto& g : grad)
                std::fill(g.begin(), g.end(), 0.0f);
            const std::size_t end = std::min(examples.size(), start + batch);
            for (std::size_t e = start; e < end; ++e) {
                const Example& ex = examples[e];
                net.forward(ex.features, hidden, out);
                loss -= std::log(std::max(out[static_cast<std::size_t>(ex.label)], 1e-9f));
                std::fill(dHidden.begin(), dHidden.end(), 0.0f);
                for (std::size_t c = 0; c < kClassCount; ++c) {
                    const float d = out[c] - (static_cast<int>(c) == ex.label ? 1.0f : 0.0f);
                    grad[3][c] += d;
                    for (std::size_t h = 0; h < kHidden; ++h) {
                        grad[2][c * kHidden + h] += d * hidden[h];
                        dHidden[h] += d * net.w2[c * kHidden + h];
                    }
                }
                for (std::size_t h = 0; h < kHidden; ++h) {
                    if (hidden[h] <= 0)
                        continue;
                    grad[1][h] += dHidden[h];
                    for (std::size_t i = 0; i < kFeatureCount; ++i)
                        grad[0][h * kFeatureCount + i] += dHidden[h] * ex.features[i];
                }
            }
            ++t;
            const float n = static_cast<float>(end - start);
            for (std::size_t p = 0; p < params.size(); ++p)
                for (std::size_t i = 0; i < sizes[p]; ++i) {
                    const float g = grad[p][i] / n + (p % 2 == 0 ? 1e-4f * params[p][i] : 0.0f);
                    m[p][i] = 0.9f * m[p][i] + 0.1f * g;
                    v[p][i] = 0.999f * v[p][i] + 0.001f * g * g;
                    const float mh = m[p][i] / (1 - std::pow(0.9f, static_cast<float>(t)));
                    const float vh = v[p][i] / (1 - std::pow(0.999f, static_cast<float>(t)));
                    params[p][i] -= rate * mh / (std::sqrt(vh) + 1e-8f);
                }
        }
        std::fprintf(stderr, "epoch %2d: loss %.4f\n", epoch + 1,
                     loss / static_cast<double>(examples.size()));
    }
}

// Each row of weights in whole numbers from -127 to 127 with a scale of its own.
void quantise(std::vector<float>& weights, std::size_t rows, std::vector<std::int8_t>& whole,
              std::vector<float>& scales) {
    const std::size_t columns = weights.size() / rows;
    whole.resize(weights.size());
    scales.resize(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        float largest = 1e-12f;
        for (std::size_t c = 0; c < columns; ++c)
            largest = std::max(largest, std::abs(weights[r * columns + c]));
        scales[r] = largest / 127;
        for (std::size_t c = 0; c < columns; ++c) {
            const auto q =
                static_cast<std::int8_t>(std::lround(weights[r * columns + c] / scales[r]));
            whole[r * columns + c] = q;
            weights[r * columns + c] = q * scales[r];
        }
    }
}

double accuracy(const Network& net, const std::vector<Example>& examples) {
    std::vector<float> hidden, out;
    int right = 0;
    for (const Example& ex : examples) {
        net.forward(ex.features, hidden, out);
        right += std::max_element(out.begin(), out.end()) - out.begin() == ex.label;
    }
    return examples.empty() ? 0 : static_cast<double>(right) / static_cast<double>(examples.size());
}

template <typename T>
void writeArray(std::ofstream& out, const char* name, const char* type,
                const std::vector<T>& values, const char* size) {
    out << "inline constexpr std::array<" << type << ", " << size << "> " << name << "{";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i % 16 == 0)
            out << "\n    ";
        if constexpr (std::is_same_v<T, float>) {
            char text[32];
            std::snprintf(text, sizeof text, "%.7gf,", static_cast<double>(values[i]));
            out << text;
        } else {
            out << static_cast<int>(values[i]) << ',';
        }
    }
    out << "\n};\n";
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace memo_pictures;
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.h [PICTURES]\n", argv[0]);
        return 2;
    }
    const int pictures = argc > 2 ? std::stoi(argv[2]) : 5000;
    const std::string leftOut = argc > 3 ? argv[3] : "";
    const std::vector<FontStyle> styles = fontStyles(false);
    if (styles.empty()) {
        std::fprintf(stderr, "none of the training fonts is installed\n");
        return 1;
    }

    std::vector<Example> training, validation;
    int found = 0;
    std::mutex lock;
    auto harvest = [&](int first) {
        FontRenderer fonts;
        for (int i = first; i < pictures; i += 2) {
            const auto seed = static_cast<std::uint32_t>(1'000'000 + i);
            Options options;
            options.kind = i % 5 < 3 ? Kind::Screenshot : Kind::Photo;
            options.largestSide = 1600;
            const FontStyle& style = styles[static_cast<std::size_t>(i) % styles.size()];
            const Sample sample = makeSample(fonts, style, seed, options);
            const bool apart = leftOut.empty() ? i % 10 == 0 : style.family == leftOut;
            std::mt19937 jitter(seed);
            auto off = [&jitter] { return std::uniform_int_distribution<int>(-1, 1)(jitter); };
            const GreyImage grey = workingGrey(sample.image.view());
            for (const MemoCandidate& candidate : memoCandidates(grey)) {
                if (!overlaps(sample.where, candidate.where, grey))
                    continue;
                std::vector<Example> glyphs;
                for (std::size_t n = 0; n < candidate.glyphs.size(); ++n) {
                    glyphs.push_back({candidate.glyphs[n], sample.memo[n]});
                    for (int copy = 0; !apart && copy < 2; ++copy) {
                        const Box& ink = candidate.ink[n];
                        const Box box{ink.x0 + off(), ink.y0 + off(), ink.x1 + off(),
                                      ink.y1 + off()};
                        const float height =
                            candidate.lineHeight *
                            std::uniform_real_distribution<float>(0.9f, 1.1f)(jitter);
                        if (box.width() >= 2 && box.height() >= 2)
                            glyphs.push_back({glyphFeatures(grey, box, height, candidate.darkText),
                                              sample.memo[n]});
                    }
                }
                const std::lock_guard guard(lock);
                ++found;
                auto& into = apart ? validation : training;
                into.insert(into.end(), glyphs.begin(), glyphs.end());
                break;
            }
        }
    };
    std::thread second(harvest, 1);
    harvest(0);
    second.join();
    std::fprintf(stderr,
                 "%d of %d pictures gave the memo's line; %zu glyphs to train on, %zu kept apart\n",
                 found, pictures, training.size(), validation.size());

    Network net;
    train(net, training, 25);
    std::vector<std::int8_t> w1, w2;
    std::vector<float> s1, s2;
    quantise(net.w1, kHidden, w1, s1);
    quantise(net.w2, kClassCount, w2, s2);
    std::fprintf(stderr,
                 "glyphs read right: %.2f %% of those trained on, %.2f %% of those kept apart\n",
                 100 * accuracy(net, training), 100 * accuracy(net, validation));

    std::ofstream out(argv[1]);
    out << "// Written by tools/memo_pictures/train_glyphs.cpp, as built in the bench or test\n"
           "// preset: train_glyphs src/picture/glyph_model.inc; do not edit.\n"
           "#pragma once\n\n#include \"picture/memo_cells.h\"\n\n#include <array>\n#include "
           "<cstdint>\n\n"
           "namespace pelio::picture::model {\n\n";
    out << "inline constexpr int kHidden = " << kHidden << ";\n";
    writeArray(out, "kHiddenWeights", "std::int8_t", w1, "kHidden * kFeatureCount");
    writeArray(out, "kHiddenScales", "float", s1, "kHidden");
    writeArray(out, "kHiddenBiases", "float", net.b1, "kHidden");
    writeArray(out, "kOutputWeights", "std::int8_t", w2, "kClassCount * kHidden");
    writeArray(out, "kOutputScales", "float", s2, "kClassCount");
    writeArray(out, "kOutputBiases", "float", net.b2, "kClassCount");
    out << "\n} // namespace pelio::picture::model\n";
    return 0;
}
