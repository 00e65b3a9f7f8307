#pragma once

#include <QString>

namespace tivora {

// Lets the user pick a folder and gives its absolute path. The dialog itself is the installed
// Dialogs' folder chooser, so a test can answer it.
class TBrowseForFolderDialog {
public:
    void setTitle(const QString& title) { m_title = title; }
    // The folder the dialog opens in; the user's home folder when empty.
    void setStartFolder(const QString& folder) { m_startFolder = folder; }
    // True when the user chose a folder, false on Cancel.
    bool execute();
    // The chosen folder; meaningful only after execute() returned true.
    QString folder() const { return m_folder; }

private:
    QString m_title;
    QString m_startFolder;
    QString m_folder;
};

} // namespace tivora
