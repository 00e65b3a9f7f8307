#pragma once

#include <QString>

namespace tivora {

// The second line of an error box about a file: its path, and why the operation failed when that
// is known ("/home/ann/sales.TVX: Permission denied").
QString errorDetail(const QString& path, const QString& reason);

} // namespace tivora
