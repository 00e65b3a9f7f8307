#pragma once

#include <QStringList>

namespace tivora::publish {

// `tivora publish PROJECT`: runs a saved project (a project name of the Data folder or the path
// of a ".TVP" file) and prints the log. Exit status 0 when every graph's files were written
// (warnings included), 1 when a graph was skipped or a file could not be written, with the
// reasons on stderr; 2 for a wrong command line.
int runPublishCommand(const QStringList& args);

} // namespace tivora::publish
