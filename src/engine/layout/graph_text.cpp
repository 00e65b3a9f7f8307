#include "engine/layout/graph_text.h"

#include "document/ansi_text.h"
#include "document/variable_text.h"
#include "engine/layout/graph_style.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace tivora::engine {
namespace {

// No text drawn on the stage shows more than this many characters: anything longer is cut before
// it is measured, so a damaged file's megabyte of header costs no more than a long sentence.
constexpr qsizetype kLongestDrawnText = 4096;

QByteArrayView drawnPart(QByteArrayView text) {
    return text.first(std::min(text.size(), kLongestDrawnText));
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
    // Plain decimal numbers, optionally signed, with a point or a comma: the general form of
    // from_chars without its leniencies, at a fraction of the cost of a locale-aware reader (a
    // large graph holds a hundred thousand of them).
    text = text.trimmed();
    if (text.startsWith('+')) {
        text = text.sliced(1);
        if (text.startsWith('-'))
            return std::nullopt;
    }
    std::array<char, 64> buffer{};
    QByteArray longText;
    char* digits = buffer.data();
    if (text.size() > qsizetype(buffer.size())) {
        longText.resize(text.size());
        digits = longText.data();
    }
    std::ranges::replace_copy(text, digits, ',', '.');
    const char* end = digits + text.size();
    double value = 0;
    const auto [stop, error] = std::from_chars(digits, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
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
    const ListViews views = listViews(key, count, longKey);
    std::vector<QByteArray> items;
    items.reserve(views.items.size());
    // The last item repeats into every further row as one shared copy.
    for (std::size_t i = 0; i < views.items.size(); ++i)
        items.push_back(views.repeats(i) ? items.back() : views.items[i].toByteArray());
    return items;
}

GraphText::ListViews GraphText::listViews(QByteArrayView key, int count,
                                          QByteArrayView longKey) const {
    ListViews views{bytes(key, longKey), {}};
    ListReader reader(views.decoded);
    views.items.reserve(std::size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        views.items.push_back(drawnPart(reader.nextItem()));
    return views;
}

} // namespace tivora::engine
