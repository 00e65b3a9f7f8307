#include "controls/skins/skin_choice.h"

#include "controls/dialogs.h"
#include "controls/skins/skin.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora {

std::optional<QString> chooseSkinFile(const QString& startFolder) {
    QString path = appDialogs().openFileName(u"Change Skin"_s, u"Skins (*.skn)"_s, startFolder);
    if (path.isEmpty())
        return std::nullopt;
    if (QFileInfo(path).suffix().isEmpty())
        path += u".skn"_s;
    if (const std::optional<QString> reason = Skin::read(path)) {
        appDialogs().showError(u"The file chosen cannot be used as a skin."_s, *reason);
        return std::nullopt;
    }
    return path;
}

} // namespace tivora
