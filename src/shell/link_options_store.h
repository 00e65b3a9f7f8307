#pragma once

#include <QString>
#include <optional>

namespace tivora {

// The link options file that lies beside a series graph's file and says which spreadsheet range
// feeds its data. Opening a series graph reads it and every save writes it, before the graph.
class LinkOptionsStore {
public:
    virtual ~LinkOptionsStore() = default;

    // Each gives the message to show when the file could not be read or written.
    virtual std::optional<QString> readBeside(const QString& graphFile) = 0;
    virtual std::optional<QString> writeBeside(const QString& graphFile) = 0;
};

} // namespace tivora
