#include "shell/error_detail.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace tivora {

QString errorDetail(const QString& path, const QString& reason) {
    const QString shown = QDir::toNativeSeparators(path);
    return reason.trimmed().isEmpty() ? shown : shown + u": "_s + reason.trimmed();
}

} // namespace tivora
