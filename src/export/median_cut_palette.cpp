#include "export/median_cut_palette.h"

#include <algorithm>
#include <climits>

namespace tivora::exporting {
namespace {

constexpr int kLevels = 32; // per channel, 5 bits
constexpr int kKeys = kLevels * kLevels * kLevels;
// How far dithering moves a channel at most, in 8-bit steps: a little more than one 5-bit level.
constexpr double kDitherSpread = 10.0;

int keyOf(int r, int g, int b) {
    return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
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

} // namespace

MedianCutPalette::MedianCutPalette(const QImage& image, const QRect& area, int mostColours)
    : m_lookup(kKeys, -1) {
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
            const long long score = (spread + 1) * (spread + 1) * box->population();
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
}

std::uint8_t MedianCutPalette::nearest(int key) {
    std::int16_t& known = m_lookup[std::size_t(key)];
    if (known >= 0)
        return std::uint8_t(known);
    const int r = ((key >> 10) & 31) * 8 + 4, g = ((key >> 5) & 31) * 8 + 4, b = (key & 31) * 8 + 4;
    int best = 0, bestDistance = INT_MAX;
    for (std::size_t i = 0; i < m_colours.size(); ++i) {
        const int dr = qRed(m_colours[i]) - r, dg = qGreen(m_colours[i]) - g,
                  db = qBlue(m_colours[i]) - b;
        // Green counts most and blue least to the eye.
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    known = std::int16_t(best);
    return std::uint8_t(best);
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
                keyOf(channel(qRed(pixel)), channel(qGreen(pixel)), channel(qBlue(pixel)))));
        }
    }
    return indices;
}

} // namespace tivora::exporting
