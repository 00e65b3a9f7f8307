#include "publish/publish_command.h"

#include "document/printable_text.h"
#include "document/program_folder.h"
#include "publish/project_file.h"
#include "publish/publish_run.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

QString projectFileOf(const QString& project) {
    if (project.endsWith(QLatin1StringView(kProjectExtension), Qt::CaseInsensitive) ||
        project.contains(u'/'))
        return project;
    return listedProjectPath(programDataPath(QString()), project);
}

// Log lines and errors carry names and texts from the project and its graphs: printed escaped,
// so that their bytes cannot drive the terminal.
void printError(const QString& text) {
    std::fprintf(stderr, "tivora: %s\n", qPrintable(printableText(text)));
}

} // namespace

int runPublishCommand(const QStringList& args) {
    if (args.size() != 1) {
        std::fputs("usage: tivora publish PROJECT\n", stderr);
        return 2;
    }
    const ProjectLoad project = LoadProject(projectFileOf(args.first()));
    if (!project.choices) {
        printError(project.error);
        return 1;
    }
    if (project.choices->graphs.isEmpty()) {
        printError(u"The project "_s + args.first() + u" names no graphs to publish."_s);
        return 1;
    }
    PublishRun run(*project.choices, programDataPath(QString()));
    const PublishSummary summary = run.GeneratePublishFiles([](const QString& line) {
        std::fprintf(stdout, "%s\n", qPrintable(printableText(line)));
        std::fflush(stdout);
    });
    for (const QString& failure : summary.failures)
        printError(failure);
    return summary.complete() ? 0 : 1;
}

} // namespace tivora::publish
