#include "engine/scene/line_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
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

// Where a pixel's alpha lies among its four bytes, and whether the low half of a 64-bit
// integer comes first in memory.
constexpr bool kFirstLow = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
constexpr int kAlpha = kFirstLow ? 3 : 0;

// A pixel this opaque takes nothing more from the lines behind it: the most they could add is
// one level of each channel, which laying lines one under another loses to rounding anyway, and
// a pixel at this level would otherwise be read again by many of the lines behind.
constexpr std::uint8_t kCovered = 254;

// Two pixels side by side across the line in one cell (a row or a column it crosses): where
// they lie, and how much of each, of 255, the line covers.
struct Cell {
    uchar* first;
    uchar* second;
    int along;  // the cell
    int across; // the first pixel's column (row) in it
    int firstShare;
    int secondShare;
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
        const auto a = std::uint16_t(cell.firstShare);
        const auto b = std::uint16_t(cell.secondShare);
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
constexpr std::int64_t kOne = std::int64_t(1) << kFractionBits;
constexpr double kFixedOne = double(kOne);

// The share of 255 a length along a cell, of at most its whole length, makes. A length is never
// below zero, so adding a half rounds it, for less than a call to std::lround costs per cell.
int lengthShare(double length) {
    return int(length * 255.0 + 0.5); // NOLINT(bugprone-incorrect-roundings)
}

// Truncated rather than floored: below zero that is one part in 2^32 of a pixel off, and it
// spares a call per segment.
std::int64_t fixedOf(double position) {
    return std::int64_t(position * kFixedOne + 0.5); // NOLINT(bugprone-incorrect-roundings)
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

// Whether a segment runs across rows rather than columns.
bool isSteep(QPointF from, QPointF to) {
    return std::abs(to.y() - from.y()) >= std::abs(to.x() - from.x());
}

// Whether a line from a through b to c takes its cells one way before b and another after it:
// across rows, then across columns, or back along the rows (columns) it came through.
bool turns(QPointF a, QPointF b, QPointF c) {
    const bool steep = isSteep(a, b);
    if (steep != isSteep(b, c))
        return true;
    return steep ? (b.y() - a.y()) * (c.y() - b.y()) < 0 : (b.x() - a.x()) * (c.x() - b.x()) < 0;
}

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
        , m_covered(m_flagsPerColumn / 64 * std::size_t(picture.width()))
        , m_pixelCount(std::size_t(picture.width()) * std::size_t(std::max(picture.height(), 0))) {}

    // From here on, pixels the same line covers more than once (where its segments and dots
    // overlap) take only its largest share of them, as one outline of the whole line would; 0
    // stops keeping count. A see-through line laid twice over a pixel would show darker there.
    void countSharesOf(std::uint32_t line) {
        m_line = line;
        if (line != 0 && m_shares.empty())
            m_shares.resize(m_pixelCount, 0);
    }

    void drawSegment(QPointF from, QPointF to, double width, const PairBlender& blender) {
        if (!std::isfinite(from.x() + from.y() + to.x() + to.y()))
            return;
        if (isSteep(from, to)) {
            if (from.y() > to.y())
                std::swap(from, to);
            drawAlong(m_rows, m_columns, {from.y(), to.y()}, {from.x(), to.x()}, width, blender);
        } else {
            if (from.x() > to.x())
                std::swap(from, to);
            drawAlong(m_columns, m_rows, {from.x(), to.x()}, {from.y(), to.y()}, width, blender);
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

    // Where a segment runs along one axis: from its start to its end.
    struct Run {
        double from;
        double to;
    };

    // Walks the cells (rows or columns) along the major axis from one end of the segment to
    // the other. Each cell the segment crosses gets the share of the cell's length the segment
    // covers, spread across the line over the pixels its width covers there.
    void drawAlong(const Axis& major, const Axis& minor, Run along, Run across, double width,
                   const PairBlender& blender) {
        if (!(along.from < along.to))
            return;
        const double slope = (across.to - across.from) / (along.to - along.from);
        // Across a cell the line is as broad as its width measured square to it; one pixel wide,
        // it is one pixel broad whatever its slope, as Qt draws thin lines.
        const bool thin = width <= 1.0;
        width = thin ? 1.0 : width * std::hypot(1.0, slope);
        // Only where the line lies within its breadth of the picture can it reach a pixel.
        double from = std::max(along.from, 0.0);
        double to = std::min(along.to, double(major.size));
        const double lowest = std::min(across.from, across.to);
        const double highest = std::max(across.from, across.to);
        if (highest < -width || lowest > minor.size + width)
            return;
        if (lowest < -width || highest > minor.size + width) {
            const double alongPerAcross = (along.to - along.from) / (across.to - across.from);
            const double atStart = along.from + (-width - across.from) * alongPerAcross;
            const double atEnd = along.from + (minor.size + width - across.from) * alongPerAcross;
            from = std::max(from, std::min(atStart, atEnd));
            to = std::min(to, std::max(atStart, atEnd));
        }
        if (!(from < to))
            return;
        // Where the line's near edge lies across a cell, given the middle of the cell's stretch
        // of the line: pixel k spans k to k + 1.
        const auto edgeAt = [&](double middle) {
            return fixedOf(across.from + slope * (middle - along.from) - width / 2);
        };
        const std::int64_t wide = fixedOf(width);
        // Pixels outside the picture are laid into a scratch pair that is never shown.
        const auto layPair = [&](int cell, int pixel, int firstShare, int secondShare)
            __attribute__((always_inline)) {
            layPairOf(major, minor, {cell, pixel, firstShare, secondShare}, blender);
        };
        const auto layAcross = [&](int cell, std::int64_t edge, int share)
            __attribute__((always_inline)) {
            const int first = int(edge >> kFractionBits);
            if (thin) {
                // The share splits between the two pixels the line's breadth falls on.
                const int second = int((edge >> (kFractionBits - 8)) & 255);
                layPair(cell, first, ((255 - second) * share + 127) / 255,
                        (second * share + 127) / 255);
                return;
            }
            const std::int64_t far = edge + wide;
            const auto shareOf = [&](int pixel) {
                const std::int64_t start = std::int64_t(pixel) << kFractionBits;
                const std::int64_t covered =
                    std::max<std::int64_t>(std::min(far, start + kOne) - std::max(edge, start), 0);
                return int((covered * share + kOne / 2) >> kFractionBits);
            };
            for (int pixel = first; (std::int64_t(pixel) << kFractionBits) < far; pixel += 2)
                layPair(cell, pixel, shareOf(pixel), shareOf(pixel + 1));
        };
        // The cells from first up to end, which the line crosses whole. They are taken a stretch
        // at a time, and a stretch whose pixels are all covered already is passed over.
        const std::int64_t step = fixedOf(slope);
        const auto layWhole = [&](int first, int end) __attribute__((always_inline)) {
            std::int64_t edge = edgeAt(first + 0.5);
            for (int cell = first; cell < end;) {
                const int stretchEnd = std::min(cell + kStretch, end);
                const std::int64_t last = edge + step * (stretchEnd - 1 - cell);
                const Span reached{int(std::min(edge, last) >> kFractionBits),
                                   int((std::max(edge, last) + wide) >> kFractionBits)};
                if (isCovered(major, {cell, stretchEnd - 1}, reached)) {
                    edge = last + step;
                    cell = stretchEnd;
                    continue;
                }
                for (; cell < stretchEnd; ++cell, edge += step)
                    layAcross(cell, edge, 255);
            }
        };
        // Wider lines take the cells whose middles they cross, so that the segments of a line
        // meet without a seam. Thin ones share the cells at their ends with the segments they
        // join, each by the length it covers, as Qt's do.
        if (!thin) {
            layWhole(int(std::ceil(from - 0.5)), int(std::ceil(to - 0.5)));
            return;
        }
        // Both are at least zero here, where truncation floors.
        const int firstCell = int(from);
        const int lastCell = int(to) - (double(int(to)) == to ? 1 : 0);
        if (firstCell == lastCell) {
            layAcross(firstCell, edgeAt((from + to) / 2), lengthShare(to - from));
            return;
        }
        layAcross(firstCell, edgeAt((from + firstCell + 1) / 2), lengthShare(firstCell + 1 - from));
        layWhole(firstCell + 1, lastCell);
        layAcross(lastCell, edgeAt((lastCell + to) / 2), lengthShare(to - lastCell));
    }

    // A pair of pixels across a cell and the shares of 255 of each that a line covers.
    struct PairShare {
        int cell;
        int pixel; // the first one
        int firstShare;
        int secondShare;
    };

    __attribute__((always_inline)) void layPairOf(const Axis& major, const Axis& minor,
                                                  const PairShare& share,
                                                  const PairBlender& blender) {
        // Pixels outside the picture are laid into a scratch pair that is never shown.
        uchar outside[2 * sizeof(QRgb)] = {};
        const int pixel = share.pixel;
        uchar* first = m_pixels + share.cell * major.stride + pixel * minor.stride;
        const bool firstShown = pixel >= 0 && pixel < minor.size;
        const bool secondShown = pixel + 1 >= 0 && pixel + 1 < minor.size;
        Cell pair{firstShown ? first : outside,
                  secondShown ? first + minor.stride : outside + sizeof(QRgb),
                  share.cell,
                  pixel,
                  share.firstShare,
                  share.secondShare};
        if (m_line != 0) {
            pair.firstShare = firstShown ? shareNotYetTaken(pair.first, pair.firstShare) : 0;
            pair.secondShare = secondShown ? shareNotYetTaken(pair.second, pair.secondShare) : 0;
            if (pair.firstShare == 0 && pair.secondShare == 0)
                return;
        }
        const PixelPair drawn = PairBlender::load(pair);
        if (std::min(drawn[kAlpha], drawn[kAlpha + 4]) < kCovered)
            markCovered(major, minor, pair, blender.layUnder(pair, drawn));
    }

    // What the current line adds to a pixel it would cover by share: what it has not taken
    // there yet. (Laid under what the line already put there, the addition is a little lighter
    // than one outline would make it; only edge pixels are covered twice in part.)
    int shareNotYetTaken(const uchar* pixel, int share) {
        std::uint32_t& taken = m_shares[std::size_t(pixel - m_pixels) / sizeof(QRgb)];
        const int before = taken >> 8 == m_line ? int(taken & 255) : 0;
        if (share <= before)
            return 0;
        taken = m_line << 8 | std::uint32_t(share);
        return share - before;
    }

public:
    // A round dot as wide as the line, centred on centre: where a wide line turns it rounds the
    // corner, as a round join does, instead of leaving the segments' square ends to show.
    void drawDot(QPointF centre, double width, const PairBlender& blender) {
        const double radius = width / 2;
        if (!std::isfinite(centre.x() + centre.y()))
            return;
        const int firstRow = std::max(int(std::floor(centre.y() - radius)), 0);
        const int lastRow = std::min(int(std::ceil(centre.y() + radius)), m_rows.size - 1);
        for (int row = firstRow; row <= lastRow; ++row) {
            const double down = row + 0.5 - centre.y();
            const double reach = radius * radius - down * down;
            if (reach <= 0)
                continue;
            // Each pixel of the row takes the share of it the dot's chord there covers.
            const double left = centre.x() - std::sqrt(reach);
            const double right = 2 * centre.x() - left;
            const auto shareOf = [&](int pixel) {
                const double covered = std::min(right, pixel + 1.0) - std::max(left, double(pixel));
                return lengthShare(std::clamp(covered, 0.0, 1.0));
            };
            const int last = std::min(int(std::ceil(right)), m_columns.size);
            for (int pixel = std::max(int(std::floor(left)), -1); pixel < last; pixel += 2)
                layPairOf(m_rows, m_columns, {row, pixel, shareOf(pixel), shareOf(pixel + 1)},
                          blender);
        }
    }

private:
    // How many cells are passed over at once where the lines in front cover them.
    static constexpr int kStretch = 16;

    uchar* m_pixels;
    std::size_t m_flagsPerColumn; // whole words of flags, one bit for each row
    Axis m_rows;
    Axis m_columns;
    std::vector<std::uint64_t> m_covered; // column by column
    std::size_t m_pixelCount;
    // While m_line is not 0: for each pixel, the line that last covered it (above the low byte)
    // and its share there (the low byte).
    std::uint32_t m_line = 0;
    std::vector<std::uint32_t> m_shares;
};

// From this width on, a line's corners would show square: they are rounded by a dot.
constexpr double kRoundedFrom = 3.0;

// The end of a segment from the other end moved on by reach along the segment's major axis.
QPointF pastEnd(QPointF end, QPointF other, double reach) {
    const QPointF way = end - other;
    const double major = std::max(std::abs(way.x()), std::abs(way.y()));
    return major > 0 ? end + way * (reach / major) : end;
}

} // namespace

LineCanvas::LineCanvas(QRect area)
    : m_area(area.normalized()) {}

void LineCanvas::addPolyline(const QPolygonF& points, const QTransform& toDevice,
                             QRgb premultiplied, double width) {
    if (points.isEmpty() || qAlpha(premultiplied) == 0 || m_area.isEmpty())
        return;
    width = std::max(width, 1.0);
    const auto inArea = [&](QPointF point) {
        return QPointF(toDevice.m11() * point.x() + toDevice.dx() - m_area.left(),
                       toDevice.m22() * point.y() + toDevice.dy() - m_area.top());
    };
    const std::size_t first = m_points.size();
    std::ranges::transform(points, std::back_inserter(m_points), inArea);
    if (points.size() == 1) {
        // A single point is a dot as wide as the line; one pixel wide, it fills the pixel
        // nearest it, as Qt draws it.
        const QPointF dot = width == 1.0 ? QPointF(std::floor(m_points.back().x() + 0.5) + 0.5,
                                                   std::floor(m_points.back().y() + 0.5) + 0.5)
                                         : m_points.back();
        m_points.back() = dot - QPointF(0, width / 2);
        m_points.push_back(dot + QPointF(0, width / 2));
    } else {
        // Round ends reach half the line's width past the ends, along the way it runs there.
        m_points[first] = pastEnd(m_points[first], m_points[first + 1], width / 2);
        m_points.back() = pastEnd(m_points.back(), m_points[m_points.size() - 2], width / 2);
    }
    m_polylines.push_back({first, m_points.size(), premultiplied, width});
}

QImage LineCanvas::finish() {
    QImage picture(m_area.size().expandedTo({1, 1}), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    LayeredPicture layers(picture);
    releaseWideRegisters();
    // Front to back: the line added last lies on top.
    for (auto polyline = m_polylines.rbegin(); polyline != m_polylines.rend(); ++polyline) {
        const PairBlender blender(polyline->colour);
        const double width = polyline->width;
        const bool rounded = width >= kRoundedFrom;
        // An opaque line covers its own overlaps whatever it lays there again.
        const bool seeThrough = qAlpha(polyline->colour) < 255 && width > 1.0;
        layers.countSharesOf(seeThrough ? std::uint32_t(m_polylines.rend() - polyline) : 0);
        for (std::size_t i = polyline->first + 1; i < polyline->end; ++i) {
            QPointF from = m_points[i - 1];
            QPointF to = m_points[i];
            // Where a wider line turns from running across rows to running across columns, or
            // back the way it came, its segments would leave a notch or a blunt tip between
            // them: each reaches half the line's width past the corner there, unless a dot
            // rounds the corner.
            if (width > 1.0 && !rounded) {
                if (i > polyline->first + 1 && turns(m_points[i - 2], from, to))
                    from = pastEnd(from, to, width / 2);
                if (i + 1 < polyline->end && turns(from, to, m_points[i + 1]))
                    to = pastEnd(to, from, width / 2);
            }
            layers.drawSegment(from, to, width, blender);
            if (rounded && i + 1 < polyline->end)
                layers.drawDot(to, width, blender);
        }
    }
    // The pixels are the caller's now: whatever comes later falls outside an empty area.
    m_area = QRect(m_area.topLeft(), QSize(0, 0));
    m_points.clear();
    m_polylines.clear();
    return picture;
}

} // namespace tivora::engine
