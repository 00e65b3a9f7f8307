#pragma once

#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <initializer_list>

// The colours and fonts every part of a drawn graph shares, so a graph reads as one piece.
namespace tivora::engine {

// The colour of a colour text ("0xRRGGBB"), or fallback for a text that names none.
QColor colorFromText(QByteArrayView text, const QColor& fallback);

// A colour at an opacity given in per cent (0..100, clamped).
QColor withOpacity(QColor color, double percent);

// preferred when it stands out against background by leastContrast (the WCAG ratio), else black
// or white, whichever stands out more.
QColor readableOn(const QColor& preferred, const QColor& background, double leastContrast = 3.0);

// The same against every colour of a shaded surface: preferred when it stands out against all
// of them, else black or white, whichever stands out more against the one it stands out least on.
QColor readableOnAll(const QColor& preferred, std::initializer_list<QColor> backgrounds,
                     double leastContrast);

// The WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor& first, const QColor& second);

// surface, darkened or lightened away from text just enough that text on it reaches
// leastContrast: the backing of a label whose surface is too close to every text colour.
QColor backingFor(const QColor& text, const QColor& surface, double leastContrast);

// The contrast ratio small text needs to be read with ease (WCAG AA).
inline constexpr double kSmallTextContrast = 4.5;

// The sans-serif face graphs are drawn in, at a size in stage units.
QFont graphFont(double pixelSize, bool bold = false);

// The face of value labels: the axis numbers' weight, so that many of them do not crowd out the
// marks they belong to.
QFont valueLabelFont(double pixelSize);

} // namespace tivora::engine
