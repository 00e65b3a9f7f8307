#include "engine/scene/hairline_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace tivora::engine {
namespace {

// The two pixels across the line are blended at once: their channels side by side in eight
// 16-bit lanes, in the order they lie in memory.
using Lanes = std::uint16_t __attribute__((vector_size(16)));
using PixelPair = std::uint8_t __attribute__((vector_size(8)));

// x / 255, rounded, for any x a blend below can make.
Lanes divideBy255(Lanes x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}
int divideBy255(int x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// Where a pixel's alpha lies among its four bytes, and whether the low half of a 64-bit
// integer comes first in memory.
constexpr bool kFirstLow = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
constexpr int kAlpha = kFirstLow ? 3 : 0;

// A pixel this opaque takes nothing more from the lines behind it: the most they could add is
// one level of each channel, which laying lines one under another loses to rounding anyway, and
// a pixel at this level would otherwise be read again by many of the lines behind.
constexpr std::uint8_t kCovered = 254;

// Two pixels across the line in one cell (a row or a column it crosses): where they lie, and
// how the line covers them.
struct Cell {
    uchar* first;
    uchar* second;
    int along;  // the cell
    int across; // the first pixel's column (row) in it
    int share;  // of 255: how much of the cell's length the line covers
    int upper;  // of 255: how much of that share falls on the second pixel
};

// Lays one colour under what is drawn already, a pair of pixels at a time.
class PairBlender {
public:
    explicit PairBlender(QRgb premultiplied) {
        std::uint8_t channels[4];
        std::memcpy(channels, &premultiplied, sizeof channels);
        for (int lane = 0; lane < 8; ++lane)
            m_colour[lane] = channels[lane % 4];
    }

    // The two pixels travel through one 64-bit integer: written into the pair's bytes four at a
    // time, they would be read back eight at a time, which the processor cannot forward.
    static PixelPair load(const Cell& cell) {
        std::uint32_t first;
        std::uint32_t second;
        std::memcpy(&first, cell.first, 4);
        std::memcpy(&second, cell.second, 4);
        const std::uint64_t both =
            kFirstLow ? std::uint64_t(second) << 32 | first : std::uint64_t(first) << 32 | second;
        PixelPair pair;
        std::memcpy(&pair, &both, sizeof pair);
        return pair;
    }
    static void store(const Cell& cell, PixelPair pair) {
        std::uint64_t both;
        std::memcpy(&both, &pair, sizeof both);
        const auto low = std::uint32_t(both);
        const auto high = std::uint32_t(both >> 32);
        std::memcpy(cell.first, kFirstLow ? &low : &high, 4);
        std::memcpy(cell.second, kFirstLow ? &high : &low, 4);
    }

    // What the pixels drawn leave uncovered, the colour covers by its shares; gives the pixels
    // as they are then. No lane passes 255 * 255: a premultiplied channel is at most its alpha,
    // and the colour adds at most what the alpha leaves.
    PixelPair layUnder(const Cell& cell, PixelPair drawn) const {
        const Lanes pixels = __builtin_convertvector(drawn, Lanes);
        const Lanes alphas =
            __builtin_shufflevector(pixels, pixels, kAlpha, kAlpha, kAlpha, kAlpha, kAlpha + 4,
                                    kAlpha + 4, kAlpha + 4, kAlpha + 4);
        const auto a = std::uint16_t(divideBy255((255 - cell.upper) * cell.share));
        const auto b = std::uint16_t(divideBy255(cell.upper * cell.share));
        const Lanes shares = {a, a, a, a, b, b, b, b};
        const Lanes uncovered = divideBy255(shares * (255 - alphas));
        drawn = __builtin_convertvector(pixels + divideBy255(m_colour * uncovered), PixelPair);
        store(cell, drawn);
        return drawn;
    }

private:
    Lanes m_colour;
};

// Positions across the line in fixed point, so that stepping along it adds one integer.
constexpr int kFractionBits = 32;
constexpr double kFixedOne = double(std::int64_t(1) << kFractionBits);

int shareOf(double length) {
    return int(length * 255.0 + 0.5);
}

// Truncated rather than floored: below zero that is one part in 2^32 of a pixel off, and it
// spares a call per segment.
std::int64_t fixedOf(double position) {
    return std::int64_t(position * kFixedOne + 0.5);
}

// On machines with AVX, Qt's own fills and blends leave the upper halves of the vector
// registers in use, and SSE instructions run after them wait on those halves: the drawing below
// took twice as long until they were cleared before it.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) void clearUpperVectorHalves() {
    __builtin_ia32_vzeroupper();
}
void releaseWideRegisters() {
    if (__builtin_cpu_supports("avx"))
        clearUpperVectorHalves();
}
#else
void releaseWideRegisters() {}
#endif

// One direction across the picture: the bytes from one pixel to the next along it, the bits
// from one pixel's flag to the next in the flags of covered pixels, and how many pixels lie along
// it.
struct Axis {
    qsizetype stride;
    std::size_t flagStride;
    int size;
};

// The picture as lines are laid under what it shows, and which of its pixels are covered: a
// stretch of a line whose every pixel is covered is passed over, and a covered pair of pixels is
// only read.
class LayeredPicture {
public:
    explicit LayeredPicture(QImage& picture)
        : m_pixels(picture.bits())
        , m_flagsPerColumn((std::size_t(std::max(picture.height(), 1)) + 63) / 64 * 64)
        , m_rows{picture.bytesPerLine(), 1, picture.height()}
        , m_columns{qsizetype(sizeof(QRgb)), m_flagsPerColumn, picture.width()}
        , m_covered(m_flagsPerColumn / 64 * std::size_t(picture.width())) {}

