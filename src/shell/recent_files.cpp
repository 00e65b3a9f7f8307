#include "shell/recent_files.h"

namespace tivora {

std::optional<QStringList> recentFilesWith(const QStringList& recent, const QString& path) {
    if (recent.contains(path, Qt::CaseSensitive))
        return std::nullopt;
    QStringList shifted = recent;
    shifted.prepend(path);
    shifted.removeLast();
    return shifted;
}

} // namespace tivora
