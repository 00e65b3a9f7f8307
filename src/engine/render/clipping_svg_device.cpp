#include "engine/render/clipping_svg_device.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QSvgGenerator>
#include <QTextItem>
#include <optional>

namespace tivora::engine {

// Hands every call on to a painter on the generator, cutting to the clip what would cross it.
class ClippingSvgEngine : public QPaintEngine {
public:
    explicit ClippingSvgEngine(QSvgGenerator& generator)
        : QPaintEngine(AllFeatures)
        , m_generator(generator) {}

    bool begin(QPaintDevice*) override { return m_out.begin(&m_generator); }
    bool end() override { return m_out.end(); }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags dirty = state.state();
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
        if (dirty & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled | DirtyTransform))
            m_clipKnown = false;
    }

    void drawPath(const QPainterPath& path) override {
        const auto& clip = logicalClip();
        if (!clip || clip->contains(path.controlPointRect())) {
            m_out.drawPath(path);
            return;
        }
        const QPen pen = m_out.pen();
        const QBrush brush = m_out.brush();
        m_out.save();
        m_out.setPen(Qt::NoPen);
        if (brush.style() != Qt::NoBrush)
            m_out.drawPath(path.intersected(*clip));
        if (pen.style() != Qt::NoPen) {
            m_out.setBrush(pen.brush());
            m_out.drawPath(strokeOutline(path, pen).intersected(*clip));
        }
        m_out.restore();
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
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

    void drawTextItem(const QPointF& position, const QTextItem& item) override {
        const auto& clip = logicalClip();
        QPainterPath outline;
        outline.addText(position, item.font(), item.text());
        if (!clip || clip->contains(outline.controlPointRect())) {
            m_out.save();
            m_out.setFont(item.font());
            m_out.drawText(position, item.text());
            m_out.restore();
            return;
        }
        m_out.save();
        m_out.setBrush(m_out.pen().brush());
        m_out.setPen(Qt::NoPen);
        m_out.drawPath(outline.intersected(*clip));
        m_out.restore();
    }

    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override {
        const auto& clip = logicalClip();
        if (!clip || clip->contains(target)) {
            m_out.drawImage(target, image, source, flags);
            return;
        }
        if (!clip->intersects(target))
            return;
        m_out.drawImage(target, clippedImage(target, image, source, *clip));
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

private:
    // The painter's clip in the coordinates things are drawn in now; nothing when it does not
    // clip.
    const std::optional<QPainterPath>& logicalClip() {
        if (!m_clipKnown) {
            const QPainter* painter = this->painter();
            m_clip = painter && painter->hasClipping() ? std::optional(painter->clipPath())
                                                       : std::optional<QPainterPath>();
            m_clipKnown = true;
        }
        return m_clip;
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

    QSvgGenerator& m_generator;
    QPainter m_out;
    std::optional<QPainterPath> m_clip;
    bool m_clipKnown = false;
};

ClippingSvgDevice::ClippingSvgDevice(QSvgGenerator& generator)
    : m_generator(generator)
    , m_engine(std::make_unique<ClippingSvgEngine>(generator)) {}

ClippingSvgDevice::~ClippingSvgDevice() = default;

QPaintEngine* ClippingSvgDevice::paintEngine() const {
    return m_engine.get();
}

int ClippingSvgDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    // The painter draws in the generator's view box.
    case PdmWidth:
        return qRound(m_generator.viewBoxF().width());
    case PdmHeight:
        return qRound(m_generator.viewBoxF().height());
    case PdmWidthMM:
        return qRound(m_generator.size().width() * 25.4 / m_generator.resolution());
    case PdmHeightMM:
        return qRound(m_generator.size().height() * 25.4 / m_generator.resolution());
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_generator.resolution();
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    }
    return 0;
}

} // namespace tivora::engine
