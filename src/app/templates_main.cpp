// tivora-templates: writes the template graphs of the new graph dialog into a folder (the
// source tree's data/), so that the files shipped are exactly what the graph writer makes.
#include "editing/template_graphs.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: tivora-templates FOLDER\n", stderr);
        return 2;
    }
    if (const auto error = tivora::writeTemplateGraphs(args[1])) {
        std::fprintf(stderr, "tivora-templates: %s\n", qPrintable(*error));
        return 1;
    }
    return 0;
}