    void drawSegment(QPointF from, QPointF to, const PairBlender& blender) {
        if (!std::isfinite(from.x() + from.y() + to.x() + to.y()))
            return;
        if (std::abs(to.y() - from.y()) >= std::abs(to.x() - from.x())) {
            if (from.y() > to.y())
                std::swap(from, to);
            drawAlong(m_rows, m_columns, from.y(), to.y(), from.x(), to.x(), blender);
        } else {
            if (from.x() > to.x())
                std::swap(from, to);
            drawAlong(m_columns, m_rows, from.x(), to.x(), from.y(), to.y(), blender);
        }
    }

private:
    using Span = std::pair<int, int>; // first and last pixel

    // Whether every pixel of the picture in the given cells along the major axis and pixels
    // across them is covered.
    bool isCovered(const Axis& major, Span along, Span across) const {
        return &major == &m_rows ? isCovered(across, along) : isCovered(along, across);
    }
    // Whether every pixel of the picture in the given columns and rows is covered.
    bool isCovered(Span columns, Span rows) const {
        const int firstRow = std::max(rows.first, 0);
        const int lastRow = std::min(rows.second, m_rows.size - 1);
        const int lastColumn = std::min(columns.second, m_columns.size - 1);
        for (int column = std::max(columns.first, 0); column <= lastColumn; ++column) {
            const std::uint64_t* flags = &m_covered[std::size_t(column) * m_flagsPerColumn / 64];
            for (int row = firstRow; row <= lastRow;) {
                const int bit = row % 64;
                const int count = std::min(64 - bit, lastRow - row + 1);
                const std::uint64_t mask =
                    (count == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << count) - 1) << bit;
                if ((flags[row / 64] & mask) != mask)
                    return false;
                row += count;
            }
        }
        return true;
    }

    void markCovered(const Axis& major, const Axis& minor, const Cell& cell, PixelPair pixels) {
        const auto mark = [&](int across) {
            if (across < 0 || across >= minor.size)
                return;
            const std::size_t flag =
                std::size_t(cell.along) * major.flagStride + std::size_t(across) * minor.flagStride;
            m_covered[flag / 64] |= std::uint64_t(1) << (flag % 64);
        };
        if (pixels[kAlpha] >= kCovered)
            mark(cell.across);
        if (pixels[kAlpha + 4] >= kCovered)
            mark(cell.across + 1);
    }

