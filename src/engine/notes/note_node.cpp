#include "engine/notes/note_node.h"

#include "engine/layout/graph_style.h"
#include "engine/scene/drawn_items.h"
#include "engine/scene/text_fit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <limits>

namespace tivora::engine {
namespace {

constexpr double kCornerRadius = 5.0;
constexpr double kTextPadding = 8.0;
constexpr double kSpotRadius = 9.0;
constexpr Millis kAppearDuration = 450.0;

} // namespace

NoteNode::NoteNode(const NoteData& note, Millis appearAt)
    : m_note(note)
    , m_appear(Track::ramp(0, 1, appearAt, kAppearDuration, Easing::OutCubic)) {
    if (m_note.oval)
        m_shape.addEllipse(m_note.rect);
    else
        m_shape.addRoundedRect(m_note.rect, kCornerRadius, kCornerRadius);
    if (m_note.shadow)
        m_shadow = m_shape.translated(m_note.shadowOffset).subtracted(m_shape);
    if (!m_note.url.isEmpty())
        m_url = QUrl::fromUserInput(m_note.url);
    m_lineEnd = edgeTowards(m_note.spotCentre);
    // The heading ends where the body begins when the body lies below it.
    const double bottom = m_note.rect.bottom() - kTextPadding;
    const bool bodyBelow = !m_note.body.isEmpty() && m_note.bodyY > m_note.headingY;
    addText(m_note.heading, graphFont(m_note.headingSize, true), m_note.headingColor,
            m_note.headingY, bodyBelow ? m_note.rect.top() + m_note.bodyY : bottom);
    addText(m_note.body, graphFont(m_note.bodySize), m_note.bodyColor, m_note.bodyY, bottom);
}

QPointF NoteNode::edgeTowards(QPointF point) const {
    // The line stops at the note's edge, so it never shows through a see-through note.
    const QPointF centre = m_note.rect.center();
    const QPointF d = point - centre;
    const double a = m_note.rect.width() / 2;
    const double b = m_note.rect.height() / 2;
    if ((d.x() == 0 && d.y() == 0) || a <= 0 || b <= 0)
        return centre;
    const double reach = m_note.oval ? 1.0 / std::hypot(d.x() / a, d.y() / b)
                                     : std::min(d.x() != 0 ? a / std::abs(d.x()) : 1e9,
                                                d.y() != 0 ? b / std::abs(d.y()) : 1e9);
    return centre + d * std::min(reach, 1.0);
}

void NoteNode::addText(const QStringList& lines, const QFont& font, const QColor& color, double top,
                       double bottom) {
    // Wrapped to the note's width, shrunk when the lines would run out of the note (never below
    // the smallest size text is read at, unless asked for), and cut with "..." when even that
    // size does not hold them.
    constexpr int kSmallestPixels = 9;
    const double width = std::max(m_note.rect.width() - 2 * kTextPadding, 10.0);
    const double y = m_note.rect.top() + top;
    const FittedLines fitted = fitLines(lines.join(u'\n'), font, QSizeF(width, bottom - y),
                                        std::numeric_limits<int>::max(), kSmallestPixels);
    const QColor readable = readableOn(color, seenPanelColor());
    const QFontMetricsF metrics(fitted.font);
    for (qsizetype i = 0; i < fitted.lines.size(); ++i) {
        QStaticText text(fitted.lines[i]);
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), fitted.font);
        const double x = m_note.rect.center().x() - metrics.horizontalAdvance(fitted.lines[i]) / 2;
        m_paragraphs.push_back({text, fitted.font, readable,
                                QPointF(x, y + double(i) * fitted.lineHeight), lines.join(u' ')});
    }
}

QColor NoteNode::seenPanelColor() const {
    // A see-through note is seen over the graph, mostly light: its colour mixed with white.
    const double opacity = std::clamp(m_note.alpha / 100.0, 0.0, 1.0);
    const auto mix = [opacity](int channel) {
        return int(std::lround(channel * opacity + 255 * (1.0 - opacity)));
    };
    return QColor(mix(m_note.color.red()), mix(m_note.color.green()), mix(m_note.color.blue()));
}

