#include "engine/render/svg_paint_device.h"

#include "engine/render/stage_metric.h"
#include "engine/scene/scene.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QSvgGenerator>
#include <QTextItem>

namespace tivora::engine {

// Hands every call on to a painter on a generator, keeping the clip as its device asks.
class SvgPaintEngine : public QPaintEngine {
public:
    // With a generator, calls are cut to the clip; without, they go into segments.
    explicit SvgPaintEngine(QSvgGenerator* generator)
        : QPaintEngine(AllFeatures)
        , m_generator(generator) {}

    bool begin(QPaintDevice*) override {
        m_clipKnown = false;
        return !m_generator || m_out.begin(m_generator);
    }
    bool end() override {
        if (m_generator)
            return m_out.end();
        finishSegment();
        return true;
    }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags dirty = state.state();
        if (dirty & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled | DirtyTransform))
            m_clipKnown = false;
        if (!m_out.isActive())
            return; // a segment not yet begun takes the whole state when it begins
        if (dirty & DirtyPen)
            m_out.setPen(state.pen());
        if (dirty & DirtyBrush)
            m_out.setBrush(state.brush());
        if (dirty & DirtyBrushOrigin)
            m_out.setBrushOrigin(state.brushOrigin());
        if (dirty & DirtyFont)
            m_out.setFont(state.font());
        if (dirty & DirtyTransform)
            m_out.setTransform(state.transform());
        if (dirty & DirtyOpacity)
            m_out.setOpacity(state.opacity());
        if (dirty & DirtyHints)
            m_out.setRenderHints(state.renderHints());
    }

    void drawPath(const QPainterPath& path) override {
        if (!crossesClip(path.controlPointRect())) {
            m_out.drawPath(path);
            return;
        }
        const QPainterPath& clip = *logicalClip();
        const QPen pen = m_out.pen();
        const QBrush brush = m_out.brush();
        m_out.save();
        m_out.setPen(Qt::NoPen);
        if (brush.style() != Qt::NoBrush)
            m_out.drawPath(path.intersected(clip));
        if (pen.style() != Qt::NoPen) {
            m_out.setBrush(pen.brush());
            m_out.drawPath(strokeOutline(path, pen).intersected(clip));
        }
        m_out.restore();
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        const QPolygonF polygon(QList<QPointF>(points, points + count));
        if (!crossesClip(polygon.boundingRect())) {
            if (mode == PolylineMode)
                m_out.drawPolyline(polygon);
            else
                m_out.drawPolygon(polygon, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
            return;
        }
        QPainterPath path;
        path.addPolygon(polygon);
        if (mode == PolylineMode) {
            m_out.save();
            m_out.setBrush(Qt::NoBrush);
            drawPath(path);
            m_out.restore();
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        drawPath(path);
    }

    // Rectangles, lines and ellipses that need no cut keep their own SVG elements, which are
    // smaller than paths and which writers can merge.
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            if (crossesClip(rects[i]))
                QPaintEngine::drawRects(&rects[i], 1);
            else
                m_out.drawRect(rects[i]);
        }
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QRectF bounds = QRectF(lines[i].p1(), lines[i].p2()).normalized();
            if (crossesClip(bounds))
                QPaintEngine::drawLines(&lines[i], 1);
            else
                m_out.drawLine(lines[i]);
        }
    }
    void drawEllipse(const QRectF& rect) override {
        if (crossesClip(rect))
            QPaintEngine::drawEllipse(rect);
        else
            m_out.drawEllipse(rect);
    }

    void drawTextItem(const QPointF& position, const QTextItem& item) override {
        QPainterPath outline;
        outline.addText(position, item.font(), item.text());
        if (!crossesClip(outline.controlPointRect())) {
            m_out.save();
            m_out.setFont(item.font());
            m_out.drawText(position, item.text());
            m_out.restore();
            return;
        }
        m_out.save();
        m_out.setBrush(m_out.pen().brush());
        m_out.setPen(Qt::NoPen);
        m_out.drawPath(outline.intersected(*logicalClip()));
        m_out.restore();
    }

    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override {
        if (!crossesClip(target)) {
            m_out.drawImage(target, image, source, flags);
            return;
        }
        const QPainterPath& clip = *logicalClip();
        if (clip.intersects(target))
            m_out.drawImage(target, clippedImage(target, image, source, clip));
    }

    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override {
        drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
    }

    void drawTiledPixmap(const QRectF& target, const QPixmap& pixmap,
                         const QPointF& offset) override {
        QImage tiles(target.size().toSize(), QImage::Format_ARGB32_Premultiplied);
        tiles.fill(Qt::transparent);
        QPainter painter(&tiles);
        painter.drawTiledPixmap(tiles.rect(), pixmap, offset);
        painter.end();
        drawImage(target, tiles, tiles.rect(), Qt::AutoColor);
    }

    std::vector<SvgPaintDevice::Segment> segments;

