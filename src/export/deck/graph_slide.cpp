#include "export/deck/graph_slide.h"

#include "document/regular_file.h"
#include "document/variable_text.h"
#include "engine/movies/movie.h"
#include "engine/render/render.h"
#include "export/animation_writer.h"
#include "export/graph_summary.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

// A lighter compression than the PNG default: the poster is made for every slide of a publish,
// and the deck stores it beside a video many times its size.
constexpr int kPosterQuality = 60;

QStringList speakerNotes(const AnimatedInput& input) {
    QStringList notes{input.summary.description};
    if (input.graphText.isEmpty())
        return notes;
    // Tabs line the columns up in the notes as in a table.
    const ValuesTable table = valuesTable(VariableText(input.graphText));
    notes << QString() << u"The values of %1:"_s.arg(input.summary.title)
          << table.header.join(u'\t');
    for (const QStringList& row : table.rows)
        notes << row.join(u'\t');
    return notes;
}

// The settled picture as every render draws it, from the movie the video was made of.
std::optional<QByteArray> posterPng(const engine::Movie& movie, QString& error) {
    const QImage poster = engine::renderImage(movie, {}, &error);
    QByteArray png;
    QBuffer buffer(&png);
    if (poster.isNull() || !buffer.open(QIODevice::WriteOnly) ||
        !poster.save(&buffer, "PNG", kPosterQuality)) {
        if (error.isEmpty())
            error = u"the settled picture could not be made"_s;
        return std::nullopt;
    }
    return png;
}

} // namespace

std::optional<DeckSlide> graphSlide(const AnimatedInput& input, const QString& videoPath, int fps,
                                    QString& error) {
    auto poster = posterPng(*input.movie, error);
    if (!poster)
        return std::nullopt;
    const int frames = frameCount(*input.movie, fps);
    return DeckSlide{input.summary.title, input.summary.title, videoPath,
                     frames * 1000 / fps, std::move(*poster),  input.movie->stageSize().toSize(),
                     speakerNotes(input)};
}

std::optional<QString> writeGraphDeck(const AnimatedInput& input, const QString& outPath, int fps,
                                      const Progress& progress, const std::atomic_bool* cancel) {
    if (auto refusal = checkFrameRate(fps))
        return refusal;
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return u"cannot write %1: no folder for the video: %2"_s.arg(outPath,
                                                                     scratch.errorString());
    const QString video = scratch.filePath(u"graph.mp4"_s);
    if (auto reason =
            writeAnimation(*input.movie, video, AnimationFormat::Mp4, fps, progress, cancel))
        return reason;
    QString error;
    const auto slide = graphSlide(input, video, fps, error);
    if (!slide)
        return u"cannot write %1: %2"_s.arg(outPath, error);
    return writeDeck(outPath, input.summary.title, {*slide});
}

std::optional<QString> renderDeck(const QString& inPath, const QString& outPath, int fps,
                                  bool noInformation) {
    // The output is checked before the input is read and laid out, which may take a while.
    if (const auto refusal = checkOutputFile(outPath))
        return u"cannot write %1: %2"_s.arg(outPath, *refusal);
    QString error;
    const auto input = loadAnimatedInput(inPath, noInformation, error);
    if (!input)
        return error;
    ProgressLine progress(QFileInfo(outPath).fileName());
    return writeGraphDeck(*input, outPath, fps, progress.callback());
}

} // namespace tivora::exporting
