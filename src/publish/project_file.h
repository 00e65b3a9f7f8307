#pragma once

#include "publish/publish_choices.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Publish projects: one small file per project, "<name>.TVP" in the Data folder, holding the
// wizard's choices as one line of variable text.
namespace tivora::publish {

inline constexpr auto kProjectExtension = ".TVP";
// More graphs than anyone publishes in one go; a project naming more is not read.
inline constexpr qsizetype kMostGraphsInProject = 10000;

// The names of the projects in dataFolder (file names without their ".TVP", which may stand in any
// letter case), sorted by name.
QStringList ListProjects(const QString& dataFolder);
// dataFolder + name + ".TVP"; the name is used exactly as typed, blanks at its ends included.
// Where new projects are written.
QString projectPath(const QString& dataFolder, const QString& name);
// The file of a listed project as it is named on disk ("x.tvp" for the project x when no "x.TVP"
// exists), so that a project whose file was named by hand can be run, edited and deleted.
QString listedProjectPath(const QString& dataFolder, const QString& name);

// Why name cannot be a project's file name, or nothing when it can: a name that is blank, holds a
// folder separator or "..", or a character that file names on some system cannot hold would
// write the project somewhere else or not at all.
[[nodiscard]] std::optional<QString> projectNameProblem(const QString& name);
// Why the choices cannot be stored so that they read back as they are: values are stored as they
// stand, so a folder or graph path holding "&" or "/x/" would come back cut.
[[nodiscard]] std::optional<QString> projectChoicesProblem(const PublishChoices& choices);

// The project line, keys in their fixed order, values as they stand.
QString projectText(const PublishChoices& choices);
// Reads a project line. Flags are on only for exactly "YES"; a missing key reads as empty; empty
// items of the graph list are passed over. Gives nothing when the export kind is not one of the
// three or the list names more than kMostGraphsInProject graphs.
std::optional<PublishChoices> parseProjectText(const QString& line);

struct ProjectLoad {
    std::optional<PublishChoices> choices;
    QString error; // the message to show when choices is empty
};

// The first line of the file at path, read as a project named after the file.
ProjectLoad LoadProject(const QString& path);
// Writes the project file in one step; gives the message to show when it could not.
[[nodiscard]] std::optional<QString> SaveProject(const QString& path,
                                                 const PublishChoices& choices);
// Deletes the project file; a file that is already gone is not a failure.
[[nodiscard]] std::optional<QString> deleteProject(const QString& path);

} // namespace tivora::publish
