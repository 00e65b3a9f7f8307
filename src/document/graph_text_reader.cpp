#include "document/graph_text_reader.h"

#include "document/ansi_text.h"
#include "document/graph_file_parser.h"
#include "document/regular_file.h"

using namespace Qt::StringLiterals;

namespace tivora {

GraphReadResult ReadGraphText(GraphDocument& document, const QByteArray& fileBytes) {
    GraphDocument copy = document;
    copy.loadingGraph = true;
    GraphFileParser parser(copy, fileBytes);
    const auto error = parser.run();
    if (error)
        return {false, *error, {}};
    copy.loadingGraph = false;
    document = std::move(copy);
    return {true, {}, {}};
}

GraphReadResult ReadGraphFile(GraphDocument& document, const QString& path) {
    QByteArray bytes;
    if (const auto reason = readInputFile(path, bytes))
        return {false, u"File I/O error."_s, *reason};
    return ReadGraphText(document, bytes);
}

} // namespace tivora
