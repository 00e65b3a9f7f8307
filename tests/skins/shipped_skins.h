#pragma once

#include <QDir>
#include <QStringList>

namespace tivora::test {

// The skin files the build lays out beside the executables, by name.
inline QStringList shippedSkins() {
    using namespace Qt::StringLiterals;
    const QDir folder(QStringLiteral(TIVORA_DATA_DIR) + u"/.."_s);
    QStringList paths;
    for (const QString& name : folder.entryList({u"*.skn"_s}, QDir::Files, QDir::Name))
        paths.append(folder.filePath(name));
    return paths;
}

} // namespace tivora::test
