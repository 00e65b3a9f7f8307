#pragma once

#include <QStringList>
#include <optional>

namespace tivora {

// The recent-file list with path put at its top: every entry moves down one place and the oldest
// drops out. Nothing when path already stands in the list (compared exactly, letter case
// included), so opening a listed file keeps the order the user knows.
std::optional<QStringList> recentFilesWith(const QStringList& recent, const QString& path);

} // namespace tivora
