#include "document/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// How many of the files that could not be copied the problem names; the rest are counted.
constexpr qsizetype kNamedFailures = 5;

FoundProgramFolder& chosenFolder() {
    static FoundProgramFolder folder;
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

// Copies the installed file over its outdated or missing copy; gives why it could not.
std::optional<QString> copyInstalledFile(const QString& installed, const QString& copyPath) {
    const QString folder = QFileInfo(copyPath).absolutePath();
    if (!QDir().mkpath(folder))
        return u"%1: the folder could not be made"_s.arg(folder);
    QFile outdated(copyPath);
    if (outdated.exists() && !outdated.remove())
        return u"%1: %2"_s.arg(copyPath, outdated.errorString());
    QFile source(installed);
    if (!source.copy(copyPath))
        return u"%1: %2"_s.arg(copyPath, source.errorString());
    // The copy keeps the installed file's permissions; a read-only one (a preview file the
    // installation happened to hold) would make the first refresh fail.
    if (!QFile::setPermissions(copyPath,
                               QFile::permissions(copyPath) | QFile::WriteOwner | QFile::ReadOwner))
        return u"%1: it could not be made writable"_s.arg(copyPath);
    return std::nullopt;
}

// Copies every file of source that target lacks or holds in an older version; gives the copies
// that failed.
QStringList refreshCopy(const QString& source, const QString& target) {
    QStringList failures;
    // Data/ is there even when the installation holds no data files, for the preview file.
    if (!QDir().mkpath(target + u"/Data"_s))
        failures.append(u"%1/Data: the folder could not be made"_s.arg(target));
    QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo installed(files.next());
        const QString copyPath =
            target + u'/' + QDir(source).relativeFilePath(installed.filePath());
        const QFileInfo copy(copyPath);
        if (copy.isFile() && copy.lastModified() >= installed.lastModified())
            continue;
        if (const auto failure = copyInstalledFile(installed.filePath(), copyPath))
            failures.append(*failure);
    }
    return failures;
}

std::optional<QString> copyProblem(const QString& perUserFolder, QStringList failures) {
    if (failures.isEmpty())
        return std::nullopt;
    const qsizetype unnamed = failures.size() - kNamedFailures;
    if (unnamed > 0) {
        failures.resize(kNamedFailures);
        failures.append(u"and %1 more"_s.arg(unnamed));
    }
    return u"Some of the program's files could not be copied to %1, the program's folder of your "
           u"own, so what uses them may be missing or out of date:\n%2"_s.arg(perUserFolder,
                                                                              failures.join(u'\n'));
}

// The program folder, looked for on the first call unless a test has set it.
const FoundProgramFolder& searchedProgramFolder() {
    FoundProgramFolder& folder = chosenFolder();
    if (folder.path.isEmpty()) {
        folder =
            findProgramFolder(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
    return folder;
}

} // namespace

FoundProgramFolder findProgramFolder(const QString& executableFolder,
                                     const QString& perUserFolder) {
    QString source = executableFolder;
    if (!holdsData(source)) {
        const QString installed = installedFolder(executableFolder);
        if (holdsData(installed))
            source = installed;
    }
    if (isWritableFolder(source + u"/Data"_s))
        return {withSlash(source), std::nullopt};
    return {withSlash(perUserFolder),
            copyProblem(perUserFolder, refreshCopy(source, perUserFolder))};
}

QString programFolder() {
    return searchedProgramFolder().path;
}

QString programDataPath(const QString& name) {
    return programFolder() + u"Data/"_s + name;
}

std::optional<QString> programFolderProblem() {
    return searchedProgramFolder().problem;
}

void setProgramFolder(const QString& folder) {
    chosenFolder() = {folder.isEmpty() ? QString() : withSlash(folder), std::nullopt};
}

void setProgramFolder(const FoundProgramFolder& found) {
    chosenFolder() = found;
}

} // namespace tivora
