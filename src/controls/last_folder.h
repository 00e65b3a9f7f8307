#pragma once

#include <QString>

namespace tivora {

// The kinds of file whose dialogs each remember where the user last found one.
enum class FileKind { Graph, Workbook, Snapshot };

// The folder a file dialog for kind starts in: the folder of the file last chosen for that kind,
// kept per user between runs, or the home folder the first time and whenever that folder has
// gone.
QString lastFolder(FileKind kind);
// Remembers the folder of chosenPath (a file, or a folder for dialogs that choose one) for the
// next dialog of kind. An empty path, which a cancelled dialog gives, changes nothing.
void rememberFolder(FileKind kind, const QString& chosenPath);

} // namespace tivora
