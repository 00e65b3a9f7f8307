#include "excel/graph_refresh.h"

#include "document/graph_document_model.h"
#include "excel/link_options_file.h"
#include "excel/range_import.h"

using namespace Qt::StringLiterals;

namespace tivora::excel {

std::optional<QString> refreshLinkedGraph(const QString& graphFile) {
    GraphDocumentModel model;
    if (const GraphReadResult read = model.read(graphFile); !read)
        return u"cannot read the graph %1: %2"_s.arg(graphFile, read.error);
    if (model.document().graphType == u"pie"_s)
        return u"%1 is a pie graph; only series graphs link to a workbook"_s.arg(graphFile);
    const auto stored = readLinkOptionsFile(graphFile);
    if (const auto* error = std::get_if<QString>(&stored))
        return *error;
    const auto& options = std::get<std::optional<LinkOptions>>(stored);
    if (!options || !options->excelLink)
        return u"%1 is not linked to a workbook (see %2)"_s.arg(graphFile,
                                                                linkOptionsPath(graphFile));
    if (const auto failure = importRange(*options, model, [](const QString&) { return true; })) {
        return failure->detail.isEmpty() ? failure->text
                                         : failure->text + u" ("_s + failure->detail + u')';
    }
    const GraphWriteResult written = model.write(graphFile);
    if (!written.written()) {
        // The writer's message alone ("Error writing Temporary File") says neither which file nor
        // why; its detail does.
        const QString reason =
            written.detail.isEmpty() ? written.message : written.message + u": "_s + written.detail;
        return u"cannot save %1: %2"_s.arg(graphFile, reason);
    }
    return std::nullopt;
}

} // namespace tivora::excel
