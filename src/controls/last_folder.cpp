#include "controls/last_folder.h"

#include "controls/user_store.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

QString settingsKey(FileKind kind) {
    switch (kind) {
    case FileKind::Graph:
        return u"Folders/Graphs"_s;
    case FileKind::Workbook:
        return u"Folders/Workbooks"_s;
    case FileKind::Snapshot:
        return u"Folders/Snapshots"_s;
    }
    return u"Folders/Other"_s;
}

} // namespace

QString lastFolder(FileKind kind) {
    const UserStore store = openUserStore();
    QString folder =
        store.settings ? store.settings->value(settingsKey(kind)).toString() : QString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

void rememberFolder(FileKind kind, const QString& chosenPath) {
    if (chosenPath.isEmpty())
        return;
    const QFileInfo chosen(chosenPath);
    const QString folder = chosen.isDir() ? chosen.absoluteFilePath() : chosen.absolutePath();
    // A refused store keeps nothing; the designer has told the user so at start-up.
    if (const UserStore store = openUserStore(); store.settings)
        store.settings->setValue(settingsKey(kind), folder);
}

} // namespace tivora
