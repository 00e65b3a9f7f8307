#include "shell/file_commands.h"

#include "controls/dialogs.h"
#include "controls/grids/string_align_grid.h"
#include "controls/last_folder.h"
#include "document/graph_text_reader.h"
#include "document/program_folder.h"
#include "document/regular_file.h"
#include "excel/link_options_store.h"
#include "shell/error_detail.h"
#include "shell/focus_return.h"
#include "shell/main_menu.h"
#include "shell/preview_cycle.h"
#include "shell/recent_files.h"
#include "shell/tfrm_lumara.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// Graph files carry ".TVX" in any letter case.
const QString kGraphFilter = u"Tivora files (*.TVX)"_s;
const QString kTitle = u"Tivora Designer"_s;
const QString kFileIoError = u"File I/O error."_s;
const QString kLoadError = u"Error loading details from file"_s;
const QString kTemplateError = u"File Corrupt or error loading details from file"_s;

// Why a file could not be written at path at all, or nothing when it can: its folder must exist,
// and the file or, for a new file, the folder must be writable.
std::optional<QString> writeProblem(const QString& path) {
    const QFileInfo target(path);
    if (target.exists()) {
        if (!target.isFile())
            return u"It is not a file."_s;
        if (!target.isWritable())
            return u"The file is read-only."_s;
        return std::nullopt;
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return u"The folder does not exist."_s;
    if (!folder.isWritable())
        return u"The folder cannot be written."_s;
    return std::nullopt;
}

} // namespace

FileCommands::FileCommands(TfrmLumara& window)
    : m_window(window) {
    m_window.menu().mnuNew->setEnabled(false);
    connect(&m_window.model(), &GraphDocumentModel::changed, this,
            &FileCommands::showModifiedMarker);
}

QWidget* FileCommands::commitPendingEdits() {
    // Fields write what was typed into the graph when they are left, and a grid's in-place
    // editor when it closes. A menu or a shortcut leaves the focus where it is, so the field is
    // left here; the grid's editor closes with it.
    QWidget* field = QApplication::focusWidget();
    if (field)
        field->clearFocus();
    return field;
}

void FileCommands::showModifiedMarker() {
    m_window.setWindowModified(m_unsaved.hasChanges(m_window.model().document()));
}

void FileCommands::setTitle(const QString& suffix) {
    m_window.setTitle(suffix.isEmpty() ? kTitle : kTitle + u" - "_s + suffix);
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
    // Only one of the two Ctrl+S actions is ever enabled, so the key is never ambiguous.
    menu.untitledSave->setEnabled(saveAs && !save);
    menu.mnuCloseFile->setEnabled(closeFile);
}

void FileCommands::markClean() {
    m_unsaved.markClean(m_window.model().document());
    showModifiedMarker();
}

bool FileCommands::OpenGraphFile(const QString& path) {
    // A folder, pipe or device is refused here, before anything waits on it.
    if (const auto reason = checkInputFile(path)) {
        appDialogs().showError(kFileIoError, errorDetail(path, *reason));
        return false;
    }
    return loadGraph(path, kLoadError);
}

bool FileCommands::loadGraph(const QString& path, const QString& failure) {
    // The command refreshes the preview once, when the graph is in place.
    const PreviewCycle::Hold hold(m_window.preview());
    // Everything is read before anything changes: a graph or link options file that cannot be
    // read leaves the open graph, its title, file name, menus and pages as they were, so that a
    // later Save cannot write the old graph over the unreadable file (or into a template).
    GraphDocument loaded = m_window.model().document();
    if (const GraphReadResult result = ReadGraphFile(loaded, path); !result) {
        appDialogs().showError(failure, errorDetail(path, result.error));
        return false;
    }
    std::function<void()> showLinkOptions;
    if (m_linkOptions && loaded.graphType != u"pie"_s) {
        auto read = m_linkOptions->readBeside(path);
        if (const auto* error = std::get_if<QString>(&read)) {
            appDialogs().showError(failure, errorDetail(path, *error));
            return false;
        }
        showLinkOptions = std::get<std::function<void()>>(std::move(read));
    }
    loaded.currentFileName = path;
    loaded.lastOpenedFile = path;
    m_window.model().load(std::move(loaded));
    if (showLinkOptions)
        showLinkOptions();
    setTitle(QFileInfo(path).fileName());
    setFileMenu(true, true, true);
    m_window.ShowEditor(true);
    m_window.preview().RefreshPreview();
    m_window.showPagesFor(m_window.model().document().baseType);
    // A graph opens on its data grid, even when ticking its link box showed the link's sheet.
    m_window.showDataSheet();
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
    commitPendingEdits();
    if (OpenGraphFile(QFileInfo(path).absoluteFilePath()))
        UpdateRecentFiles();
}

