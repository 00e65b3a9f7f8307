#include "publish/project_file.h"

#include "document/ansi_text.h"
#include "document/regular_file.h"
#include "document/variable_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

constexpr QStringView kBadNameCharacters = u"/\\:*?\"<>|";

QString yesNo(bool on) {
    return on ? u"YES"_s : u"NO"_s;
}

bool isYes(const QByteArray& line, QByteArrayView key) {
    return GetValue(key, line) == "YES";
}

QString loadError(const QString& path) {
    return u"Error loading project file. "_s + path;
}

// The project files of the folder, their extension in any letter case, sorted by name.
QStringList projectFiles(const QString& dataFolder) {
    return QDir(dataFolder)
        .entryList({u"*"_s + QLatin1StringView(kProjectExtension)},
                   QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The graphs of a "/x/" list. An empty item names no graph file (the wizard never writes one) and
// is passed over; a list of more graphs than any project holds is refused, so that a damaged or
// hostile file cannot fill the wizard's list and the run with millions of entries.
bool readGraphList(QByteArrayView list, QStringList& graphs) {
    for (qsizetype start = 0; start <= list.size();) {
        qsizetype end = list.indexOf(kListSeparator, start);
        if (end < 0)
            end = list.size();
        if (end > start) {
            if (graphs.size() == kMostGraphsInProject)
                return false;
            graphs.append(ansiToString(list.sliced(start, end - start)));
        }
        start = end + kListSeparator.size();
    }
    return true;
}

} // namespace

QStringList ListProjects(const QString& dataFolder) {
    QStringList names;
    for (const QString& file : projectFiles(dataFolder))
        names.append(file.chopped(4));
    return names;
}

QString listedProjectPath(const QString& dataFolder, const QString& name) {
    QString typed = projectPath(dataFolder, name);
    if (QFileInfo::exists(typed))
        return typed;
    for (const QString& file : projectFiles(dataFolder)) {
        if (file.chopped(4) == name)
            return QDir(dataFolder).filePath(file);
    }
    return typed;
}

QString projectPath(const QString& dataFolder, const QString& name) {
    QString folder = dataFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + name + QLatin1StringView(kProjectExtension);
}

std::optional<QString> projectNameProblem(const QString& name) {
    const bool badCharacter = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || kBadNameCharacters.contains(c);
    });
    if (badCharacter || name.contains(u".."_s) || name.trimmed() == u"."_s) {
        return u"A project name cannot hold a folder part (\"/\", \"\\\" or \"..\") or any of "
               "the characters : * ? \" < > |. Please enter a different project Name"_s;
    }
    if (firstUnencodableChar(name))
        return u"A project name can only hold characters of the Western (Windows-1252) code page. "
               "Please enter a different project Name"_s;
    return std::nullopt;
}

std::optional<QString> projectChoicesProblem(const PublishChoices& choices) {
    QStringList paths = choices.graphs;
    paths.prepend(choices.saveDirectory);
    for (const QString& path : paths) {
        if (path.contains(u'&') || path.contains(QLatin1StringView(kListSeparator)))
            return u"A project cannot keep a folder or graph path that holds \"&\" or \"/x/\": "_s +
                   path;
        if (firstUnencodableChar(path))
            return u"A project cannot keep a path with characters outside the Western "
                   "(Windows-1252) code page: "_s +
                   path;
    }
    return std::nullopt;
}

QString projectText(const PublishChoices& choices) {
    return u"&ExportTo="_s + QString::number(int(choices.exportKind)) + u"&Excel="_s +
           yesNo(choices.excelLink) + u"&SaveDirectory="_s + choices.saveDirectory + u"&Files="_s +
           choices.graphs.join(QLatin1StringView(kListSeparator)) + u"&Engine="_s +
           yesNo(choices.engine) + u"&FlaFile="_s + yesNo(choices.flaFile) + u"&HTMLFile="_s +
           yesNo(choices.htmlFile) + u"&Embed="_s + yesNo(choices.embed);
}

std::optional<PublishChoices> parseProjectText(const QString& text) {
    // The line's last value only ends at an "&": the appended key closes it, and is itself found
    // only when the line has no "&Excel" of its own.
    const QByteArray line = stringToAnsi(text).value_or(QByteArray()) + "&Excel=";
    bool isNumber = false;
    const int kind = GetValue("&ExportTo", line).toInt(&isNumber);
    if (!isNumber || kind < 0 || kind > int(ExportKind::FlashProject))
        return std::nullopt;
    PublishChoices choices;
    choices.exportKind = ExportKind(kind);
    choices.excelLink = isYes(line, "&Excel");
    choices.saveDirectory = ansiToString(GetValue("&SaveDirectory", line));
    if (!readGraphList(GetValue("&Files", line), choices.graphs))
        return std::nullopt;
    choices.engine = isYes(line, "&Engine");
    choices.flaFile = isYes(line, "&FlaFile");
    choices.htmlFile = isYes(line, "&HTMLFile");
    choices.embed = isYes(line, "&Embed");
    return choices;
}

ProjectLoad LoadProject(const QString& path) {
    // Read through the ordinary-file reader: a pipe or device named as a project must not hang.
    QByteArray bytes;
    if (readInputFile(path, bytes))
        return {std::nullopt, loadError(path)};
    const qsizetype lineEnd = bytes.indexOf('\n');
    QByteArray line = lineEnd < 0 ? bytes : bytes.left(lineEnd);
    while (line.endsWith('\r'))
        line.chop(1);
    auto choices = parseProjectText(ansiToString(line));
    if (!choices)
        return {std::nullopt, loadError(path)};
    choices->projectName = QFileInfo(path).completeBaseName();
    return {std::move(choices), QString()};
}

std::optional<QString> SaveProject(const QString& path, const PublishChoices& choices) {
    const QString error = u"Error writing project file. "_s + path;
    if (!writeAnsiFile(path, projectText(choices)))
        return error;
    return std::nullopt;
}

std::optional<QString> deleteProject(const QString& path) {
    if (!QFile::exists(path) || QFile::remove(path))
        return std::nullopt;
    return u"Error deleting project file. "_s + path;
}

} // namespace tivora::publish
