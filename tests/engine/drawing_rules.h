#pragma once

// The rules every drawn graph keeps, checked on what the inspector lists (and, for contrast, on
// the picture's pixels). Each check gives one line per breach, naming the items.
#include "document/variable_text.h"
#include "engine/inspect/graph_inspection.h"
#include "engine/layout/graph_layout.h"
#include "engine/movies/movie.h"
#include "engine/scene/clipped_outline.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

namespace tivora::engine::testing {

using namespace Qt::StringLiterals;

// What a graph text draws in its settled picture, or at time, at the given size.
inline Inspection inspectText(const QByteArray& text, std::optional<Millis> time = {},
                              QSize size = kStageSize.toSize()) {
    const Movie movie(layoutGraph(VariableText(text), QDir::temp()));
    return inspectMovie(movie, time.value_or(movie.settledTime()), size);
}

inline QString describe(const DrawnItem& item) {
    QString text = kindName(item.tag.kind);
    if (item.tag.series > 0)
        text += QStringLiteral(" s%1").arg(item.tag.series);
    if (item.tag.column > 0)
        text += QStringLiteral(" c%1").arg(item.tag.column);
    if (!item.text.isEmpty())
        text += QStringLiteral(" \"%1\"").arg(item.text);
    const QRectF r = item.rect;
    return text + QStringLiteral(" [%1,%2 %3x%4]")
                      .arg(r.x(), 0, 'f', 1)
                      .arg(r.y(), 0, 'f', 1)
                      .arg(r.width(), 0, 'f', 1)
                      .arg(r.height(), 0, 'f', 1);
}

// Boxes that merely touch, or share a sliver of anti-aliasing, do not overlap.
inline bool overlaps(const QRectF& a, const QRectF& b, double tolerance = 0.75) {
    const QRectF common = a.intersected(b);
    return common.width() > tolerance && common.height() > tolerance;
}

// Turned texts are compared by their turned ink boxes, not the upright boxes around them.
inline bool textsOverlap(const DrawnItem& a, const DrawnItem& b) {
    if (!overlaps(a.rect, b.rect))
        return false;
    const QRectF common = a.outline.intersected(b.outline).boundingRect();
    return common.width() > 0.75 && common.height() > 0.75;
}

inline bool isText(const DrawnItem& item) {
    return isTextKind(item.tag.kind);
}

// No two texts overlap; the texts of a note lie over the graph by the user's choice and are left
// out.
inline QStringList overlappingTexts(const Inspection& inspection) {
    QStringList breaches;
    const auto& items = inspection.items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!isText(items[i]) || items[i].tag.kind == ItemKind::NoteText)
            continue;
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            if (isText(items[j]) && items[j].tag.kind != ItemKind::NoteText &&
                textsOverlap(items[i], items[j]))
                breaches << describe(items[i]) + u" overlaps  "_s + describe(items[j]);
        }
    }
    return breaches;
}

// A value label never lies over another series' bar or marker, nor across its line.
inline QStringList labelsOverOtherSeries(const Inspection& inspection) {
    QStringList breaches;
    for (const DrawnItem& label : inspection.items) {
        if (label.tag.kind != ItemKind::ValueLabel)
            continue;
        const QRectF ink = label.rect.adjusted(0.5, 0.5, -0.5, -0.5);
        for (const DrawnItem& mark : inspection.items) {
            if (mark.tag.series == label.tag.series || mark.tag.series == 0)
                continue;
            const bool barOrPoint =
                mark.tag.kind == ItemKind::Bar || mark.tag.kind == ItemKind::Point;
            bool crossed = barOrPoint && overlaps(ink, mark.rect, 0.5);
            if (mark.tag.kind == ItemKind::Line) {
                for (qsizetype i = 1; i < mark.points.size() && !crossed; ++i)
                    crossed = segmentCrosses({mark.points[i - 1], mark.points[i]}, ink);
            }
            if (crossed)
                breaches << describe(label) + u" lies over  "_s + describe(mark);
        }
    }
    return breaches;
}

inline QStringList textsOutsidePicture(const Inspection& inspection) {
    const QRectF picture(QPointF(0, 0), QSizeF(inspection.picture));
    QStringList breaches;
    for (const DrawnItem& item : inspection.items) {
        if (isText(item) && !picture.adjusted(-0.5, -0.5, 0.5, 0.5).contains(item.rect))
            breaches << describe(item) + u" leaves the picture"_s;
    }
    return breaches;
}

// No text smaller than smallest pixels (in a picture the stage's size).
inline QStringList textsBelow(const Inspection& inspection, double smallest) {
    QStringList breaches;
    for (const DrawnItem& item : inspection.items) {
        if (isText(item) && item.fontPx < smallest - 0.01)
            breaches << describe(item) + QStringLiteral(" is %1 px").arg(item.fontPx);
    }
    return breaches;
}

