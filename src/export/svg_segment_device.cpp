#include "export/svg_segment_device.h"

#include "engine/render/stage_metric.h"
#include "engine/scene/scene.h"

#include <QBuffer>
#include <QPaintEngine>
#include <QPainter>
#include <QSvgGenerator>

namespace tivora::exporting {

class SvgSegmentEngine : public QPaintEngine {
public:
    SvgSegmentEngine()
        : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override {
        finishSegment();
        return true;
    }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawPath(const QPainterPath& path) override { sync().drawPath(path); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainter& inner = sync();
        if (mode == PolylineMode)
            inner.drawPolyline(points, count);
        else
            inner.drawPolygon(points, count,
                              mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }
    void drawRects(const QRectF* rects, int count) override { sync().drawRects(rects, count); }
    void drawLines(const QLineF* lines, int count) override { sync().drawLines(lines, count); }
    void drawEllipse(const QRectF& rect) override { sync().drawEllipse(rect); }
    void drawPoints(const QPointF* points, int count) override { sync().drawPoints(points, count); }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        QPainter& inner = sync();
        inner.setFont(item.font());
        inner.drawText(at, item.text());
    }
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override {
        sync().drawPixmap(target, pixmap, source);
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override {
        sync().drawImage(target, image, source, flags);
    }
    void drawTiledPixmap(const QRectF& target, const QPixmap& pixmap, const QPointF& at) override {
        sync().drawTiledPixmap(target, pixmap, at);
    }

    std::vector<SvgSegmentDevice::Segment> segments;

private:
    // The inner painter in the outer one's state, in a segment for the current clip.
    QPainter& sync() {
        const QPainter* outer = painter();
        std::optional<QPainterPath> clip;
        if (outer->hasClipping())
            clip = outer->combinedTransform().map(outer->clipPath());
        if (!m_painter || clip != m_clip) {
            finishSegment();
            startSegment(clip);
        }
        m_painter->setRenderHints(outer->renderHints());
        m_painter->setTransform(outer->combinedTransform());
        m_painter->setPen(outer->pen());
        m_painter->setBrush(outer->brush());
        m_painter->setBrushOrigin(outer->brushOrigin());
        m_painter->setOpacity(outer->opacity());
        m_painter->setFont(outer->font());
        return *m_painter;
    }

    void startSegment(const std::optional<QPainterPath>& clip) {
        m_clip = clip;
        m_buffer = std::make_unique<QBuffer>();
        m_buffer->open(QIODevice::WriteOnly);
        m_generator = std::make_unique<QSvgGenerator>();
        m_generator->setOutputDevice(m_buffer.get());
        m_generator->setSize(engine::kStageSize.toSize());
        m_generator->setViewBox(QRectF(QPointF(0, 0), engine::kStageSize));
        m_painter = std::make_unique<QPainter>(m_generator.get());
    }

    void finishSegment() {
        if (!m_painter)
            return;
        m_painter->end();
        segments.push_back({m_clip, m_buffer->data()});
        m_painter.reset();
        m_generator.reset();
        m_buffer.reset();
    }

    std::optional<QPainterPath> m_clip;
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QSvgGenerator> m_generator;
    std::unique_ptr<QPainter> m_painter;
};

SvgSegmentDevice::SvgSegmentDevice()
    : m_engine(std::make_unique<SvgSegmentEngine>()) {}

SvgSegmentDevice::~SvgSegmentDevice() = default;

QPaintEngine* SvgSegmentDevice::paintEngine() const {
    return m_engine.get();
}

std::vector<SvgSegmentDevice::Segment> SvgSegmentDevice::takeSegments() {
    return std::move(m_engine->segments);
}

int SvgSegmentDevice::metric(PaintDeviceMetric metric) const {
    return engine::stageMetric(metric);
}

} // namespace tivora::exporting
