#include "engine/scene/text_fit.h"

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

// The words of a text with their widths at the text's font, measured once; an empty word of
// width -1 ends a paragraph.
class WordWidths {
public:
    // A word at least tooWide wide overflows at every size tried; such words are measured only as
    // far as that.
    WordWidths(const QString& text, const QFont& font, double tooWide) {
        const QFontMetricsF metrics(font);
        const QStringList paragraphs = text.split(u'\n');
        for (qsizetype p = 0; p < paragraphs.size(); ++p) {
            if (p > 0) {
                m_words.push_back(QString());
                m_widths.push_back(-1.0);
            }
            for (const QString& word : paragraphs[p].split(u' ', Qt::SkipEmptyParts)) {
                m_words.push_back(word);
                m_widths.push_back(widthUpTo(word, metrics, tooWide));
            }
        }
        m_space = metrics.horizontalAdvance(u' ');
        lineHeight = metrics.height();
    }

    // At factor times the measured size.
    Wrapped wrap(double factor, double maxWidth) const {
        return tivora::engine::wrap(m_widths, m_space, factor, maxWidth);
    }

    // Lines of even length read better than a full line and a stray word: the narrowest width
    // that keeps the number of lines.
    Wrapped balanced(const Wrapped& wrapped, double factor, double maxWidth) const {
        if (wrapped.lines.size() < 2 || wrapped.overflows)
            return wrapped;
        double low = 1.0;
        double high = maxWidth;
        for (int step = 0; step < 16; ++step) {
            const double middle = (low + high) / 2;
            const Wrapped trial = wrap(factor, middle);
            (!trial.overflows && trial.lines.size() <= wrapped.lines.size() ? high : low) = middle;
        }
        return wrap(factor, high);
    }

    // The wrapped lines in the final font, at most allowed of them: the last line there is room
    // for takes every word left, cut to the width.
    FittedLines fitted(const Wrapped& wrapped, const QFont& font, double maxWidth,
                       int allowed) const {
        const QFontMetricsF metrics(font);
        FittedLines fitted;
        fitted.font = font;
        fitted.lineHeight = metrics.height();
        double widest = 0.0;
        for (qsizetype i = 0; i < qsizetype(wrapped.lines.size()) && i < allowed; ++i) {
            const auto [first, end] = wrapped.lines[std::size_t(i)];
            const QString line = joined(first, i + 1 == allowed ? m_words.size() : end);
            fitted.lines.push_back(elidedText(line, metrics, maxWidth, Qt::ElideMiddle));
            widest = std::max(widest, metrics.horizontalAdvance(fitted.lines.back()));
        }
        fitted.size = {widest, fitted.lineHeight * double(fitted.lines.size())};
        return fitted;
    }

    double lineHeight = 0.0;

private:
    QString joined(qsizetype first, qsizetype end) const {
        QStringList line;
        for (qsizetype i = first; i < end; ++i) {
            if (!m_words[i].isEmpty())
                line.push_back(m_words[i]);
        }
        return line.join(u' ');
    }

    QStringList m_words;
    std::vector<double> m_widths;
    double m_space = 0.0;
};

// Long texts are measured in prefixes growing from this many characters.
constexpr qsizetype kFirstPrefix = 256;

// The first length characters of text, not splitting a surrogate pair.
QString prefixOf(const QString& text, qsizetype length) {
    if (length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    return text.first(length);
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

double widthUpTo(const QString& text, const QFontMetricsF& metrics, double enough) {
    for (qsizetype length = kFirstPrefix; length < text.size(); length *= 4) {
        const double width = metrics.horizontalAdvance(prefixOf(text, length));
        if (width >= enough)
            return width;
    }
    return metrics.horizontalAdvance(text);
}

QString elidedText(const QString& text, const QFontMetricsF& metrics, double width,
                   Qt::TextElideMode mode) {
    if (mode == Qt::ElideMiddle) {
        // No picture shows more than a few hundred characters of a line: a long text keeps its
        // two ends, which is all a cut in the middle can show of it.
        constexpr qsizetype kEnds = 4 * kFirstPrefix;
        const QString shown =
            text.size() <= 2 * kEnds ? text : prefixOf(text, kEnds) + text.right(kEnds);
        return metrics.elidedText(shown, Qt::ElideMiddle, width);
    }
    // A prefix too wide to show whole is elided exactly as the whole text is.
    for (qsizetype length = kFirstPrefix; length < text.size(); length *= 4) {
        const QString prefix = prefixOf(text, length);
        QString elided = metrics.elidedText(prefix, Qt::ElideRight, width);
        if (elided != prefix)
            return elided;
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

FittedText fitText(const QString& text, QFont font, double maxWidth, int minPixelSize) {
    maxWidth = std::max(maxWidth, 1.0);
    const int startSize = font.pixelSize();
    // Beyond this width the text cannot fit at any size down to the smallest (smaller sizes are
    // never narrower than their share), and only its elided form at the smallest size is wanted.
    const double hopeless = 2.0 * maxWidth * startSize / std::max(minPixelSize, 1);
    const QFontMetricsF askedMetrics(font);
    const QSizeF asked(widthUpTo(text, askedMetrics, hopeless), askedMetrics.height());
    if (asked.width() <= maxWidth)
        return {text, font, asked};
    int size = asked.width() >= hopeless
                   ? minPixelSize - 1
                   : std::max(int(std::floor(startSize * maxWidth / asked.width())), minPixelSize);
    // Hinting makes small sizes a little wider than the proportion says: step down until it fits.
    for (; size >= minPixelSize && size < startSize; --size) {
        font.setPixelSize(size);
        const QSizeF measured = textSize(text, font);
        if (measured.width() <= maxWidth)
            return {text, font, measured};
    }
    font.setPixelSize(std::min(startSize, minPixelSize));
    const QString elided = elidedText(text, QFontMetricsF(font), maxWidth, Qt::ElideMiddle);
    return {elided, font, textSize(elided, font)};
}

FittedLines fitLines(const QString& text, QFont font, QSizeF box, int maxLines, int minPixelSize) {
    const int startSize = font.pixelSize();
    minPixelSize = std::min(minPixelSize, startSize);
    const double maxWidth = std::max(box.width(), 1.0);
    const WordWidths words(text, font, 2.0 * maxWidth * startSize / std::max(minPixelSize, 1));
    int size = startSize;
    Wrapped wrapped;
    for (; size >= minPixelSize; --size) {
        const double factor = double(size) / startSize;
        wrapped = words.wrap(factor, maxWidth);
        const int allowed = fittingLines(box.height(), words.lineHeight * factor, maxLines);
        if (!wrapped.overflows && qsizetype(wrapped.lines.size()) <= allowed)
            break;
    }
    size = std::max(size, minPixelSize);
    wrapped = words.balanced(wrapped, double(size) / startSize, maxWidth);
    font.setPixelSize(size);
    return words.fitted(wrapped, font, maxWidth,
                        fittingLines(box.height(), QFontMetricsF(font).height(), maxLines));
}

} // namespace tivora::engine
