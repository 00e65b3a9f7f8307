#include "export/clip_probe.h"

#include "engine/scene/scene.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

namespace tivora::exporting {
namespace {

class ClipWatchingEngine : public QPaintEngine {
public:
    ClipWatchingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawPath(const QPainterPath&) override { note(); }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { note(); }
    void drawRects(const QRectF*, int) override { note(); }
    void drawLines(const QLineF*, int) override { note(); }
    void drawEllipse(const QRectF&) override { note(); }
    void drawPoints(const QPointF*, int) override { note(); }
    void drawTextItem(const QPointF&, const QTextItem&) override { note(); }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { note(); }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        note();
    }

    bool anyUnclipped = false;
    std::optional<QRectF> clip;

private:
    void note() {
        const QPainter* p = painter();
        if (!p->hasClipping()) {
            anyUnclipped = true;
            return;
        }
        const QRectF rect = p->transform().mapRect(p->clipBoundingRect());
        clip = clip ? clip->united(rect) : rect;
    }
};

class ClipWatchingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    ClipWatchingEngine& engine() const { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return int(engine::kStageSize.width());
        case PdmHeight:
            return int(engine::kStageSize.height());
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 1;
        }
    }

private:
    mutable ClipWatchingEngine m_engine;
};

} // namespace

std::optional<QRectF> clipOfNode(const engine::SceneNode& node, engine::Millis time,
                                 const QTransform& transform) {
    ClipWatchingDevice device;
    {
        QPainter painter(&device);
        painter.setTransform(transform);
        node.paint(painter, time);
    }
    if (device.engine().anyUnclipped)
        return std::nullopt;
    return device.engine().clip;
}

} // namespace tivora::exporting
