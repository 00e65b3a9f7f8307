#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>

namespace tivora::test {

// Fills dataFolder with the files of the Data folder as shipped. Tests copy the sources' folder,
// never the build's Data beside the programs: a designer run from the build tree saves projects
// and previews there, and a test must not see them.
inline void copyShippedData(const QString& dataFolder) {
    QDir().mkpath(dataFolder);
    QDirIterator files(QStringLiteral(TIVORA_SHIPPED_DATA_DIR), QDir::Files);
    while (files.hasNext()) {
        files.next();
        if (files.fileName() != QLatin1String("CMakeLists.txt"))
            QFile::copy(files.filePath(), dataFolder + u'/' + files.fileName());
    }
}

} // namespace tivora::test
