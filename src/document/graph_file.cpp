#include "document/graph_file.h"

#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"
#include "document/regular_file.h"

using namespace Qt::StringLiterals;

namespace tivora {

std::optional<QString> resaveGraphFile(const QString& inPath, const QString& outPath) {
    // The output is looked at first: a target that may not be written refuses the whole command
    // before any input is read.
    if (const auto refusal = checkOutputFile(outPath))
        return u"Cannot write %1: %2"_s.arg(outPath, *refusal);
    GraphDocument document;
    const GraphReadResult read = ReadGraphFile(document, inPath);
    if (!read) {
        return u"Cannot read %1: %2"_s.arg(inPath,
                                           read.detail.isEmpty() ? read.error : read.detail);
    }
    const GraphTextBuild build = buildGraphText(document);
    switch (build.status) {
    case GraphTextBuild::Status::Complete:
        break;
    case GraphTextBuild::Status::Incomplete:
        return u"%1 holds an incomplete graph: %2"_s.arg(inPath, build.message);
    case GraphTextBuild::Status::Failed:
        return u"%1 holds a graph that cannot be saved: %2"_s.arg(inPath, build.message);
    }
    if (const auto reason = writeGraphLines(outPath, build.text))
        return u"Cannot write %1: %2"_s.arg(outPath, *reason);
    return std::nullopt;
}

} // namespace tivora
