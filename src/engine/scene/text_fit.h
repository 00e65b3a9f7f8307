#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace tivora::engine {

// A text made to fit a width: its font shrunk step by step down to a smallest size, and the text
// cut in the middle with "..." when even that is too wide, so that texts that differ only at
// their ends ("Region 1", "Region 2") still read differently.
struct FittedText {
    QString text;
    QFont font;
    QSizeF size;
};

// A text's width grows with its font's size, so a text is measured once at its asked size and
// the size that fits follows from that; only the size chosen is measured again.
FittedText fitText(const QString& text, QFont font, double maxWidth, int minPixelSize);

// A text wrapped at its blanks (and broken at its "\n") into lines that fit a box: at the asked
// size when it fits there, else shrunk as far as minPixelSize; at that size the last line there
// is room for takes whatever is left, cut in the middle with "...".
struct FittedLines {
    QStringList lines;
    QFont font;
    double lineHeight = 0.0;
    QSizeF size; // the widest line by all the lines
};

FittedLines fitLines(const QString& text, QFont font, QSizeF box, int maxLines, int minPixelSize);

QSizeF textSize(const QString& text, const QFont& font);

// The width of text, or at least enough when it is wider: a long text is measured only as far as
// it takes to pass enough, so a damaged file's endless label costs no more than a sentence.
double widthUpTo(const QString& text, const QFontMetricsF& metrics, double enough);

// What metrics.elidedText(text, mode, width) gives, measuring only as much of a long text as can
// be shown. Labels are cut in the middle, so that two that differ only at their ends ("Region 1",
// "Region 2") still read differently.
QString elidedText(const QString& text, const QFontMetricsF& metrics, double width,
                   Qt::TextElideMode mode = Qt::ElideRight);

} // namespace tivora::engine
