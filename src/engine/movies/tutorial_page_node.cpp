#include "engine/movies/tutorial_page_node.h"

#include "engine/layout/graph_style.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

constexpr Millis kFade = 450.0;
constexpr Millis kFirstStep = 500.0;
constexpr Millis kStepGap = 900.0;
constexpr double kMargin = 40.0;
constexpr double kStepIndent = 46.0;
const QColor kInk(0x2B, 0x3A, 0x4F);
const QColor kAccent(0x2E, 0x7B, 0xD8);
const QColor kTitleInk(0x1F, 0x3B, 0x63);

} // namespace

TutorialPageNode::TutorialPageNode(const TutorialPage& page, int number, int pageCount,
                                   Timing timing)
    : m_number(number)
    , m_pageCount(pageCount)
    , m_timing(timing) {
    const double width = kStageSize.width() - 2 * kMargin;
    double y = 84;
    y += addBlock(page.title, graphFont(21, true), kTitleInk, {kMargin, y}, width, 0, 0) + 16;
    for (qsizetype i = 0; i < page.steps.size(); ++i) {
        const double height =
            addBlock(page.steps[i], graphFont(15), kInk, {kMargin + kStepIndent, y},
                     width - kStepIndent, kFirstStep + kStepGap * double(i), int(i + 1));
        y += std::max(height, 28.0) + 14;
    }
    if (!page.tip.isEmpty()) {
        const Millis at = kFirstStep + kStepGap * double(page.steps.size());
        const double top = std::max(y + 6, 350.0);
        const double height =
            addBlock(u"Tip: "_s + page.tip, graphFont(14), QColor(0x5A, 0x46, 0x0A),
                     {kMargin + 14, top + 10}, width - 28, at, 0, true);
        m_tipBox = QRectF(kMargin, top, width, height + 20);
    }
}

double TutorialPageNode::addBlock(const QString& text, const QFont& font, const QColor& color,
                                  QPointF topLeft, double width, Millis appearAt, int badge,
                                  bool tip) {
    QStaticText shaped(text);
    shaped.setTextFormat(Qt::PlainText);
    shaped.setTextWidth(width);
    shaped.prepare(QTransform(), font);
    m_blocks.push_back({shaped, font, color, topLeft, appearAt, badge, tip});
    return shaped.size().height();
}

void TutorialPageNode::paint(QPainter& painter, Millis time) const {
    const Millis local = std::fmod(std::max(time, 0.0), m_timing.round) - m_timing.start;
    if (local < 0 || local >= m_timing.duration)
        return;
    const double pageOpacity =
        std::clamp(std::min(local / kFade, (m_timing.duration - local) / kFade), 0.0, 1.0);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setOpacity(pageOpacity);
    paintChrome(painter, local);
    for (const Block& block : m_blocks) {
        const double shown = std::clamp((local - block.appearAt) / kFade, 0.0, 1.0);
        if (shown <= 0)
            continue;
        if (block.tip) {
            painter.setOpacity(pageOpacity * shown);
            painter.setPen(QPen(QColor(0xE8, 0xC7, 0x66), 1.2));
            painter.setBrush(QColor(0xFF, 0xF6, 0xD6));
            painter.drawRoundedRect(m_tipBox, 8, 8);
        }
        painter.save();
        painter.setOpacity(pageOpacity * shown);
        painter.translate((1.0 - shown) * 24.0, 0);
        if (block.badge > 0)
            paintBadge(painter, block);
        painter.setFont(block.font);
        painter.setPen(block.color);
        painter.drawStaticText(block.topLeft, block.text);
        painter.restore();
    }
}

void TutorialPageNode::paintBadge(QPainter& painter, const Block& block) const {
    const QPointF centre(kMargin + 14, block.topLeft.y() + 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    painter.drawEllipse(centre, 14, 14);
    painter.setFont(graphFont(14, true));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(centre - QPointF(14, 14), QSizeF(28, 28)), Qt::AlignCenter,
                     QString::number(block.badge));
}

void TutorialPageNode::paintChrome(QPainter& painter, Millis local) const {
    // "Page n of m" in the header, the page's time running out along its foot, and the dots.
    painter.setFont(graphFont(13));
    painter.setPen(QColor(255, 255, 255, 210));
    painter.drawText(QRectF(kMargin, 0, kStageSize.width() - 2 * kMargin, 60),
                     Qt::AlignRight | Qt::AlignVCenter,
                     u"Page %1 of %2"_s.arg(m_number).arg(m_pageCount));
    const double progress = std::clamp(local / m_timing.duration, 0.0, 1.0);
    painter.fillRect(QRectF(0, 60, kStageSize.width() * progress, 4), QColor(0xF2, 0x8C, 0x28));
    // A dot for every page, while they fit on one line; "Page n of m" says the rest.
    const double spacing = 18;
    if (spacing * m_pageCount > kStageSize.width() - 2 * kMargin)
        return;
    const double left = kStageSize.width() / 2 - spacing * (m_pageCount - 1) / 2.0;
    for (int i = 0; i < m_pageCount; ++i) {
        const QPointF centre(left + spacing * i, kStageSize.height() - 18);
        painter.setPen(QPen(kAccent, 1.5));
        painter.setBrush(i + 1 == m_number ? QBrush(kAccent) : QBrush(Qt::white));
        painter.drawEllipse(centre, 5, 5);
    }
}

} // namespace tivora::engine
