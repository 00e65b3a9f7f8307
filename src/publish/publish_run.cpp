#include "publish/publish_run.h"

#include "document/ansi_text.h"
#include "document/regular_file.h"
#include "export/deck/graph_slide.h"
#include "export/render_animated.h"
#include "publish/file_copy.h"
#include "publish/movie_patcher.h"
#include "publish/publish_page.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

constexpr auto kNoGraphsMessage = "There are no graphs to publish: add at least one graph.";
constexpr auto kCallingTemplate = "TivoraTrigger.swf";
constexpr auto kEngineMovie = "Tivorav32.swf";
constexpr auto kStandaloneTemplate = "Tivorav32L.swf";
constexpr auto kSampleTemplate = "Sample.fla";
constexpr auto kOverloadMessage = "Error - Information overload ... Please contact Orvanta support";

QString skipped(const QString& graphPath, const QString& reason) {
    return u"Skipped "_s + graphPath + u": "_s + reason;
}

// The movie name with another ending: "Sales.swf" gives "Sales" + suffix.
QString withSuffix(const QString& movieName, QStringView suffix) {
    return QString(movieName).chopped(4) + suffix;
}

QString sampleFileName(const QString& movieName) {
    return u"Sample_"_s + withSuffix(movieName, u".fla");
}

// Every name the run may write, in lower case. Whether a graph's page ends in ".html" or ".asp"
// is only known once its file is read, so both are kept free.
QSet<QString> runOutputNames(const PublishChoices& choices) {
    QSet<QString> names;
    if (choices.usesEngineMovie())
        names.insert(QString::fromLatin1(kEngineMovie).toLower());
    for (const QString& graph : choices.graphs) {
        const QString movie = movieNameOf(graph).toLower();
        names.insert(movie);
        names.insert(withSuffix(movie, u".mp4"));
        if (choices.makesPages()) {
            names.insert(withSuffix(movie, u".svg"));
            for (const QString& page : {withSuffix(movie, u".html"), withSuffix(movie, u".asp")}) {
                names.insert(page);
                names.insert(u"pop"_s + page);
            }
        }
        if (choices.makesSamples())
            names.insert(sampleFileName(movie).toLower());
    }
    if (choices.makesDeck())
        names.insert(choices.deckFileName().toLower());
    return names;
}

// The nearest folder of path, or path itself, that exists.
QFileInfo nearestExisting(const QString& path) {
    QFileInfo info(QDir::cleanPath(QDir(path).absolutePath()));
    while (!info.exists() && !info.isRoot() && info.absolutePath() != info.absoluteFilePath())
        info.setFile(info.absolutePath());
    return info;
}

} // namespace

std::optional<QString> saveFolderProblem(const QString& folder) {
    if (folder.trimmed().isEmpty())
        return u"Please select the directory to save the files to."_s;
    const QFileInfo existing = nearestExisting(folder);
    if (!existing.isDir())
        return u"The directory "_s + folder + u" cannot be created: "_s +
               existing.absoluteFilePath() + u" is no folder."_s;
    if (!existing.isWritable())
        return u"The directory "_s + folder + u" cannot be written to: "_s +
               existing.absoluteFilePath() + u" is not writable."_s;
    return std::nullopt;
}

std::optional<QString> prepareSaveFolder(const QString& folder) {
    if (auto problem = saveFolderProblem(folder))
        return problem;
    if (!QDir().mkpath(folder))
        return u"The directory "_s + folder + u" cannot be created."_s;
    QTemporaryFile probe(QDir(folder).filePath(u"tivora-XXXXXX.tmp"_s));
    if (!probe.open())
        return u"The directory "_s + folder + u" cannot be written to: "_s + probe.errorString();
    return std::nullopt;
}

QString movieNameOf(const QString& graphPath) {
    const QString name = bareFileName(graphPath).value_or(QString());
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot > 0 ? name.first(dot) : name) + u".swf"_s;
}

PublishRun::PublishRun(PublishChoices choices, QString dataFolder)
    : m_choices(std::move(choices))
    , m_dataFolder(std::move(dataFolder)) {}

