#pragma once

#include "document/graph_text_writer.h"

#include <QString>

namespace tivora::test {

// Writes document as a graph file at path and gives the path. A fixture that cannot write its
// graph into its own folder is broken, so the program stops there with the writer's reason
// rather than going on to read a file that is not there.
inline QString writeTestGraph(GraphDocument document, const QString& path) {
    const GraphWriteResult result = WriteGraphText(document, path);
    if (!result.written())
        qFatal("%s: %s", qPrintable(path), qPrintable(result.message));
    return path;
}

} // namespace tivora::test
