#pragma once

#include "controls/skins/skin.h"
#include "document/graph_document_model.h"
#include "shell/designer_settings.h"

#include <QMainWindow>
#include <memory>

class QTabWidget;

namespace tivora {

class EditCommands;
class EditorPage;
class FileCommands;
class MainMenu;
class PreviewCycle;
class PreviewPanel;
class SeriesDataPage;
class TfrmAbout;
class TfrmPreview;
class StartScreen;
class TfrmTutorial;

// The main window: the one open graph, the editing pages on the left, the live preview on the
// right, and the menu bar. It can be resized and maximised; the preview then grows in the stage's
// shape and the pages take the room left. It composes its parts and wires them; the file commands,
// the preview cycle and each editing page are classes of their own.
class TfrmLumara : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmLumara(QWidget* parent = nullptr);
    ~TfrmLumara() override;

    GraphDocumentModel& model() { return m_model; }
    DesignerSettings& settings() { return m_settings; }
    MainMenu& menu() { return *m_menu; }
    PreviewCycle& preview() { return *m_preview; }
    FileCommands& fileCommands() { return *m_fileCommands; }

    QTabWidget* pageControl1;
    PreviewPanel* Panel9;
    TfrmPreview* frmPreview;
    TfrmAbout* frmAbout;
    // Shown instead of the pages and the preview while no graph is open.
    StartScreen* startScreen;
    TfrmTutorial* frmTutorial;

    // Adds an editing page; it is shown for the base types it names.
    void addEditorPage(EditorPage* page);
    // Shows or hides the editing pages and the preview together.
    void ShowEditor(bool shown);
    // Shows the editing pages that belong to baseType and hides the others.
    void showPagesFor(const QString& baseType);
    // Shows the data grid's sheet of the series data page.
    void showDataSheet();
    // Sets the window title; the marker of unsaved changes goes with it (setWindowModified).
    void setTitle(const QString& title);
    // The window title without the marker's placeholder.
    QString title() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void noteSkinNotLoaded(const QString& reason);
    void connectCommands();
    void buildClient();
    void restoreWindowSize();
    void storeWindowSize();
    // Puts the preview's buttons after the last control of the pages in the tab order.
    void keepPreviewLastInTabOrder();
    void mnuPublishClick();
    void ChangeSkin1Click();

    GraphDocumentModel m_model;
    DesignerSettings m_settings;
    MainMenu* m_menu;
    std::unique_ptr<PreviewCycle> m_preview;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<EditCommands> m_editCommands;
    SeriesDataPage* m_seriesData;
    // The skin of every window of the program; the last member, so that it takes its style sheet
    // away while the window's parts are still whole.
    Skin m_skin;
    bool m_shown = false;
};

} // namespace tivora