PublishSummary PublishRun::GeneratePublishFiles(const PublishLog::Sink& sink,
                                                const Progress& progress,
                                                const std::atomic_bool* cancel) {
    PublishLog log(sink);
    PublishSummary summary;
    m_engineCopied = false;
    m_graphOfMovie.clear();
    m_slides.clear();
    log.line(u"Writing to: "_s + m_choices.saveDirectory);
    log.line(u"Files Written: "_s);
    log.line(u" "_s);
    const qsizetype graphCount = m_choices.graphs.size();
    const auto folderProblem = graphCount == 0
                                   ? std::optional(QString::fromLatin1(kNoGraphsMessage))
                                   : prepareSaveFolder(m_choices.saveDirectory);
    if (folderProblem) {
        log.failure(*folderProblem);
        summary.skipped = int(graphCount);
    }
    m_places = {m_choices.saveDirectory, m_dataFolder, runOutputNames(m_choices)};
    for (qsizetype index = 0; index < graphCount && !folderProblem; ++index) {
        if (cancel && cancel->load()) {
            summary.cancelled = true;
            summary.skipped += int(graphCount - index);
            break;
        }
        const bool written = publishGraph(m_choices.graphs[index], log);
        ++(written ? summary.written : summary.skipped);
        if (progress)
            progress(int(index + 1), int(graphCount));
    }
    if (m_choices.makesDeck() && !m_slides.empty())
        writeDeck(log);
    summary.failures = log.failures();
    close(log, summary);
    return summary;
}

void PublishRun::close(PublishLog& log, PublishSummary& summary) const {
    log.line(u" "_s);
    if (summary.cancelled)
        log.line(u"Cancelled: the graphs after the last one written were not published."_s);
    else if (m_choices.exportKind == ExportKind::FlashProject)
        log.line(u"Finished"_s);
    else
        log.line(u"Finished."_s);
    log.line(u"Graphs written: %1, skipped: %2"_s.arg(summary.written).arg(summary.skipped));
    if (m_choices.exportKind == ExportKind::Internet)
        summary.tutorial = TutorialStep::HideInternetTutorial;
    else if (m_choices.exportKind == ExportKind::PowerPoint)
        summary.tutorial = TutorialStep::ShowPowerPointTutorial;
}

bool PublishRun::publishGraph(const QString& graphPath, PublishLog& log) {
    const QString movieName = movieNameOf(graphPath);
    if (!stringToAnsi(movieName)) {
        log.failure(skipped(graphPath, u"its file name holds characters that the pages and "
                                       "movies cannot carry (Windows-1252 only)"_s));
        return false;
    }
    warnOfSharedName(graphPath, log);
    const auto graph = PrepareGraphForPublish(graphPath, m_places, log);
    if (!graph)
        return false;
    log.line(u"Generating ... "_s + movieName);
    const QString moviePath = outputPath(movieName);
    if (!writeMovie(graphPath, *graph, moviePath, log))
        return false;
    if (m_choices.exportKind == ExportKind::FlashProject) {
        log.line(u"Written SWF file "_s + moviePath + u' ');
        log.line(moviePath);
    }
    // Every file of the graph is attempted; the graph counts as written only when all were.
    std::optional<exporting::DeckSlide> slide;
    bool complete = writeAnimations(graphPath, movieName, log, slide);
    if (m_choices.makesPages())
        complete &=
            WritePublishPage(m_choices.saveDirectory, movieName, *graph, m_choices.embed, log);
    if (m_choices.makesSamples())
        complete &= writeSample(graphPath, movieName, log);
    if (!complete)
        log.line(skipped(graphPath, u"not all of its files could be written"_s));
    else if (slide)
        m_slides.push_back(std::move(*slide));
    return complete;
}

bool PublishRun::writeMovie(const QString& graphPath, const PreparedGraph& graph,
                            const QString& moviePath, PublishLog& log) {
    const QString source = templatePath(
        QString::fromLatin1(m_choices.usesEngineMovie() ? kCallingTemplate : kStandaloneTemplate));
    QByteArray movie;
    if (const auto reason = readInputFile(source, movie)) {
        log.failure(skipped(graphPath, u"the template movie "_s + source +
                                           u" could not be read: "_s + *reason));
        return false;
    }
    const SlotPatch patch = PatchGraphSlots(graph.lines, movie);
    for (const int line : patch.overloadedLines)
        log.line(QString::fromLatin1(kOverloadMessage) +
                 u" (%1, line %2)"_s.arg(graphPath).arg(line));
    if (patch.overflowingLine) {
        const int line = *patch.overflowingLine;
        log.failure(
            skipped(graphPath, u"line %1 holds %2 characters, more than its place in the movie "
                               "holds; the movie was not written"_s.arg(line)
                                   .arg(graph.lines[line - 1].size())));
        return false;
    }
    if (m_choices.usesEngineMovie() && !copyEngineMovie(log))
        return false;
    if (const auto reason = writeWholeFile(moviePath, movie)) {
        log.failure(skipped(graphPath,
                            u"the movie "_s + moviePath + u" could not be written: "_s + *reason));
        return false;
    }
    return true;
}

