#pragma once

#include <QString>
#include <QStringList>

namespace tivora::publish {

// What a publish produces. The numbers are the ones stored in project files.
enum class ExportKind { Internet = 0, PowerPoint = 1, FlashProject = 2 };

// Every choice of the publish wizard: what a project file stores and what a run reads.
struct PublishChoices {
    ExportKind exportKind = ExportKind::Internet;
    bool excelLink = false; // re-extract linked graphs (stored only; a run does not use it)
    QString saveDirectory;  // as typed
    QStringList graphs;     // full paths of graph files, in list order; duplicates allowed
    bool engine = true;     // calling movies that share the engine movie, else standalone movies
    bool flaFile = false;   // a sample authoring file per graph (Flash project)
    bool htmlFile = true;   // pages for a Flash project
    bool embed = true;      // the graph in the page, else a link that opens it in a pop-up
    // The saved project a run comes from, empty for a quick publish. Its file's name is the name,
    // so the project line does not store it.
    QString projectName;

    // Calling movies beside one copy of the engine movie, else a standalone movie per graph.
    bool usesEngineMovie() const {
        return exportKind == ExportKind::Internet ||
               (exportKind == ExportKind::FlashProject && engine);
    }
    bool makesPages() const {
        return exportKind == ExportKind::Internet ||
               (exportKind == ExportKind::FlashProject && htmlFile);
    }
    bool makesSamples() const { return exportKind == ExportKind::FlashProject && flaFile; }
    bool makesDeck() const { return exportKind == ExportKind::PowerPoint; }
    // The slide deck's file name: the project's name, or a plain one for a quick publish.
    QString deckFileName() const {
        return (projectName.isEmpty() ? QStringLiteral("Presentation") : projectName) +
               QStringLiteral(".pptx");
    }

    bool operator==(const PublishChoices&) const = default;
};

} // namespace tivora::publish
