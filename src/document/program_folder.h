#pragma once

#include <QString>
#include <optional>

namespace tivora {

// The folder the program's own data paths start from, with a trailing "/": the
// program's data files are programFolder() + "Data/" + name, the skins lie
// directly in it.
//
// Run from the build tree or from a portable copy, it is the executable's
// folder, which holds Data/. Installed under a prefix the user cannot write to
// (the data then lies in <prefix>/share/tivora), the program still has to write
// its preview file beside the engine movie, so it works in a per-user copy of
// the installed folder, refreshed from the installation whenever an installed
// file is newer.
QString programFolder();

// programFolder() + "Data/" + name.
QString programDataPath(const QString& name);

// Why the program folder is not all it should be: files of a read-only
// installation that could not be copied into the per-user folder (which then
// shows missing or outdated movies, templates or skins), with the system's
// reason. Nothing when every copy was made or none was needed. Looks for the
// program folder first if that has not been done yet.
[[nodiscard]] std::optional<QString> programFolderProblem();

struct FoundProgramFolder {
    QString path; // with a trailing "/"
    std::optional<QString> problem;
};

// The program folder of an executable in executableFolder, with perUserFolder
// as the per-user copy for a read-only installation. programFolder() asks this
// for the running program.
[[nodiscard]] FoundProgramFolder findProgramFolder(const QString& executableFolder,
                                                   const QString& perUserFolder);

// Points programFolder() at folder (tests use their own temporary copy), with
// no problem. An empty folder goes back to finding it as above.
void setProgramFolder(const QString& folder);
// Points programFolder() at a folder found by findProgramFolder, its problem
// included.
void setProgramFolder(const FoundProgramFolder& found);

} // namespace tivora
