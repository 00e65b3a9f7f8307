#include "export/frames/median_cut_palette.h"

#include <algorithm>
#include <array>
#include <climits>

namespace tivora::exporting {
namespace {

// Colours are counted in 5 bits per channel to choose the palette, and looked up in 6.
constexpr int kKeys = 32 * 32 * 32;
constexpr int kLookupKeys = 64 * 64 * 64;
// How far dithering moves a channel, in 8-bit steps: one step of the lookup, so that its steps do
// not show as bands; more only adds noise, as the palette follows the shades closely.
constexpr double kDitherSpread = 4.0;

int keyOf(int r, int g, int b) {
    return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
}

int lookupKeyOf(int r, int g, int b) {
    return (r >> 2) << 12 | (g >> 2) << 6 | (b >> 2);
}

struct Bin {
    int key;
    long long count;
    long long r, g, b; // sums of the exact colours
    int channel(int c) const { return (key >> (10 - 5 * c)) & 31; }
};

struct Box {
    std::vector<Bin>::iterator first, last;
    long long population() const {
        long long sum = 0;
        for (auto bin = first; bin != last; ++bin)
            sum += bin->count;
        return sum;
    }
    // The channel with the widest spread and that spread.
    std::pair<int, int> widest() const {
        int best = 0, spread = -1;
        for (int c = 0; c < 3; ++c) {
            const auto [low, high] =
                std::minmax_element(first, last, [c](const Bin& a, const Bin& b) {
                    return a.channel(c) < b.channel(c);
                });
            if (high->channel(c) - low->channel(c) > spread) {
                spread = high->channel(c) - low->channel(c);
                best = c;
            }
        }
        return {best, spread};
    }
};

std::vector<Bin> histogram(const QImage& image, const QRect& area) {
    std::vector<Bin> bins(kKeys);
    for (int key = 0; key < kKeys; ++key)
        bins[std::size_t(key)].key = key;
    // Large areas are sampled: every pixel adds nothing the sample does not already say.
    const int step = area.width() * area.height() > 200000 ? 2 : 1;
    for (int y = area.top(); y <= area.bottom(); y += step) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); x += step) {
            const QRgb pixel = line[x];
            Bin& bin = bins[std::size_t(keyOf(qRed(pixel), qGreen(pixel), qBlue(pixel)))];
            ++bin.count;
            bin.r += qRed(pixel);
            bin.g += qGreen(pixel);
            bin.b += qBlue(pixel);
        }
    }
    std::erase_if(bins, [](const Bin& bin) { return bin.count == 0; });
    return bins;
}

// The ordered-dither offset of a pixel, -0.5 .. 0.5 of the spread.
double bayer(int x, int y) {
    static constexpr int kMatrix[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (kMatrix[y & 3][x & 3] + 0.5) / 16.0 - 0.5;
}

std::size_t nearestColour(const std::vector<QRgb>& colours, QRgb colour) {
    std::size_t best = 0;
    int bestDistance = INT_MAX;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int dr = qRed(colours[i]) - qRed(colour), dg = qGreen(colours[i]) - qGreen(colour),
                  db = qBlue(colours[i]) - qBlue(colour);
        // Green counts most and blue least to the eye.
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// A box's mean lies inside it, so the lightest and darkest colours of a shade end up a little
// inside the shade and dithering could not reach its ends. A few rounds of moving every colour
// to the mean of the pixels nearest to it put them where the pixels are.
void refine(std::vector<QRgb>& colours, const std::vector<Bin>& bins) {
    constexpr int kRounds = 2;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::array<long long, 4>> sums(colours.size(), {0, 0, 0, 0});
        for (const Bin& bin : bins) {
            const QRgb mean =
                qRgb(int(bin.r / bin.count), int(bin.g / bin.count), int(bin.b / bin.count));
            auto& sum = sums[nearestColour(colours, mean)];
            sum[0] += bin.r;
            sum[1] += bin.g;
            sum[2] += bin.b;
            sum[3] += bin.count;
        }
        for (std::size_t i = 0; i < colours.size(); ++i) {
            if (sums[i][3] > 0) {
                colours[i] = qRgb(int(sums[i][0] / sums[i][3]), int(sums[i][1] / sums[i][3]),
                                  int(sums[i][2] / sums[i][3]));
            }
        }
    }
}

} // namespace

MedianCutPalette::MedianCutPalette(const QImage& image, const QRect& area, int mostColours)
    : m_lookup(kLookupKeys, -1) {
    std::vector<Bin> bins = histogram(image, area);
    std::vector<Box> boxes{{bins.begin(), bins.end()}};
    while (int(boxes.size()) < mostColours) {
        // Split the box whose colours lie furthest apart, weighted by how many pixels it holds.
        auto chosen = boxes.end();
        long long bestScore = 0;
        int channel = 0;
        for (auto box = boxes.begin(); box != boxes.end(); ++box) {
            if (box->last - box->first < 2)
                continue;
            const auto [c, spread] = box->widest();
            const long long score =
                static_cast<long long>(spread + 1) * (spread + 1) * box->population();
            if (spread > 0 && score > bestScore) {
                bestScore = score;
                chosen = box;
                channel = c;
            }
        }
        if (chosen == boxes.end())
            break;
        std::sort(chosen->first, chosen->last, [channel](const Bin& a, const Bin& b) {
            return a.channel(channel) < b.channel(channel);
        });
        const long long half = chosen->population() / 2;
        long long sum = 0;
        auto middle = chosen->first;
        while (middle + 1 != chosen->last && sum + middle->count <= half)
            sum += (middle++)->count;
        if (middle == chosen->first)
            ++middle;
        const Box upper{middle, chosen->last};
        chosen->last = middle;
        boxes.push_back(upper);
    }
    for (const Box& box : boxes) {
        long long count = 0, r = 0, g = 0, b = 0;
        for (auto bin = box.first; bin != box.last; ++bin) {
            count += bin->count;
            r += bin->r;
            g += bin->g;
            b += bin->b;
        }
        if (count > 0)
            m_colours.push_back(qRgb(int(r / count), int(g / count), int(b / count)));
    }
    if (m_colours.empty())
        m_colours.push_back(qRgb(255, 255, 255));
    refine(m_colours, bins);
}

std::uint8_t MedianCutPalette::nearest(int key) {
    std::int16_t& known = m_lookup[std::size_t(key)];
    if (known < 0) {
        known = std::int16_t(
            nearestColour(m_colours, qRgb(((key >> 12) & 63) * 4 + 2, ((key >> 6) & 63) * 4 + 2,
                                          (key & 63) * 4 + 2)));
    }
    return std::uint8_t(known);
}

std::vector<std::uint8_t> MedianCutPalette::indexed(const QImage& image, const QRect& area) {
    std::vector<std::uint8_t> indices;
    indices.reserve(std::size_t(area.width()) * std::size_t(area.height()));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const int offset = int(bayer(x, y) * kDitherSpread);
            const auto channel = [offset](int value) {
                return std::clamp(value + offset, 0, 255);
            };
            const QRgb pixel = line[x];
            indices.push_back(nearest(
                lookupKeyOf(channel(qRed(pixel)), channel(qGreen(pixel)), channel(qBlue(pixel)))));
        }
    }
    return indices;
}

} // namespace tivora::exporting
