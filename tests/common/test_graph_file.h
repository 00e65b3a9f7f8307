#pragma once

#include "document/graph_text_writer.h"

#include <QString>
#include <QTest>

namespace tivora::test {

// Writes document as a graph file at path and gives the path. A graph that could not be written
// fails the running test, with the writer's reason, and gives no path, so that nothing goes on
// to read a file that is not there.
inline QString writeTestGraph(GraphDocument document, const QString& path) {
    const GraphWriteResult result = WriteGraphText(document, path);
    if (!result.written()) {
        QTest::qFail(qPrintable(path + QStringLiteral(": ") + result.message), __FILE__, __LINE__);
        return {};
    }
    return path;
}

} // namespace tivora::test
