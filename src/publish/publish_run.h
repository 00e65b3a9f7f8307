#pragma once

#include "export/deck/slide_deck.h"
#include "publish/graph_preparation.h"
#include "publish/publish_choices.h"
#include "publish/publish_log.h"

#include <QHash>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace tivora::publish {

// What the tutorial window does after a run.
enum class TutorialStep { Leave, HideInternetTutorial, ShowPowerPointTutorial };

struct PublishSummary {
    int written = 0;      // graphs whose movie was written
    int skipped = 0;      // graphs left out (a reason is among the failures), cancelled ones too
    QStringList failures; // every file that could not be read, copied or written, with the reason
    bool cancelled = false;
    TutorialStep tutorial = TutorialStep::Leave;

    bool complete() const { return skipped == 0 && failures.isEmpty() && !cancelled; }
};

// Why the files cannot be saved to folder, or nothing when they can: it is a folder that can be
// written to, or one that can be created (nothing is created here).
[[nodiscard]] std::optional<QString> saveFolderProblem(const QString& folder);
// Creates folder when it does not exist and makes sure it takes a new file; gives the reason when
// it cannot be used.
[[nodiscard]] std::optional<QString> prepareSaveFolder(const QString& folder);

// The graph's movie file name: its file name with ".swf" in place of its extension.
QString movieNameOf(const QString& graphPath);

// Writes the files of the chosen export kind for every graph, one graph after another, into the
// save folder, logging as it goes. A graph that cannot be published is logged and left out and
// the run goes on with the next; the log ends with the number of graphs written and skipped.
// A PowerPoint run ends with a slide deck of the graphs written, named after the project.
// dataFolder holds the template movies and effects.
class PublishRun {
public:
    using Progress = std::function<void(int graphsDone, int graphCount)>;

    PublishRun(PublishChoices choices, QString dataFolder);

    // cancel, when given, is looked at between graphs.
    PublishSummary GeneratePublishFiles(const PublishLog::Sink& sink, const Progress& progress = {},
                                        const std::atomic_bool* cancel = nullptr);

private:
    bool publishGraph(const QString& graphPath, PublishLog& log);
    bool writeMovie(const QString& graphPath, const PreparedGraph& graph, const QString& moviePath,
                    PublishLog& log);
    bool copyEngineMovie(PublishLog& log);
    bool writeAnimations(const QString& graphPath, const QString& movieName, PublishLog& log,
                         std::optional<exporting::DeckSlide>& slide);
    void writeDeck(PublishLog& log);
    bool writeSample(const QString& graphPath, const QString& movieName, PublishLog& log);
    void warnOfSharedName(const QString& graphPath, PublishLog& log);
    void close(PublishLog& log, PublishSummary& summary) const;

    QString outputPath(const QString& fileName) const;
    QString templatePath(const QString& fileName) const;

    PublishChoices m_choices;
    QString m_dataFolder;
    PublishPlaces m_places;
    bool m_engineCopied = false;
    QHash<QString, QString> m_graphOfMovie;     // movie name (any letter case) -> first graph
    std::vector<exporting::DeckSlide> m_slides; // of the graphs written, for the presentation
};

} // namespace tivora::publish
