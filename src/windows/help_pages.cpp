#include "windows/help_pages.h"

#include "controls/dialogs.h"
#include "document/program_folder.h"
#include "windows/tfrm_help.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tivora {

QString HelpPages::indexPath() {
    return programFolder() + u"help/Index.htm"_s;
}

void HelpPages::open(QWidget& owner) {
    const QString path = indexPath();
    if (!QFileInfo(path).isFile()) {
        appDialogs().showError(u"The help pages could not be found."_s,
                               QDir::toNativeSeparators(path));
        return;
    }
    auto* window = owner.findChild<TfrmHelp*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new TfrmHelp(&owner);
    window->showPage(QUrl::fromLocalFile(path));
}

} // namespace tivora
