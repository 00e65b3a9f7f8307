#include "document/graph_file.h"

#include "document/graph_text_reader.h"
#include "document/graph_text_writer.h"

using namespace Qt::StringLiterals;

namespace tivora {

std::optional<QString> resaveGraphFile(const QString& inPath, const QString& outPath) {
    GraphDocument document;
    const GraphReadResult read = ReadGraphFile(document, inPath);
    if (!read)
        return u"Cannot read %1: %2"_s.arg(inPath, read.error);
    const GraphWriteResult written = WriteGraphText(document, outPath);
    switch (written.status) {
    case GraphWriteResult::Status::Written:
        return std::nullopt;
    case GraphWriteResult::Status::Incomplete:
        return u"%1 holds an incomplete graph: %2"_s.arg(inPath, written.message);
    case GraphWriteResult::Status::Failed:
        break;
    }
    return u"Cannot write %1: %2"_s.arg(outPath, written.message);
}

} // namespace tivora
