#include "export/svg/geometry_recorder.h"

#include "engine/render/stage_metric.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>

namespace tivora::exporting {
namespace {

enum class Kind { Path = 100, Polygon, Rect, Line, Ellipse, Points, Text, Picture };

} // namespace

class GeometryRecorderEngine : public QPaintEngine {
public:
    GeometryRecorderEngine()
        : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override {
        m_lookKnown = false;
        m_placeKnown = false;
        return true;
    }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        m_lookKnown = false;
        if (state.state() & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled | DirtyTransform))
            m_placeKnown = false;
    }
    Type type() const override { return QPaintEngine::User; }

    void drawPath(const QPainterPath& path) override {
        start(Kind::Path);
        // A path's shape lies in its element types as much as in its points.
        std::size_t shape = qHash(int(path.fillRule()));
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element element = path.elementAt(i);
            shape = qHashMulti(shape, int(element.type));
            recording.points.push_back(m_transform.map(QPointF(element)));
        }
        recording.callShapes.back() = shape;
        finish();
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        start(Kind::Polygon);
        recording.callShapes.back() = std::size_t(mode);
        mapAll(points, count);
        finish();
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            record(Kind::Rect, {rects[i].topLeft(), rects[i].bottomRight()});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            record(Kind::Line, {lines[i].p1(), lines[i].p2()});
    }
    void drawEllipse(const QRectF& rect) override {
        record(Kind::Ellipse, {rect.topLeft(), rect.bottomRight()});
    }
    void drawPoints(const QPointF* points, int count) override {
        start(Kind::Points);
        mapAll(points, count);
        finish();
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QFont font = item.font();
        start(Kind::Text, &font);
        recording.texts.push_back(item.text());
        mapAll(&at, 1);
        finish();
    }
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF&) override {
        drawPicture(target, pixmap.cacheKey());
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF&,
                   Qt::ImageConversionFlags) override {
        drawPicture(target, image.cacheKey());
    }
    void drawTiledPixmap(const QRectF& target, const QPixmap& pixmap, const QPointF&) override {
        drawPicture(target, pixmap.cacheKey());
    }

    GeometryRecorder::Recording recording;

private:
    // Notes the painter's look when its state has changed since the last call. Painters change
    // their pen and brush for every filled rectangle, mostly to the same again: a look is only
    // added when it differs, and the clip is only mapped again when it or the transform changed.
    void start(Kind kind, const QFont* font = nullptr) {
        if (!m_lookKnown || font) {
            const QPainter* p = painter();
            if (!m_placeKnown) {
                m_transform = p->combinedTransform();
                m_clip =
                    p->hasClipping() ? std::optional(m_transform.map(p->clipPath())) : std::nullopt;
                m_placeKnown = true;
            }
            const QFont lookFont = font ? *font : QFont();
            auto& looks = recording.looks;
            if (looks.empty() || !(looks.back().pen == p->pen()) ||
                !(looks.back().brush == p->brush()) || looks.back().opacity != p->opacity() ||
                looks.back().clip != m_clip || !(looks.back().font == lookFont))
                looks.push_back({p->pen(), p->brush(), p->opacity(), m_clip, lookFont});
            m_lookKnown = true;
        }
        recording.callLooks.push_back(recording.looks.size() - 1);
        recording.callKinds.push_back(int(kind));
        recording.callShapes.push_back(0);
    }
    void finish() { recording.callEnds.push_back(recording.points.size()); }
    void mapAll(const QPointF* points, int count) {
        for (int i = 0; i < count; ++i)
            recording.points.push_back(m_transform.map(points[i]));
    }
    void record(Kind kind, std::initializer_list<QPointF> points) {
        start(kind);
        mapAll(std::data(points), int(points.size()));
        finish();
    }
    void drawPicture(const QRectF& target, qint64 key) {
        recording.pictures.push_back(key);
        record(Kind::Picture, {target.topLeft(), target.topRight(), target.bottomLeft()});
    }

    bool m_lookKnown = false;
    bool m_placeKnown = false;
    QTransform m_transform;
    std::optional<QPainterPath> m_clip;
};

bool GeometryRecorder::Look::operator==(const Look& other) const {
    return pen == other.pen && brush == other.brush && opacity == other.opacity &&
           clip == other.clip && font == other.font;
}

bool GeometryRecorder::Look::stretchesAlike() const {
    return pen.style() == Qt::NoPen && !brush.gradient();
}

bool GeometryRecorder::Recording::isShape(std::size_t call) const {
    return callKinds[call] != int(Kind::Text) && callKinds[call] != int(Kind::Picture);
}

bool GeometryRecorder::Recording::sameCall(std::size_t call, const Recording& other,
                                           std::size_t otherCall) const {
    return callKinds[call] == other.callKinds[otherCall] &&
           callShapes[call] == other.callShapes[otherCall] &&
           callEnds[call] - pointsBegin(call) ==
               other.callEnds[otherCall] - other.pointsBegin(otherCall) &&
           lookOf(call) == other.lookOf(otherCall);
}

GeometryRecorder::GeometryRecorder()
    : m_engine(std::make_unique<GeometryRecorderEngine>()) {}

GeometryRecorder::~GeometryRecorder() = default;

QPaintEngine* GeometryRecorder::paintEngine() const {
    return m_engine.get();
}

GeometryRecorder::Recording GeometryRecorder::takeRecording() {
    return std::move(m_engine->recording);
}

int GeometryRecorder::metric(PaintDeviceMetric metric) const {
    return engine::stageMetric(metric);
}

} // namespace tivora::exporting
