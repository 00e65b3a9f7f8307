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

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The program's release, as the about window shows it.
constexpr auto kVersion = "2.1.1";

constexpr auto kUsage = "usage: tivora resave IN OUT\n"
                        "       tivora render IN OUT [--time MS] [--width W] [--no-information]\n"
                        "       tivora render IN OUT.svg|.gif|.webp|.mp4|.webm [--fps N]\n"
                        "       tivora render IN OUT.svg --still [--time MS] [--width W]\n"
                        "       tivora render IN OUT.pptx [--fps N]\n"
                        "       tivora inspect GRAPH [--time MS] [--width W]\n"
                        "       tivora publish PROJECT\n"
                        "       tivora refresh GRAPH.TVX\n"
                        "       tivora --help | --version\n";

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

// A mistake in how the program was called: named first, then the usage to set it right.
int misuse(const QString& message) {
    fail(message);
    return usage();
}

// Every option any command takes; each command says which of them it accepts.
struct Options {
    QCommandLineOption help{{u"h"_s, u"help"_s}, u"shows this usage"_s};
    QCommandLineOption version{{u"v"_s, u"version"_s}, u"shows the program's version"_s};
    QCommandLineOption time{u"time"_s, u"draws the moment MS milliseconds into the animation"_s,
                            u"MS"_s};
    QCommandLineOption width{u"width"_s, u"draws W pixels wide, keeping the graph's shape"_s,
                             u"W"_s};
    QCommandLineOption fps{u"fps"_s, u"frames per second of an animation"_s, u"N"_s};
    QCommandLineOption still{u"still"_s, u"writes an .svg as a still picture"_s};
    QCommandLineOption noInformation{u"no-information"_s,
                                     u"draws an incomplete or unreadable graph as the "
                                     u"no-information picture instead of failing"_s};

    QList<const QCommandLineOption*> all() const {
        return {&help, &version, &time, &width, &fps, &still, &noInformation};
    }

    void addTo(QCommandLineParser& parser) const {
        for (const QCommandLineOption* option : all())
            parser.addOption(*option);
    }

    // The usage followed by one line for each option.
    QString helpText() const {
        QString text = QString::fromLatin1(kUsage) + u"options:\n"_s;
        for (const QCommandLineOption* option : all()) {
            QStringList names;
            for (const QString& name : option->names())
                names << (name.size() == 1 ? u"-"_s : u"--"_s) + name;
            QString left = names.join(u", "_s);
            if (!option->valueName().isEmpty())
                left += u' ' + option->valueName();
            text += u"  %1  %2\n"_s.arg(left, -22).arg(option->description());
        }
        return text;
    }
};

// What a command got: its operands and the options given with them.
struct Call {
    const QCommandLineParser& parser;
    const Options& options;
    QStringList operands;

    bool has(const QCommandLineOption& option) const { return parser.isSet(option); }
    QString valueOf(const QCommandLineOption& option) const { return parser.value(option); }
    QString nameOf(const QCommandLineOption& option) const {
        return "--"_L1 + option.names().constLast();
    }
};

// The number given for a counting option, or nothing after naming the bad value.
std::optional<int> countOf(const Call& call, const QCommandLineOption& option) {
    bool ok = false;
    const int number = call.valueOf(option).toInt(&ok);
    if (!ok || number < 0) {
        fail(u"'%1' is not a valid number for %2"_s.arg(call.valueOf(option), call.nameOf(option)));
        return std::nullopt;
    }
    return number;
}

int resave(const Call& call) {
    if (call.operands.size() != 2)
        return usage();
    if (const auto error = tivora::resaveGraphFile(call.operands[0], call.operands[1]))
        return fail(*error);
    return 0;
}

int refresh(const Call& call) {
    if (call.operands.size() != 1)
        return usage();
    if (const auto error = tivora::excel::refreshLinkedGraph(call.operands[0]))
        return fail(*error);
    return 0;
}

int publish(const Call& call) {
    return tivora::publish::runPublishCommand(call.operands);
}

// The inspector reads its own options; it gets them back as they were given.
int inspect(const Call& call) {
    QStringList args = call.operands;
    for (const QCommandLineOption* option : {&call.options.time, &call.options.width}) {
        if (call.has(*option))
            args << call.nameOf(*option) << call.valueOf(*option);
    }
    return tivora::engine::runInspectCommand(args);
}

int render(const Call& call) {
    if (call.operands.size() != 2)
        return usage();
    const Options& o = call.options;
    tivora::engine::RenderOptions options;
    options.noInformation = call.has(o.noInformation);
    int fps = tivora::exporting::kDefaultFps;
    for (const QCommandLineOption* option : {&o.time, &o.width, &o.fps}) {
        if (!call.has(*option))
            continue;
        const auto number = countOf(call, *option);
        if (!number)
            return 1;
        if (option == &o.time)
            options.time = *number;
        else if (option == &o.fps)
            fps = *number;
        else if (*number > 0)
            options.width = *number;
        else
            return misuse(u"the width must be at least 1"_s);
    }
    // An SVG plays the graph's animation unless a still picture is asked for.
    const tivora::exporting::OutputRequest request{options, fps};
    const auto error = tivora::exporting::writeOutput(call.operands[0], call.operands[1], request,
                                                      call.has(o.still));
    if (error)
        return fail(*error);
    return 0;
}

struct Command {
    QLatin1StringView name;
    std::function<int(const Call&)> run;
    QList<const QCommandLineOption*> accepted;
};

QList<Command> commands(const Options& o) {
    return {{"resave"_L1, resave, {}},
            {"render"_L1, render, {&o.time, &o.width, &o.fps, &o.still, &o.noInformation}},
            {"inspect"_L1, inspect, {&o.time, &o.width}},
            {"publish"_L1, publish, {}},
            {"refresh"_L1, refresh, {}}};
}

// The first option given that the command has no use for, if any.
std::optional<QString> refusedOption(const Command& command, const Call& call) {
    for (const QCommandLineOption* option : call.options.all())
        if (call.has(*option) && !command.accepted.contains(option))
            return call.nameOf(*option);
    return std::nullopt;
}

int runCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return misuse(parser.errorText());
    if (parser.isSet(options.help)) {
        std::fputs(qPrintable(options.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(options.version)) {
        std::printf("tivora %s\n", kVersion);
        return 0;
    }
    QStringList operands = parser.positionalArguments();
    if (operands.isEmpty())
        return usage();
    const QString name = operands.takeFirst();
    const Call call{parser, options, operands};
    for (const Command& command : commands(options)) {
        if (command.name != name)
            continue;
        if (const auto refused = refusedOption(command, call))
            return misuse(u"the %1 command takes no option %2"_s.arg(name, *refused));
        return command.run(call);
    }
    return misuse(u"unknown command '%1'"_s.arg(name));
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
    return runCommandLine(QCoreApplication::arguments());
}
