#include "shell/file_commands.h"

#include "controls/dialogs.h"
#include "document/program_folder.h"
#include "document/regular_file.h"
#include "shell/link_options_store.h"
#include "shell/main_menu.h"
#include "shell/preview_cycle.h"
#include "shell/recent_files.h"
#include "shell/tfrm_lumara.h"

#include <QAction>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// Graph files carry ".TVX" in any letter case.
const QString kGraphFilter = u"Tivora files (*.[Tt][Vv][Xx])"_s;
const QString kTitle = u"Tivora Designer"_s;
const QString kFileIoError = u"File I/O error."_s;

// Whether a file could be written at path at all: its folder exists, and the file or, for a new
// file, the folder may be written.
bool canWriteTo(const QString& path) {
    const QFileInfo target(path);
    if (target.exists())
        return target.isFile() && target.isWritable();
    const QFileInfo folder(target.absolutePath());
    return folder.isDir() && folder.isWritable();
}

} // namespace

FileCommands::FileCommands(TfrmLumara& window)
    : m_window(window) {
    m_window.menu().mnuNew->setEnabled(false);
}

void FileCommands::setTemplateChooser(TemplateChooser chooser) {
    m_templateChooser = std::move(chooser);
    m_window.menu().mnuNew->setEnabled(bool(m_templateChooser));
}

void FileCommands::setFileNames(const QString& currentFileName, const QString& lastOpenedFile) {
    m_window.model().edit([&](GraphDocument& document) {
        document.currentFileName = currentFileName;
        document.lastOpenedFile = lastOpenedFile;
    });
}

void FileCommands::setFileMenu(bool save, bool saveAs, bool closeFile) {
    MainMenu& menu = m_window.menu();
    menu.mnuSave->setEnabled(save);
    menu.mnuSaveAs->setEnabled(saveAs);
    menu.mnuCloseFile->setEnabled(closeFile);
}

void FileCommands::markClean() {
    m_unsaved.markClean(m_window.model().document());
}

bool FileCommands::readGraph(const QString& path) {
    if (!m_window.model().read(path)) {
        appDialogs().showMessage(u"Error loading details from file"_s);
        return false;
    }
    setFileNames(path, path);
    return true;
}

bool FileCommands::OpenGraphFile(const QString& path) {
    // A folder, pipe or device is refused here, before anything waits on it.
    if (const auto reason = checkInputFile(path)) {
        appDialogs().showError(kFileIoError, *reason);
        return false;
    }
    // The command refreshes the preview once, when the graph is in place.
    const PreviewCycle::Hold hold(m_window.preview());
    // A graph that cannot be read leaves the open graph, its title and its file name as they
    // were, so that a later Save cannot write the old graph over the unreadable file.
    if (!readGraph(path))
        return false;
    m_window.setWindowTitle(kTitle + u" - "_s + QFileInfo(path).fileName());
    setFileMenu(true, true, true);
    m_window.ShowEditor(true);
    const GraphDocument& document = m_window.model().document();
    if (m_linkOptions && document.graphType != u"pie"_s) {
        if (const auto error = m_linkOptions->readBeside(path)) {
            appDialogs().showMessage(u"Error loading details from file"_s);
            return false;
        }
    }
    m_window.preview().RefreshPreview();
    m_window.showPagesFor(document.baseType);
    markClean();
    return true;
}

void FileCommands::UpdateRecentFiles() {
    MainMenu& menu = m_window.menu();
    const auto recent =
        recentFilesWith(menu.recentFiles(), m_window.model().document().lastOpenedFile);
    if (!recent)
        return;
    menu.showRecentFiles(*recent);
    m_window.settings().setRecentFiles(*recent);
}

void FileCommands::openStartupFile(const QString& path) {
    if (OpenGraphFile(QFileInfo(path).absoluteFilePath()))
        UpdateRecentFiles();
}

bool FileCommands::confirmDiscardChanges() {
    if (!m_unsaved.hasChanges(m_window.model().document()))
        return true;
    switch (appDialogs().askYesNoCancel(
        u"The graph has been changed.  Do you want to save the changes?"_s)) {
    case Dialogs::Answer::Yes:
        return m_window.model().document().currentFileName.isEmpty() ? mnuSaveAsClick()
                                                                     : mnuSaveClick();
    case Dialogs::Answer::No:
        return true;
    case Dialogs::Answer::Cancel:
        break;
    }
    return false;
}

void FileCommands::mnuNewClick() {
    if (!m_templateChooser || !confirmDiscardChanges())
        return;
    const PreviewCycle::Hold hold(m_window.preview());
    const QString templateFile = m_templateChooser();
    m_window.model().edit([&](GraphDocument& document) { document.templateFile = templateFile; });
    if (templateFile.isEmpty())
        return;
    QString relative = templateFile;
    if (!OpenGraphFile(programFolder() + relative.replace(u'\\', u'/')))
        return;
    setFileNames(QString(), m_window.model().document().lastOpenedFile);
    m_window.setWindowTitle(kTitle + u" - New File"_s);
    setFileMenu(false, true, true);
    markClean();
}

void FileCommands::Open1Click() {
    if (!confirmDiscardChanges())
        return;
    const QString path = appDialogs().openFileName(u"Open File"_s, kGraphFilter);
    if (!path.isEmpty() && OpenGraphFile(path))
        UpdateRecentFiles();
}

void FileCommands::mnuRecentClick(int index) {
    const QString path = m_window.menu().recentFiles().value(index);
    if (!path.trimmed().isEmpty() && confirmDiscardChanges())
        OpenGraphFile(path);
}

bool FileCommands::saveGraph(const QString& path) {
    if (!canWriteTo(path)) {
        appDialogs().showError(kFileIoError);
        return false;
    }
    if (m_linkOptions) {
        if (const auto error = m_linkOptions->writeBeside(path))
            appDialogs().showError(*error);
    }
    const PreviewCycle::Hold hold(m_window.preview());
    const GraphWriteResult result = m_window.model().write(path);
    if (result.status == GraphWriteResult::Status::Incomplete)
        appDialogs().showMessage(result.message + u"\nThe graph was not saved."_s);
    else if (result.status == GraphWriteResult::Status::Failed)
        appDialogs().showError(result.message, result.detail);
    else
        markClean();
    m_window.preview().RefreshPreview();
    return result.written();
}

bool FileCommands::mnuSaveClick() {
    return saveGraph(m_window.model().document().currentFileName);
}

bool FileCommands::mnuSaveAsClick() {
    const QString path = appDialogs().saveFileName(u"Save As"_s, kGraphFilter, u"TVX"_s);
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path) &&
        !appDialogs().askYesNo(u"The file "_s + path + u" exists.  Do you want to overwrite it?"_s))
        return false;
    // The graph takes the new name only once it is written there: a graph that could not be
    // saved keeps its old name, title and recent list.
    const PreviewCycle::Hold hold(m_window.preview());
    if (!saveGraph(path))
        return false;
    setFileNames(path, path);
    m_window.setWindowTitle(kTitle + u" - "_s + path);
    setFileMenu(true, true, true);
    UpdateRecentFiles();
    return true;
}

void FileCommands::mnuCloseFileClick() {
    m_window.ShowEditor(false);
    m_window.menu().mnuCloseFile->setEnabled(false);
}

} // namespace tivora