private:
    // Whether a call over bounds must be cut here: only when cutting, and only when it does not
    // lie wholly inside the clip. Segments are never cut; a new one begins when the clip changes.
    bool crossesClip(const QRectF& bounds) {
        const std::optional<QPainterPath>& clip = logicalClip();
        if (!m_generator) {
            followClip();
            return false;
        }
        return clip && !clip->contains(bounds);
    }

    // The painter's clip in the coordinates things are drawn in now; nothing when it does not
    // clip.
    const std::optional<QPainterPath>& logicalClip() {
        if (!m_clipKnown) {
            const QPainter* painter = this->painter();
            m_clip = painter && painter->hasClipping() ? std::optional(painter->clipPath())
                                                       : std::optional<QPainterPath>();
            m_clipKnown = true;
            ++m_clipVersion;
        }
        return m_clip;
    }

    // Begins a segment for the clip in stage coordinates, unless the current one has that clip.
    void followClip() {
        if (m_out.isActive() && m_segmentClipVersion == m_clipVersion)
            return;
        m_segmentClipVersion = m_clipVersion;
        const QPainter* painter = this->painter();
        const std::optional<QPainterPath> clip =
            m_clip ? std::optional(painter->combinedTransform().map(*m_clip)) : std::nullopt;
        if (m_out.isActive() && clip == m_segmentClip)
            return;
        finishSegment();
        m_segmentClip = clip;
        m_buffer = std::make_unique<QBuffer>();
        m_buffer->open(QIODevice::WriteOnly);
        m_segmentGenerator = std::make_unique<QSvgGenerator>();
        m_segmentGenerator->setOutputDevice(m_buffer.get());
        m_segmentGenerator->setSize(kStageSize.toSize());
        m_segmentGenerator->setViewBox(QRectF(QPointF(0, 0), kStageSize));
        m_out.begin(m_segmentGenerator.get());
        m_out.setRenderHints(painter->renderHints());
        m_out.setTransform(painter->combinedTransform());
        m_out.setPen(painter->pen());
        m_out.setBrush(painter->brush());
        m_out.setBrushOrigin(painter->brushOrigin());
        m_out.setOpacity(painter->opacity());
        m_out.setFont(painter->font());
    }

    void finishSegment() {
        if (!m_out.isActive())
            return;
        m_out.end();
        segments.push_back({m_segmentClip, m_buffer->data()});
        m_segmentGenerator.reset();
        m_buffer.reset();
    }

    static QPainterPath strokeOutline(const QPainterPath& path, const QPen& pen) {
        QPainterPathStroker stroker(pen);
        stroker.setWidth(pen.widthF() > 0 ? pen.widthF() : 1.0);
        return stroker.createStroke(path);
    }

    // The source part of image with what lies outside clip made transparent, pixel by pixel.
    static QImage clippedImage(const QRectF& target, const QImage& image, const QRectF& source,
                               const QPainterPath& clip) {
        const QSize size = source.size().toSize().expandedTo(QSize(1, 1));
        QImage cut(size, QImage::Format_ARGB32_Premultiplied);
        cut.fill(Qt::transparent);
        QPainter painter(&cut);
        painter.setRenderHint(QPainter::Antialiasing);
        QTransform targetToCut;
        targetToCut.scale(size.width() / target.width(), size.height() / target.height());
        targetToCut.translate(-target.left(), -target.top());
        painter.setClipPath(targetToCut.map(clip));
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), image, source);
        return cut;
    }

    QSvgGenerator* m_generator;
    QPainter m_out;
    std::optional<QPainterPath> m_clip;
    bool m_clipKnown = false;
    int m_clipVersion = 0; // counts the times the clip was looked up anew
    int m_segmentClipVersion = -1;
    // Segments only.
    std::optional<QPainterPath> m_segmentClip;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QSvgGenerator> m_segmentGenerator;
};

SvgPaintDevice::SvgPaintDevice(QSvgGenerator& generator)
    : m_generator(&generator)
    , m_engine(std::make_unique<SvgPaintEngine>(&generator)) {}

SvgPaintDevice::SvgPaintDevice()
    : m_engine(std::make_unique<SvgPaintEngine>(nullptr)) {}

SvgPaintDevice::~SvgPaintDevice() = default;

QPaintEngine* SvgPaintDevice::paintEngine() const {
    return m_engine.get();
}

std::vector<SvgPaintDevice::Segment> SvgPaintDevice::takeSegments() {
    return std::move(m_engine->segments);
}

int SvgPaintDevice::metric(PaintDeviceMetric metric) const {
    if (!m_generator)
        return stageMetric(metric);
    switch (metric) {
    // The painter draws in the generator's view box.
    case PdmWidth:
        return qRound(m_generator->viewBoxF().width());
    case PdmHeight:
        return qRound(m_generator->viewBoxF().height());
    case PdmWidthMM:
        return qRound(m_generator->size().width() * 25.4 / m_generator->resolution());
    case PdmHeightMM:
        return qRound(m_generator->size().height() * 25.4 / m_generator->resolution());
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_generator->resolution();
    default:
        return stageMetric(metric);
    }
}

} // namespace tivora::engine
