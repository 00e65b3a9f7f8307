#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

namespace tivora::engine {

// A text made to fit a width: its font shrunk step by step down to a smallest size, and the text
// elided with "..." when even that is too wide.
struct FittedText {
    QString text;
    QFont font;
    QSizeF size;
};

FittedText fitText(const QString& text, QFont font, double maxWidth, int minPixelSize);

QSizeF textSize(const QString& text, const QFont& font);

} // namespace tivora::engine
