#include "controls/last_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <memory>

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

// The user's store, where the designer keeps its other settings.
std::unique_ptr<QSettings> userStore() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, u"Orvanta"_s,
                                       u"Tivora"_s);
}

} // namespace

QString lastFolder(FileKind kind) {
    QString folder = userStore()->value(settingsKey(kind)).toString();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

void rememberFolder(FileKind kind, const QString& chosenPath) {
    if (chosenPath.isEmpty())
        return;
    const QFileInfo chosen(chosenPath);
    const QString folder = chosen.isDir() ? chosen.absoluteFilePath() : chosen.absolutePath();
    userStore()->setValue(settingsKey(kind), folder);
}

} // namespace tivora
