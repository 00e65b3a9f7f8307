#include "shell/error_detail.h"

#include "document/printable_text.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace tivora {

QString errorDetail(const QString& path, const QString& reason) {
    // A path or a reason may carry a file's text.
    const QString shown = printableText(QDir::toNativeSeparators(path));
    return reason.trimmed().isEmpty() ? shown : shown + u": "_s + printableText(reason.trimmed());
}

} // namespace tivora
