#include "controls/user_store.h"

#include <QFileInfo>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

const QString kOrganization = u"Orvanta"_s;
const QString kApplication = u"Tivora"_s;

// The files the store reads for the program: the user's and the system's, each for the program
// and for its organisation. Their folders are learnt from a store of names no program uses, so
// that learning them reads none of the files themselves.
QStringList storeFiles() {
    const QString probeName = u"tivora-settings-probe"_s;
    QStringList files;
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
        const QFileInfo probe(
            QSettings(QSettings::NativeFormat, scope, probeName, probeName).fileName());
        const QString folder = QFileInfo(probe.path()).path() + u'/';
        const QString suffix = probe.suffix().isEmpty() ? QString() : u'.' + probe.suffix();
        files << folder + kOrganization + u'/' + kApplication + suffix
              << folder + kOrganization + suffix;
    }
    return files;
}

std::optional<QString> storeProblem() {
    for (const QString& file : storeFiles()) {
        const QFileInfo info(file);
        if (info.exists() && !info.isFile()) {
            return u"The settings file %1 is not an ordinary file (it is a folder, pipe or "
                   "device). The designer starts without its stored settings and keeps none "
                   "this time."_s.arg(file);
        }
    }
    return std::nullopt;
}

} // namespace

UserStore openUserStore() {
    UserStore store{nullptr, storeProblem()};
    if (!store.problem) {
        store.settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                     kOrganization, kApplication);
    }
    return store;
}

} // namespace tivora