    // Walks the cells (rows or columns) along the major axis from majorFrom to majorTo. Each
    // cell the segment crosses gets the share of the cell's length the segment covers, split
    // across the line between the two pixels whose centres are nearest its position there.
    void drawAlong(const Axis& major, const Axis& minor, double majorFrom, double majorTo,
                   double minorFrom, double minorTo, const PairBlender& blender) {
        if (!(majorFrom < majorTo))
            return;
        const double slope = (minorTo - minorFrom) / (majorTo - majorFrom);
        // Only where the line lies within a pixel of the picture across can it reach a pixel.
        double from = std::max(majorFrom, 0.0);
        double to = std::min(majorTo, double(major.size));
        const double lowest = std::min(minorFrom, minorTo);
        const double highest = std::max(minorFrom, minorTo);
        if (highest < -1.0 || lowest > minor.size + 1.0)
            return;
        if (lowest < -1.0 || highest > minor.size + 1.0) {
            const double perPixelAcross = (majorTo - majorFrom) / (minorTo - minorFrom);
            const double atStart = majorFrom + (-1.0 - minorFrom) * perPixelAcross;
            const double atEnd = majorFrom + (minor.size + 1.0 - minorFrom) * perPixelAcross;
            from = std::max(from, std::min(atStart, atEnd));
            to = std::min(to, std::max(atStart, atEnd));
        }
        if (!(from < to))
            return;
        // Where the line lies across a cell, from the centre of the first pixel, given the
        // middle of the cell's stretch of it.
        const auto positionAt = [&](double middle) {
            return fixedOf(minorFrom + slope * (middle - majorFrom) - 0.5);
        };
        // Pixels outside the picture are laid into a scratch pair that is never shown.
        uchar outside[2 * sizeof(QRgb)] = {};
        const auto locate = [&](int along, std::int64_t position, int share) {
            const int across = int(position >> kFractionBits);
            uchar* first = m_pixels + along * major.stride + across * minor.stride;
            const bool firstInside = across >= 0 && across < minor.size;
            const bool secondInside = across + 1 >= 0 && across + 1 < minor.size;
            return Cell{firstInside ? first : outside,
                        secondInside ? first + minor.stride : outside + sizeof(QRgb),
                        along,
                        across,
                        share,
                        int((position >> (kFractionBits - 8)) & 255)};
        };
        const auto lay = [&](const Cell& cell) __attribute__((always_inline)) {
            const PixelPair drawn = PairBlender::load(cell);
            if (std::min(drawn[kAlpha], drawn[kAlpha + 4]) < kCovered)
                markCovered(major, minor, cell, blender.layUnder(cell, drawn));
        };
        // Both are at least zero here, where truncation floors.
        const int firstCell = int(from);
        const int lastCell = int(to) - (double(int(to)) == to ? 1 : 0);
        if (firstCell == lastCell) {
            lay(locate(firstCell, positionAt((from + to) / 2), shareOf(to - from)));
            return;
        }
        lay(locate(firstCell, positionAt((from + firstCell + 1) / 2),
                   shareOf(firstCell + 1 - from)));
        // The cells between lie whole under the line. They are taken a stretch at a time, and a
        // stretch whose pixels are all covered already is passed over.
        const std::int64_t step = fixedOf(slope);
        std::int64_t position = positionAt(firstCell + 1.5);
        for (int cell = firstCell + 1; cell < lastCell;) {
            const int stretchEnd = std::min(cell + kStretch, lastCell);
            const std::int64_t last = position + step * (stretchEnd - 1 - cell);
            const Span across{int(std::min(position, last) >> kFractionBits),
                              int(std::max(position, last) >> kFractionBits) + 1};
            if (isCovered(major, {cell, stretchEnd - 1}, across)) {
                position = last + step;
                cell = stretchEnd;
                continue;
            }
            for (; cell < stretchEnd; ++cell, position += step)
                lay(locate(cell, position, 255));
        }
        lay(locate(lastCell, positionAt((lastCell + to) / 2), shareOf(to - lastCell)));
    }

    // How many cells are passed over at once where the lines in front cover them.
    static constexpr int kStretch = 16;

    uchar* m_pixels;
    std::size_t m_flagsPerColumn; // whole words of flags, one bit for each row
    Axis m_rows;
    Axis m_columns;
    std::vector<std::uint64_t> m_covered; // column by column
};

// The end of a segment from the other end moved on by half a pixel along the segment's major
// axis.
QPointF pastEnd(QPointF end, QPointF other) {
    const QPointF way = end - other;
    const double major = std::max(std::abs(way.x()), std::abs(way.y()));
    return major > 0 ? end + way * (0.5 / major) : end;
}

} // namespace

HairlineCanvas::HairlineCanvas(QRect area)
    : m_area(area.normalized()) {}

void HairlineCanvas::addPolyline(const QPolygonF& points, const QTransform& toDevice,
                                 QRgb premultiplied) {
    if (points.isEmpty() || qAlpha(premultiplied) == 0 || m_area.isEmpty())
        return;
    const auto inArea = [&](QPointF point) {
        return QPointF(toDevice.m11() * point.x() + toDevice.dx() - m_area.left(),
                       toDevice.m22() * point.y() + toDevice.dy() - m_area.top());
    };
    const std::size_t first = m_points.size();
    for (const QPointF& point : points)
        m_points.push_back(inArea(point));
    // Qt's thin lines reach half a pixel past their ends, along the way they run there.
    if (points.size() == 1) {
        // A single point fills the pixel nearest it, as Qt draws it.
        const QPointF pixel(std::floor(m_points.back().x() + 0.5),
                            std::floor(m_points.back().y() + 0.5));
        m_points.back() = pixel + QPointF(0.5, 0);
        m_points.push_back(pixel + QPointF(0.5, 1));
    } else {
        m_points[first] = pastEnd(m_points[first], m_points[first + 1]);
        m_points.back() = pastEnd(m_points.back(), m_points[m_points.size() - 2]);
    }
    m_polylines.push_back({first, m_points.size(), premultiplied});
}

QImage HairlineCanvas::finish() {
    QImage picture(m_area.size().expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    LayeredPicture layers(picture);
    releaseWideRegisters();
    // Front to back: the line added last lies on top.
    for (auto polyline = m_polylines.rbegin(); polyline != m_polylines.rend(); ++polyline) {
        const PairBlender blender(polyline->colour);
        for (std::size_t i = polyline->first + 1; i < polyline->end; ++i)
            layers.drawSegment(m_points[i - 1], m_points[i], blender);
    }
    // The pixels are the caller's now: whatever comes later falls outside an empty area.
    m_area = QRect(m_area.topLeft(), QSize(0, 0));
    m_points.clear();
    m_polylines.clear();
    return picture;
}

} // namespace tivora::engine
