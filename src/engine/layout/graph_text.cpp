#include "engine/layout/graph_text.h"

#include "document/ansi_text.h"
#include "document/variable_text.h"
#include "engine/layout/graph_style.h"

#include <algorithm>
#include <cmath>

namespace tivora::engine {
namespace {

// No text drawn on the stage shows more than this many characters: anything longer is cut before
// it is measured, so a damaged file's megabyte of header costs no more than a long sentence.
constexpr qsizetype kLongestDrawnText = 4096;

QByteArray drawnPart(QByteArray text) {
    if (text.size() > kLongestDrawnText)
        text.truncate(kLongestDrawnText);
    return text;
}

} // namespace

GraphText::GraphText(const VariableText& text)
    : m_text(text) {}

QByteArray GraphText::bytes(QByteArrayView key, QByteArrayView longKey) const {
    if (longKey.isEmpty())
        return m_text.encodedValue(key);
    return m_text.encodedValueAlias(longKey, key);
}

QByteArray GraphText::plainBytes(QByteArrayView key, QByteArrayView longKey) const {
    return longKey.isEmpty() ? m_text.value(key) : m_text.valueAlias(longKey, key);
}

QString GraphText::string(QByteArrayView key, QByteArrayView longKey) const {
    return ansiToString(drawnPart(bytes(key, longKey)));
}

std::optional<double> GraphText::parseNumber(QByteArrayView text) {
    QByteArray trimmed = text.trimmed().toByteArray();
    trimmed.replace(',', '.');
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> GraphText::number(QByteArrayView key) const {
    return parseNumber(bytes(key));
}

double GraphText::number(QByteArrayView key, double fallback, double min, double max) const {
    return std::clamp(number(key).value_or(fallback), min, max);
}

QColor GraphText::color(QByteArrayView key, const QColor& fallback, QByteArrayView longKey) const {
    // A missing entry keeps the look the graph would have by default; the silver that an empty
    // colour text stands for is meant for the editor's panels, not for a text that names nothing.
    const QByteArray text = bytes(key, longKey);
    return text.trimmed().isEmpty() ? fallback : colorFromText(text, fallback);
}

std::vector<QByteArray> GraphText::list(QByteArrayView key, int count,
                                        QByteArrayView longKey) const {
    ListReader reader(bytes(key, longKey));
    std::vector<QByteArray> items;
    items.reserve(std::size_t(std::max(count, 0)));
    // The last item repeats into every further row as one shared copy.
    std::optional<QByteArray> lastItem;
    for (int i = 0; i < count; ++i) {
        const QByteArrayView item = reader.nextItem();
        if (!reader.atLastItem())
            items.push_back(drawnPart(item.toByteArray()));
        else {
            if (!lastItem)
                lastItem = drawnPart(item.toByteArray());
            items.push_back(*lastItem);
        }
    }
    return items;
}

} // namespace tivora::engine
