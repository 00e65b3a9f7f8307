#include "publish/file_copy.h"

#include "document/regular_file.h"

#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace tivora::publish {

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes) {
    if (auto refusal = checkOutputFile(path))
        return refusal;
    // The flush is checked before the commit: a commit whose last write failed (a full disk, a
    // file-size limit) would replace the old file with a short one and still report success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit())
        return file.errorString();
    return std::nullopt;
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