QTransform NoteNode::appearing(double shown) const {
    const QPointF centre = m_note.rect.center();
    const double scale = 0.85 + 0.15 * shown;
    QTransform transform;
    transform.translate(centre.x(), centre.y());
    transform.scale(scale, scale);
    transform.translate(-centre.x(), -centre.y());
    return transform;
}

void NoteNode::inspect(DrawnItems& items, Millis time) const {
    const double shown = m_appear.at(time);
    if (shown <= 0)
        return;
    const DrawnItems::Within within(items, appearing(shown));
    items.addShape({ItemKind::Note, 0, 0, {}}, m_shape, m_note.color);
    for (const Paragraph& paragraph : m_paragraphs) {
        const QPointF baseline =
            paragraph.topLeft + QPointF(0, QFontMetricsF(paragraph.font).ascent());
        items.addText({ItemKind::NoteText, 0, 0, paragraph.fullText}, paragraph.text.text(),
                      paragraph.font, paragraph.color, baseline);
    }
}

void NoteNode::paint(QPainter& painter, Millis time) const {
    const double shown = m_appear.at(time);
    if (shown <= 0)
        return;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setOpacity(shown);
    painter.setTransform(appearing(shown), true);
    if (m_note.linked) {
        painter.setPen(QPen(m_note.color.darker(115), 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(m_note.spotCentre, m_lineEnd);
    }
    if (m_note.spot)
        paintSpot(painter);
    if (m_note.shadow)
        painter.fillPath(m_shadow, withOpacity(Qt::black, m_note.shadowAlpha));
    paintPanel(painter);
    for (const Paragraph& paragraph : m_paragraphs) {
        painter.setFont(paragraph.font);
        painter.setPen(paragraph.color);
        painter.drawStaticText(paragraph.topLeft, paragraph.text);
    }
}

void NoteNode::paintSpot(QPainter& painter) const {
    const QColor color = withOpacity(m_note.spotColor, m_note.spotAlpha);
    QRadialGradient glow(m_note.spotCentre, kSpotRadius * 1.8);
    glow.setColorAt(0.0, color);
    glow.setColorAt(0.5, withOpacity(m_note.spotColor, m_note.spotAlpha / 3.0));
    glow.setColorAt(1.0, withOpacity(m_note.spotColor, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(m_note.spotCentre, kSpotRadius * 1.8, kSpotRadius * 1.8);
    painter.setBrush(color);
    painter.setPen(QPen(m_note.color.darker(115), 1.4));
    painter.drawEllipse(m_note.spotCentre, kSpotRadius * 0.55, kSpotRadius * 0.55);
}

void NoteNode::paintPanel(QPainter& painter) const {
    const QColor base = withOpacity(m_note.color, m_note.alpha);
    if (m_note.flat) {
        painter.fillPath(m_shape, base);
        return;
    }
    const QRectF rect = m_note.rect;
    QLinearGradient body(rect.topLeft(), rect.bottomLeft());
    body.setColorAt(0.0, withOpacity(m_note.color.lighter(135), m_note.alpha));
    body.setColorAt(0.55, base);
    body.setColorAt(1.0, withOpacity(m_note.color.darker(135), m_note.alpha));
    painter.fillPath(m_shape, body);
    // A glassy sheen over the upper part.
    QLinearGradient sheen(rect.topLeft(), QPointF(rect.left(), rect.top() + rect.height() * 0.5));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 90));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    QPainterPath upper;
    const QRectF top =
        rect.adjusted(rect.width() * 0.04, 2, -rect.width() * 0.04, -rect.height() * 0.5);
    if (m_note.oval)
        upper.addEllipse(top);
    else
        upper.addRoundedRect(top, kCornerRadius, kCornerRadius);
    painter.fillPath(upper.intersected(m_shape), sheen);
    painter.strokePath(m_shape, QPen(withOpacity(m_note.color.darker(150), m_note.alpha), 1.0));
}

QUrl NoteNode::linkAt(QPointF point, Millis time) const {
    if (m_url.isEmpty() || m_appear.at(time) <= 0)
        return {};
    return m_shape.contains(point) ? m_url : QUrl();
}

} // namespace tivora::engine
