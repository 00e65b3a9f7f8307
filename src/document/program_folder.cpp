#include "document/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

QString& overriddenFolder() {
    static QString folder;
    return folder;
}

QString withSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool holdsData(const QString& folder) {
    return QFileInfo(folder + u"/Data"_s).isDir();
}

// A folder whose write bits are all off counts as read-only even for a user the system would let
// write it (the administrator): it was made read-only on purpose, as installed media are.
bool isWritableFolder(const QString& folder) {
    const QFileInfo info(folder);
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite);
}

// Where an installed copy keeps its data, relative to the executable in <prefix>/bin.
QString installedFolder(const QString& executableFolder) {
    return QDir::cleanPath(executableFolder + u"/../share/tivora"_s);
}

// Copies every file of source that target lacks or holds in an older version.
void refreshCopy(const QString& source, const QString& target) {
    QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo installed(files.next());
        const QString copyPath =
            target + u'/' + QDir(source).relativeFilePath(installed.filePath());
        const QFileInfo copy(copyPath);
        if (copy.exists() && copy.lastModified() >= installed.lastModified())
            continue;
        QDir().mkpath(copy.absolutePath());
        QFile::remove(copyPath);
        // The copy keeps the installed file's permissions; a read-only one (a preview file the
        // installation happened to hold) would make the first refresh fail.
        if (QFile::copy(installed.filePath(), copyPath))
            QFile::setPermissions(copyPath, QFile::permissions(copyPath) | QFile::WriteOwner |
                                                QFile::ReadOwner);
    }
}

} // namespace

QString findProgramFolder(const QString& executableFolder, const QString& perUserFolder) {
    QString source = executableFolder;
    if (!holdsData(source)) {
        const QString installed = installedFolder(executableFolder);
        if (holdsData(installed))
            source = installed;
    }
    if (isWritableFolder(source + u"/Data"_s))
        return withSlash(source);
    QDir().mkpath(perUserFolder + u"/Data"_s);
    refreshCopy(source, perUserFolder);
    return withSlash(perUserFolder);
}

QString programFolder() {
    QString& folder = overriddenFolder();
    if (folder.isEmpty()) {
        folder =
            findProgramFolder(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
    return folder;
}

QString programDataPath(const QString& name) {
    return programFolder() + u"Data/"_s + name;
}

void setProgramFolder(const QString& folder) {
    overriddenFolder() = folder.isEmpty() ? QString() : withSlash(folder);
}

} // namespace tivora
