#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <variant>

namespace tivora {

// The link options file that lies beside a series graph's file and says which spreadsheet range
// feeds its data. Opening a series graph reads it and every save writes it, before the graph.
class LinkOptionsStore {
public:
    virtual ~LinkOptionsStore() = default;

    // What reading gave: the message to show when the file could not be read, or the step that
    // shows what was read. Reading changes nothing, so that a graph whose options cannot be read
    // leaves the open graph and its link exactly as they were; the step runs once the graph is
    // in place.
    using ReadResult = std::variant<QString, std::function<void()>>;
    [[nodiscard]] virtual ReadResult readBeside(const QString& graphFile) = 0;
    // The message to show when the file could not be written, with its reason.
    [[nodiscard]] virtual std::optional<QString> writeBeside(const QString& graphFile) = 0;
};

} // namespace tivora
