#include "controls/folder_browser.h"

#include "controls/dialogs.h"

#include <QDir>

namespace tivora {

bool TBrowseForFolderDialog::execute() {
    const QString start = m_startFolder.isEmpty() ? QDir::homePath() : m_startFolder;
    const QString chosen = appDialogs().chooseFolder(m_title, start);
    if (chosen.isEmpty())
        return false;
    m_folder = QDir(chosen).absolutePath();
    return true;
}

} // namespace tivora
