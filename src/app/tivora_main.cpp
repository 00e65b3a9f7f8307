// tivora: the command-line side of the designer.
#include "document/graph_file.h"
#include "document/printable_text.h"
#include "engine/inspect/graph_inspection.h"
#include "engine/render/render.h"
#include "excel/freexl_workbook.h"
#include "excel/graph_refresh.h"
#include "excel/isolated_call.h"
#include "export/output_formats.h"
#include "publish/publish_command.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr auto kUsage = "usage: tivora resave IN OUT\n"
                        "       tivora render IN OUT [--time MS] [--width W] [--no-information]\n"
                        "       tivora render IN OUT.svg|.gif|.webp|.mp4|.webm [--fps N]\n"
                        "       tivora render IN OUT.svg --still [--time MS] [--width W]\n"
                        "       tivora render IN OUT.pptx [--fps N]\n"
                        "       tivora inspect GRAPH [--time MS] [--width W]\n"
                        "       tivora publish PROJECT\n"
                        "       tivora refresh GRAPH.TVX\n"
                        "  --no-information draws an incomplete or unreadable graph as the\n"
                        "  no-information picture instead of failing.\n";

// Messages name files and quote their text: control bytes from a file are shown escaped, never
// sent to the terminal.
int fail(const QString& message) {
    std::fprintf(stderr, "tivora: %s\n", qPrintable(tivora::printableText(message)));
    return 1;
}

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

int resave(const QStringList& args) {
    if (args.size() != 2)
        return usage();
    if (const auto error = tivora::resaveGraphFile(args[0], args[1]))
        return fail(*error);
    return 0;
}

int refresh(const QStringList& args) {
    if (args.size() != 1)
        return usage();
    if (const auto error = tivora::excel::refreshLinkedGraph(args[0]))
        return fail(*error);
    return 0;
}

int render(QStringList args) {
    if (args.size() < 2)
        return usage();
    tivora::engine::RenderOptions options;
    // An SVG plays the graph's animation unless a still picture is asked for.
    const bool still = args.removeAll(u"--still"_s) > 0;
    int fps = tivora::exporting::kDefaultFps;
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (args[i] == "--no-information"_L1) {
            options.noInformation = true;
            continue;
        }
        if (i + 1 >= args.size())
            return usage();
        bool ok = false;
        const int number = args[i + 1].toInt(&ok);
        if (!ok || number < 0)
            return fail(u"'%1' is not a valid number for %2"_s.arg(args[i + 1], args[i]));
        if (args[i] == "--time"_L1)
            options.time = number;
        else if (args[i] == "--width"_L1 && number > 0)
            options.width = number;
        else if (args[i] == "--fps"_L1)
            fps = number;
        else
            return usage();
        ++i;
    }
    const tivora::exporting::OutputRequest request{options, fps};
    const auto error = tivora::exporting::writeOutput(args[0], args[1], request, still);
    if (error)
        return fail(*error);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // The designer's readers of untrusted workbooks run here, in a process of their own.
    if (argc > 1 && QByteArrayView(argv[1]) == tivora::excel::kIsolatedJobCommand) {
        QByteArrayList arguments;
        for (int index = 2; index < argc; ++index)
            arguments.append(argv[index]);
        return tivora::excel::serveLegacyWorkbookJob(arguments);
    }
    // Rendering needs fonts but no screen: run without one unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.takeFirst();
    if (command == "resave"_L1)
        return resave(args);
    if (command == "render"_L1)
        return render(args);
    if (command == "inspect"_L1)
        return tivora::engine::runInspectCommand(args);
    if (command == "publish"_L1)
        return tivora::publish::runPublishCommand(args);
    if (command == "refresh"_L1)
        return refresh(args);
    return usage();
}
