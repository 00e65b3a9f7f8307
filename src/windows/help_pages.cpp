#include "windows/help_pages.h"

#include "controls/dialogs.h"
#include "document/program_folder.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tivora {

QString HelpPages::indexPath() {
    return programFolder() + u"help/Index.htm"_s;
}

void HelpPages::open() {
    const QString path = indexPath();
    // A missing guide or a desktop without a browser would otherwise do nothing at all.
    if (!QFileInfo(path).isFile()) {
        appDialogs().showError(u"The help pages could not be found."_s,
                               QDir::toNativeSeparators(path));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        appDialogs().showError(u"The help pages could not be opened."_s,
                               u"No web browser opened %1."_s.arg(QDir::toNativeSeparators(path)));
    }
}

} // namespace tivora
