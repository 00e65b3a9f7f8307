#include "publish/file_copy.h"

#include "document/regular_file.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::publish {

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes) {
    return replaceFile(path, bytes);
}

std::optional<QString> copyReplacing(const QString& source, const QString& target) {
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath() &&
        QFileInfo::exists(target))
        return std::nullopt;
    QByteArray bytes;
    if (auto reason = readInputFile(source, bytes))
        return reason;
    return writeWholeFile(target, bytes);
}

std::optional<QString> bareFileName(const QString& path) {
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QString name = path.mid(separator + 1);
    if (name.isEmpty() || name == "."_L1 || name == ".."_L1)
        return std::nullopt;
    return name;
}

} // namespace tivora::publish