// Every calling movie of the folder plays through the one engine movie beside it.
bool PublishRun::copyEngineMovie(PublishLog& log) {
    if (m_engineCopied)
        return true;
    const QString source = templatePath(QString::fromLatin1(kEngineMovie));
    const QString target = outputPath(QString::fromLatin1(kEngineMovie));
    if (const auto reason = copyReplacing(source, target)) {
        log.failure(u"Could not copy the engine movie "_s + source + u" to "_s + target + u": "_s +
                    *reason);
        return false;
    }
    m_engineCopied = true;
    return true;
}

// The graph's animation in the forms browsers and slide programs play themselves, drawn from the
// graph file as the movie plays it (a graph the engine cannot draw shows the no-information
// movie, as its published movie does). Slide programs embed a video of the graph, so every kind
// writes one beside the movie; pages show the SVG. The graph is laid out once for both, and for
// a presentation its slide is made from the video.
bool PublishRun::writeAnimations(const QString& graphPath, const QString& movieName,
                                 PublishLog& log, std::optional<exporting::DeckSlide>& slide) {
    QStringList suffixes{u".mp4"_s};
    if (m_choices.makesPages())
        suffixes.append(u".svg"_s);
    QString error;
    const auto input = exporting::loadAnimatedInput(graphPath, true, error);
    bool written = true;
    for (const QString& suffix : std::as_const(suffixes)) {
        const QString path = outputPath(withSuffix(movieName, suffix));
        if (const auto reason =
                input ? exporting::writeAnimated(*input, path) : std::optional<QString>(error)) {
            log.failure(u"Could not write the graph's animation "_s + path + u": "_s + *reason);
            written = false;
        }
    }
    if (!written || !m_choices.makesDeck())
        return written;
    const QString video = outputPath(withSuffix(movieName, u".mp4"));
    slide = exporting::graphSlide(*input, video, exporting::kDefaultFps, error);
    if (!slide)
        log.failure(u"Could not make the slide of "_s + graphPath + u": "_s + error);
    return slide.has_value();
}

// One slide per graph written, in the wizard's order, each playing the video beside it.
void PublishRun::writeDeck(PublishLog& log) {
    const QString path = outputPath(m_choices.deckFileName());
    const QString title =
        m_choices.projectName.isEmpty() ? u"Tivora graphs"_s : m_choices.projectName;
    if (const auto reason = exporting::writeDeck(path, title, m_slides)) {
        log.failure(u"Could not write the presentation "_s + path + u": "_s + *reason);
        return;
    }
    log.line(u"Written presentation "_s + path + u' ');
}

bool PublishRun::writeSample(const QString& graphPath, const QString& movieName, PublishLog& log) {
    const QString samplePath = outputPath(sampleFileName(movieName));
    const QString source = templatePath(QString::fromLatin1(kSampleTemplate));
    QByteArray sample;
    if (const auto reason = readInputFile(source, sample)) {
        log.failure(u"Could not read the sample file "_s + source + u": "_s + *reason);
        return false;
    }
    if (!PatchSampleName(*stringToAnsi(movieName), sample)) {
        log.failure(u"The sample file of "_s + graphPath + u" was not written: the movie name "_s +
                    movieName +
                    u" is longer than the %1 characters the sample has room for"_s.arg(
                        kSampleNamePlaceholder.size()));
        return false;
    }
    if (const auto reason = writeWholeFile(samplePath, sample)) {
        log.failure(u"Could not write the sample file "_s + samplePath + u": "_s + *reason);
        return false;
    }
    log.line(u"Written sample... "_s + samplePath + u' ');
    return true;
}

// Output files are named after the graph file alone, so two graphs of the same name from
// different folders write the same files; the user is told which graph's files remain.
void PublishRun::warnOfSharedName(const QString& graphPath, PublishLog& log) {
    const QString key = movieNameOf(graphPath).toLower();
    const auto first = m_graphOfMovie.constFind(key);
    if (first == m_graphOfMovie.constEnd()) {
        m_graphOfMovie.insert(key, graphPath);
        return;
    }
    if (QFileInfo(*first) != QFileInfo(graphPath)) {
        log.line(u"Warning: "_s + graphPath + u" and "_s + *first +
                 u" have the same file name; the files of "_s + graphPath +
                 u" replace those of "_s + *first + u'.');
    }
}

QString PublishRun::outputPath(const QString& fileName) const {
    return QDir(m_choices.saveDirectory).filePath(fileName);
}

QString PublishRun::templatePath(const QString& fileName) const {
    return QDir(m_dataFolder).filePath(fileName);
}

} // namespace tivora::publish
