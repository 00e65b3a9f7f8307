#pragma once

#include "excel/link_options.h"

#include <optional>
#include <variant>

namespace tivora::excel {

inline constexpr auto kOpenFailure = "Error opening options file. ";
inline constexpr auto kWriteFailure = "Error writing options file. ";

// Reads the link options file beside graphFile. Gives the options, nothing when the graph has no
// options file, or the message to show when the file is there but cannot be read: it names the
// file and, on a second line, says why.
std::variant<std::optional<LinkOptions>, QString> readLinkOptionsFile(const QString& graphFile);

// Writes options into the link options file beside graphFile in one step, so that a failure
// leaves the old file whole. Gives the message to show when it could not.
[[nodiscard]] std::optional<QString> writeLinkOptionsFile(const QString& graphFile,
                                                          const LinkOptions& options);

} // namespace tivora::excel
