#include "export/output_formats.h"

#include "export/deck/graph_slide.h"

#include <QFileInfo>
#include <QStringList>
#include <array>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

std::optional<QString> writeStill(const QString& inPath, const QString& outPath,
                                  const OutputRequest& request) {
    return engine::renderToFile(inPath, outPath, request.picture);
}

std::optional<QString> writeAnimation(const QString& inPath, const QString& outPath,
                                      const OutputRequest& request) {
    return renderAnimated(inPath, outPath, request.fps, request.picture.noInformation);
}

std::optional<QString> writeSlideDeck(const QString& inPath, const QString& outPath,
                                      const OutputRequest& request) {
    return renderDeck(inPath, outPath, request.fps, request.picture.noInformation);
}

const std::array<OutputFormat, 10> kFormats{{
    {"png"_L1, "PNG picture"_L1, OutputKind::Still, &writeStill, std::nullopt},
    {"bmp"_L1, "Bitmap"_L1, OutputKind::Still, &writeStill, std::nullopt},
    {"svg"_L1, "SVG drawing"_L1, OutputKind::Still, &writeStill, std::nullopt},
    {"pdf"_L1, "PDF document"_L1, OutputKind::Still, &writeStill, std::nullopt},
    {"svg"_L1, "Animated SVG"_L1, OutputKind::Animation, &writeAnimation, AnimationFormat::Svg},
    {"gif"_L1, "GIF animation"_L1, OutputKind::Animation, &writeAnimation, AnimationFormat::Gif},
    {"webp"_L1, "WebP animation"_L1, OutputKind::Animation, &writeAnimation, AnimationFormat::WebP},
    {"mp4"_L1, "MP4 video"_L1, OutputKind::Animation, &writeAnimation, AnimationFormat::Mp4},
    {"webm"_L1, "WebM video"_L1, OutputKind::Animation, &writeAnimation, AnimationFormat::WebM},
    {"pptx"_L1, "PowerPoint slide deck"_L1, OutputKind::Deck, &writeSlideDeck, std::nullopt},
}};

} // namespace

std::span<const OutputFormat> outputFormats() {
    return kFormats;
}

const OutputFormat* outputFormatOf(const QString& outPath, bool preferStill) {
    const QString suffix = QFileInfo(outPath).suffix().toLower();
    const OutputFormat* found = nullptr;
    for (const OutputFormat& format : kFormats) {
        if (format.suffix != suffix)
            continue;
        if ((format.kind == OutputKind::Still) == preferStill)
            return &format;
        if (!found)
            found = &format;
    }
    return found;
}

QString outputSuffixList(std::optional<OutputKind> kind) {
    QStringList suffixes;
    for (const OutputFormat& format : kFormats) {
        const QString suffix = u'.' + format.suffix;
        if ((!kind || format.kind == *kind) && !suffixes.contains(suffix))
            suffixes.append(suffix);
    }
    const QString last = suffixes.takeLast();
    return suffixes.join(", "_L1) + " or "_L1 + last;
}

std::optional<QString> writeOutput(const QString& inPath, const QString& outPath,
                                   const OutputRequest& request, bool preferStill) {
    const OutputFormat* format = outputFormatOf(outPath, preferStill);
    if (!format)
        return u"cannot tell the format of %1: name it %2"_s.arg(outPath, outputSuffixList());
    return format->write(inPath, outPath, request);
}

} // namespace tivora::exporting