// Labels of one kind whose texts differ are shown differently, so shortening never makes two
// of them read alike. A label wrapped over several lines (or a pie label with its value) is read
// as all its lines together.
inline QStringList labelsShownAlike(const Inspection& inspection) {
    struct Label {
        QString shown;
        QString full;
        QString lastFull; // the lines of one text share it
        const DrawnItem* first = nullptr;
    };
    using Owner = std::tuple<ItemKind, int, int>;
    std::map<Owner, Label> labels;
    for (const DrawnItem& item : inspection.items) {
        const ItemKind kind = item.tag.kind;
        if (kind != ItemKind::XLabel && kind != ItemKind::PieLabel && kind != ItemKind::LegendText)
            continue;
        Label& label = labels[{kind, item.tag.series, item.tag.column}];
        if (label.first == nullptr)
            label.first = &item;
        label.shown += item.text + u'\n';
        if (label.lastFull != item.tag.fullText)
            label.full += item.tag.fullText + u'\n';
        label.lastFull = item.tag.fullText;
    }
    std::map<std::pair<ItemKind, QString>, const Label*> shown;
    QStringList breaches;
    for (const auto& [owner, label] : labels) {
        const auto [found, added] = shown.try_emplace({std::get<0>(owner), label.shown}, &label);
        if (!added && found->second->full != label.full)
            breaches << describe(*label.first) + u" reads as  "_s + describe(*found->second->first);
    }
    return breaches;
}

// A header takes its second line before it is made smaller than it is asked to be.
inline QStringList headersShrunkOnOneLine(const Inspection& inspection, double asked) {
    std::vector<const DrawnItem*> lines;
    for (const DrawnItem& item : inspection.items) {
        if (item.tag.kind == ItemKind::Header)
            lines.push_back(&item);
    }
    if (lines.size() == 1 && lines.front()->fontPx < asked - 0.01)
        return {describe(*lines.front()) +
                QStringLiteral(" is %1 px on one line").arg(lines.front()->fontPx)};
    return {};
}

inline double relativeLuminance(QColor color) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

inline double contrastRatio(QColor a, QColor b) {
    const double first = relativeLuminance(a);
    const double second = relativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// The contrast of a text against what lies under it: the pixels of its ink box that its glyphs
// (grown by a pixel for their anti-aliased edges) do not cover, taken at their median.
inline double contrastUnder(const DrawnItem& text, const QImage& picture) {
    const QRect box = text.rect.toAlignedRect().intersected(picture.rect());
    if (box.isEmpty())
        return 21.0;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, int(std::lround(text.fontPx))));
    QImage glyphs(box.size(), QImage::Format_Alpha8);
    glyphs.fill(0);
    {
        QPainter painter(&glyphs);
        painter.translate(-box.topLeft());
        const QRectF ink = QFontMetricsF(font).tightBoundingRect(text.text);
        QPainterPath path;
        path.addText(text.rect.topLeft() - ink.topLeft(), font, text.text);
        // Bold or not, a glyph mask a pixel wider covers what the text draws.
        painter.setPen(QPen(Qt::black, 2.0));
        painter.setBrush(Qt::black);
        painter.drawPath(path);
    }
    std::vector<double> ratios;
    for (int y = 0; y < box.height(); ++y) {
        const uchar* covered = glyphs.constScanLine(y);
        for (int x = 0; x < box.width(); ++x) {
            if (covered[x] == 0)
                ratios.push_back(
                    contrastRatio(text.color, picture.pixelColor(box.topLeft() + QPoint(x, y))));
        }
    }
    if (ratios.empty())
        return 21.0;
    std::ranges::nth_element(ratios, ratios.begin() + std::ptrdiff_t(ratios.size() / 2));
    return ratios[ratios.size() / 2];
}

// Whether a note (which the user lays over the graph) covers part of rect.
inline bool underNote(const QRectF& rect, const Inspection& inspection) {
    return std::ranges::any_of(inspection.items, [&rect](const DrawnItem& item) {
        return item.tag.kind == ItemKind::Note && overlaps(item.rect, rect, 0.0);
    });
}

inline QStringList labelsHardToRead(const Inspection& inspection, const QImage& picture,
                                    double least = 4.5) {
    QStringList breaches;
    for (const DrawnItem& item : inspection.items) {
        if (item.tag.kind != ItemKind::ValueLabel || underNote(item.rect, inspection))
            continue;
        if (const double contrast = contrastUnder(item, picture); contrast < least)
            breaches << describe(item) +
                            QStringLiteral(" has contrast %1").arg(contrast, 0, 'f', 2);
    }
    return breaches;
}

} // namespace tivora::engine::testing
