#include "engine/layout/text_fit.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tivora::engine {
namespace {

// Lines of words, each line as the range of words it holds.
struct Wrapped {
    std::vector<std::pair<qsizetype, qsizetype>> lines; // first word, one past the last
    bool overflows = false;                             // a single word wider than the width
};

// Greedy wrapping with the words' widths at the measured size scaled by factor.
Wrapped wrap(const std::vector<double>& widths, double space, double factor, double maxWidth) {
    Wrapped wrapped;
    double lineWidth = 0.0;
    qsizetype first = 0;
    for (qsizetype i = 0; i < qsizetype(widths.size()); ++i) {
        if (widths[std::size_t(i)] < 0) { // a paragraph ends
            wrapped.lines.push_back({first, i});
            first = i + 1;
            lineWidth = 0.0;
            continue;
        }
        const double word = widths[std::size_t(i)] * factor;
        if (i > first && lineWidth + space * factor + word > maxWidth) {
            wrapped.lines.push_back({first, i});
            first = i;
            lineWidth = 0.0;
        }
        lineWidth += (i > first ? space * factor : 0.0) + word;
        wrapped.overflows = wrapped.overflows || word > maxWidth;
    }
    if (!widths.empty())
        wrapped.lines.push_back({first, qsizetype(widths.size())});
    return wrapped;
}

int fittingLines(double boxHeight, double lineHeight, int maxLines) {
    return std::clamp(int(std::floor((boxHeight + 0.01) / std::max(lineHeight, 1.0))), 1,
                      std::max(maxLines, 1));
}

} // namespace

QSizeF textSize(const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    return {metrics.horizontalAdvance(text), metrics.height()};
}

FittedText fitText(const QString& text, QFont font, double maxWidth, int minPixelSize) {
    maxWidth = std::max(maxWidth, 1.0);
    const int startSize = font.pixelSize();
    const QSizeF asked = textSize(text, font);
    if (asked.width() <= maxWidth)
        return {text, font, asked};
    int size = std::max(int(std::floor(startSize * maxWidth / asked.width())), minPixelSize);
    // Hinting makes small sizes a little wider than the proportion says: step down until it fits.
    for (; size >= minPixelSize && size < startSize; --size) {
        font.setPixelSize(size);
        const QSizeF measured = textSize(text, font);
        if (measured.width() <= maxWidth)
            return {text, font, measured};
    }
    font.setPixelSize(std::min(startSize, minPixelSize));
    const QFontMetricsF metrics(font);
    const QString elided = metrics.elidedText(text, Qt::ElideRight, maxWidth);
    return {elided, font, textSize(elided, font)};
}

FittedLines fitLines(const QString& text, QFont font, QSizeF box, int maxLines, int minPixelSize) {
    const double maxWidth = std::max(box.width(), 1.0);
    const int startSize = font.pixelSize();
    minPixelSize = std::min(minPixelSize, startSize);
    const QFontMetricsF asked(font);
    // Words with their widths; an empty word of width -1 ends a paragraph.
    QStringList words;
    std::vector<double> widths;
    const QStringList paragraphs = text.split(u'\n');
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        if (p > 0) {
            words.push_back(QString());
            widths.push_back(-1.0);
        }
        for (const QString& word : paragraphs[p].split(u' ', Qt::SkipEmptyParts)) {
            words.push_back(word);
            widths.push_back(asked.horizontalAdvance(word));
        }
    }
    const auto joined = [&words](qsizetype first, qsizetype end) {
        QStringList line;
        for (qsizetype i = first; i < end; ++i) {
            if (!words[i].isEmpty())
                line.push_back(words[i]);
        }
        return line.join(u' ');
    };
    const double space = asked.horizontalAdvance(u' ');

    int size = startSize;
    Wrapped wrapped;
    int allowed = 1;
    for (; size >= minPixelSize; --size) {
        const double factor = double(size) / startSize;
        wrapped = wrap(widths, space, factor, maxWidth);
        allowed = fittingLines(box.height(), asked.height() * factor, maxLines);
        if (!wrapped.overflows && qsizetype(wrapped.lines.size()) <= allowed)
            break;
    }
    size = std::max(size, minPixelSize);
    // Lines of even length read better than a full line and a stray word: the narrowest width
    // that keeps the number of lines.
    const double factor = double(size) / startSize;
    if (wrapped.lines.size() > 1 && !wrapped.overflows) {
        double low = 1.0;
        double high = maxWidth;
        for (int step = 0; step < 16; ++step) {
            const double middle = (low + high) / 2;
            const Wrapped trial = wrap(widths, space, factor, middle);
            (!trial.overflows && trial.lines.size() <= wrapped.lines.size() ? high : low) = middle;
        }
        wrapped = wrap(widths, space, factor, high);
    }
    font.setPixelSize(size);
    const QFontMetricsF metrics(font);
    FittedLines fitted;
    fitted.font = font;
    fitted.lineHeight = metrics.height();
    allowed = fittingLines(box.height(), fitted.lineHeight, maxLines);
    for (qsizetype i = 0; i < qsizetype(wrapped.lines.size()) && i < allowed; ++i) {
        const bool last = i + 1 == allowed;
        // The last line there is room for takes every word left, cut to the width.
        const qsizetype end = last ? words.size() : wrapped.lines[std::size_t(i)].second;
        const qsizetype first = wrapped.lines[std::size_t(i)].first;
        const QString line = joined(first, end);
        fitted.lines.push_back(metrics.elidedText(line, Qt::ElideRight, maxWidth));
    }
    double widest = 0.0;
    for (const QString& line : fitted.lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    fitted.size = {widest, fitted.lineHeight * double(fitted.lines.size())};
    return fitted;
}

} // namespace tivora::engine
