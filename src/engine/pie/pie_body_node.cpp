#include "engine/pie/pie_body_node.h"

#include "engine/scene/drawn_items.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tivora::engine {
namespace {

constexpr double kStartAngle = -90.0;

} // namespace

PieBodyNode::PieBodyNode(PieGeometry geometry, std::vector<PieSliceShape> slices, Track sweep)
    : m_geometry(geometry)
    , m_slices(std::move(slices))
    , m_sweep(std::move(sweep)) {
    // Back slices first, so the walls of the front ones cover them.
    std::stable_sort(m_slices.begin(), m_slices.end(), [](const auto& a, const auto& b) {
        return std::sin(PieGeometry::radians(a.start + a.span / 2)) <
               std::sin(PieGeometry::radians(b.start + b.span / 2));
    });
    for (const PieSliceShape& slice : m_slices)
        m_finalFaces.push_back(facesOf(slice, kStartAngle + 360.0));
}

std::vector<ValueMark> PieBodyNode::valueMarks() const {
    std::vector<ValueMark> marks;
    for (std::size_t i = 0; i < m_slices.size(); ++i)
        marks.push_back({m_finalFaces[i].top, 0, std::size_t(m_slices[i].number - 1)});
    return marks;
}

PieBodyNode::Faces PieBodyNode::facesOf(const PieSliceShape& slice, double revealedUpTo) const {
    Faces faces;
    const double span = std::min(slice.span, revealedUpTo - slice.start);
    if (span <= 0)
        return faces;
    const double end = slice.start + span;
    // A cut face shows only when it turns towards the viewer: the start side on the left half
    // of the pie, the end side on the right half.
    if (slice.startFaceShows && std::cos(PieGeometry::radians(slice.start)) < 0)
        faces.sides.push_back(m_geometry.cutFace(slice.start, slice.shift));
    if (slice.endFaceShows && std::cos(PieGeometry::radians(end)) > 0)
        faces.sides.push_back(m_geometry.cutFace(end, slice.shift));
    faces.sides.push_back(m_geometry.outerWall(slice.start, span, slice.shift));
    faces.top = m_geometry.topFace(slice.start, span, slice.shift);
    return faces;
}

void PieBodyNode::inspect(DrawnItems& items, Millis time) const {
    const double revealed = m_sweep.at(time);
    for (const PieSliceShape& slice : m_slices) {
        const Faces faces = facesOf(slice, kStartAngle + std::min(revealed, 360.0));
        QPainterPath whole = faces.top;
        for (const QPainterPath& side : faces.sides)
            whole.addPath(side);
        items.addShape({ItemKind::Slice, slice.number, 0, {}}, whole, slice.color);
    }
}

void PieBodyNode::paint(QPainter& painter, Millis time) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const double revealed = m_sweep.at(time);
    if (revealed >= 360.0) {
        paintSlices(painter, m_finalFaces);
    } else {
        std::vector<Faces> faces;
        faces.reserve(m_slices.size());
        for (const PieSliceShape& slice : m_slices)
            faces.push_back(facesOf(slice, kStartAngle + revealed));
        paintSlices(painter, faces);
    }
    if (revealed > 0)
        paintGloss(painter, revealed);
}

void PieBodyNode::paintSlices(QPainter& painter, const std::vector<Faces>& faces) const {
    const QRectF top = m_geometry.topRect();
    // The wall is lit from the left: a cylinder shading across the pie's width.
    QLinearGradient wallLight(top.left(), 0, top.right(), 0);
    wallLight.setColorAt(0.0, QColor(0, 0, 0, 110));
    wallLight.setColorAt(0.35, QColor(0, 0, 0, 40));
    wallLight.setColorAt(1.0, QColor(0, 0, 0, 130));
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (faces[i].sides.empty())
            continue;
        painter.setOpacity(m_slices[i].opacity);
        const QColor wall = m_slices[i].color.darker(125);
        for (const QPainterPath& side : faces[i].sides) {
            painter.fillPath(side, wall);
            painter.fillPath(side, wallLight);
        }
    }
    const QPen rim(QColor(255, 255, 255, 90), 0.8);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (faces[i].top.isEmpty())
            continue;
        painter.setOpacity(m_slices[i].opacity);
        const QColor base = m_slices[i].color;
        QRadialGradient light(top.center() + m_slices[i].shift - QPointF(0, top.height() * 0.25),
                              m_geometry.rx * 1.1);
        light.setColorAt(0.0, base.lighter(118));
        light.setColorAt(1.0, base.darker(112));
        painter.fillPath(faces[i].top, light);
        painter.strokePath(faces[i].top, rim);
    }
    painter.setOpacity(1.0);
}

void PieBodyNode::paintGloss(QPainter& painter, double revealed) const {
    // A soft sheen over the far half of the top, as on a polished disc.
    const QRectF top = m_geometry.topRect();
    QLinearGradient sheen(top.topLeft(), QPointF(top.left(), top.top() + top.height() * 0.5));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 60));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    QPainterPath shine;
    shine.addEllipse(top.adjusted(top.width() * 0.08, top.height() * 0.04, -top.width() * 0.08,
                                  -top.height() * 0.45));
    painter.setOpacity(std::clamp(revealed / 360.0, 0.0, 1.0));
    painter.fillPath(shine, sheen);
}

} // namespace tivora::engine