bool FileCommands::confirmDiscardChanges() {
    commitPendingEdits();
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
    // Templates lie in the program's own folder, whatever the current folder is.
    const QString path = programFolder() + QString(templateFile).replace(u'\\', u'/');
    // A template that is missing or cannot be read leaves the open graph as it was.
    if (!QFileInfo(path).isFile()) {
        appDialogs().showError(kTemplateError, path);
        return;
    }
    if (!loadGraph(path, kTemplateError))
        return;
    setFileNames(QString(), m_window.model().document().lastOpenedFile);
    setTitle(u"New File"_s);
    setFileMenu(false, true, true);
    fitSeriesGridColumns();
    markClean();
}

void FileCommands::fitSeriesGridColumns() {
    for (const QString& name : {u"sgrdProp"_s, u"sgrdData"_s}) {
        if (auto* grid = m_window.findChild<TStringAlignGrid*>(name)) {
            for (int column = 0; column < grid->grid().columnCount(); ++column)
                grid->fitColumn(column);
        }
    }
}

void FileCommands::Open1Click() {
    if (!confirmDiscardChanges())
        return;
    const QString path =
        appDialogs().openFileName(u"Open File"_s, kGraphFilter, lastFolder(FileKind::Graph));
    rememberFolder(FileKind::Graph, path);
    if (!path.isEmpty() && OpenGraphFile(path))
        UpdateRecentFiles();
}

void FileCommands::mnuRecentClick(int index) {
    const QString path = m_window.menu().recentFiles().value(index);
    if (!path.trimmed().isEmpty() && confirmDiscardChanges())
        OpenGraphFile(path);
}

bool FileCommands::saveGraph(const QString& path) {
    if (const auto problem = writeProblem(path)) {
        appDialogs().showError(kFileIoError, errorDetail(path, *problem));
        return false;
    }
    if (m_linkOptions) {
        if (const auto error = m_linkOptions->writeBeside(path))
            appDialogs().showError(*error, errorDetail(path, QString()));
    }
    const PreviewCycle::Hold hold(m_window.preview());
    const GraphWriteResult result = m_window.model().write(path);
    if (result.status == GraphWriteResult::Status::Incomplete)
        appDialogs().showMessage(result.message + u"\nThe graph was not saved."_s);
    else if (result.status == GraphWriteResult::Status::Failed)
        appDialogs().showError(result.message, errorDetail(path, result.detail));
    else
        markClean();
    m_window.preview().RefreshPreview();
    return result.written();
}

bool FileCommands::mnuSaveClick() {
    const FocusReturn focusReturn(commitPendingEdits());
    return saveGraph(m_window.model().document().currentFileName);
}

bool FileCommands::mnuSaveAsClick() {
    const FocusReturn focusReturn(commitPendingEdits());
    const QString path = appDialogs().saveFileName(u"Save As"_s, kGraphFilter, u"TVX"_s,
                                                   lastFolder(FileKind::Graph));
    if (path.isEmpty())
        return false;
    rememberFolder(FileKind::Graph, path);
    if (QFileInfo::exists(path) &&
        !appDialogs().askYesNo(u"The file "_s + path + u" exists.  Do you want to overwrite it?"_s))
        return false;
    // The graph takes the new name only once it is written there: a graph that could not be
    // saved keeps its old name, title and recent list.
    const PreviewCycle::Hold hold(m_window.preview());
    if (!saveGraph(path))
        return false;
    setFileNames(path, path);
    setTitle(path);
    setFileMenu(true, true, true);
    UpdateRecentFiles();
    return true;
}

void FileCommands::mnuCloseFileClick() {
    m_window.model().clearHistory();
    m_window.ShowEditor(false);
    m_window.menu().mnuCloseFile->setEnabled(false);
}

} // namespace tivora
