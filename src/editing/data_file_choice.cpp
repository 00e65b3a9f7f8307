#include "editing/data_file_choice.h"

#include "controls/dialogs.h"
#include "document/program_folder.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

QString chooseInData(const QString& filter) {
    return appDialogs().openFileName(u"Select Image File"_s, filter, programDataPath(QString()));
}

} // namespace

QString choosePictureFile() {
    return chooseInData(u"Image files (*.jpg)"_s);
}

QString chooseEffectFile() {
    const QString path = chooseInData(u"Effect Files (*.eff)"_s);
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

} // namespace tivora
