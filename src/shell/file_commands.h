#pragma once

#include "shell/unsaved_changes.h"

#include <QObject>
#include <functional>

class QWidget;

namespace tivora {

class LinkOptionsStore;
class TfrmLumara;

// The "File" menu of the main window: new, open, the recent files, save, save as, close file.
// It keeps the window title, the menu states and the recent-file list in step with the graph,
// and asks before a command would throw away changes that were not saved.
class FileCommands : public QObject {
    Q_OBJECT

public:
    // Shows the new graph dialog; gives the chosen template relative to the program folder
    // ("Data/blank.dat"), or empty text when the user cancels.
    using TemplateChooser = std::function<QString()>;

    explicit FileCommands(TfrmLumara& window);

    // The new graph dialog; "&New" is disabled until there is one.
    void setTemplateChooser(TemplateChooser chooser);
    // The link options file beside series graphs; none until the spreadsheet link is there.
    void setLinkOptionsStore(LinkOptionsStore* store) { m_linkOptions = store; }

    bool OpenGraphFile(const QString& path);
    void UpdateRecentFiles();
    // Opens a file named when the program was started, as Open does.
    void openStartupFile(const QString& path);
    // Asks whether to save changes that were not saved; false when the user cancels (or the save
    // does not succeed), in which case the command that asked must not go on.
    bool confirmDiscardChanges();
    // Writes into the graph what a field or a grid cell holds typed but not yet taken over (its
    // focus left for a menu, or its in-place editor still open). Every command that saves, or
    // replaces the graph, runs it first, as closing the window does. Gives the control that had
    // the focus, if any.
    QWidget* commitPendingEdits();

    void mnuNewClick();
    void Open1Click();
    void mnuRecentClick(int index);
    // Each tells whether the graph was written.
    bool mnuSaveClick();
    bool mnuSaveAsClick();
    void mnuCloseFileClick();

private:
    // Reads the graph at path into the window; failure is the message shown when it cannot.
    bool loadGraph(const QString& path, const QString& failure);
    // Fits every column of the series data and properties grids to its widest cell.
    void fitSeriesGridColumns();
    bool saveGraph(const QString& path);
    void setFileNames(const QString& currentFileName, const QString& lastOpenedFile);
    void setFileMenu(bool save, bool saveAs, bool closeFile);
    void markClean();
    // The window title's marker of unsaved changes, in the desktop's usual form.
    void showModifiedMarker();
    // "Tivora Designer", followed by " - " and suffix when there is one.
    void setTitle(const QString& suffix);

    TfrmLumara& m_window;
    TemplateChooser m_templateChooser;
    LinkOptionsStore* m_linkOptions = nullptr;
    UnsavedChanges m_unsaved;
};

} // namespace tivora
