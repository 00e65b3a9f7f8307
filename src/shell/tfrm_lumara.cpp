#include "shell/tfrm_lumara.h"

#include "document/program_folder.h"
#include "editing/annotation_page.h"
#include "editing/editor_page.h"
#include "editing/effects_page.h"
#include "editing/pie_data_page.h"
#include "editing/pie_effects_page.h"
#include "editing/series_data_page.h"
#include "editing/size_page.h"
#include "editing/type_page.h"
#include "editing/x_axis_page.h"
#include "editing/y_axis_page.h"
#include "excel/widgets/excel_link_tab.h"
#include "shell/file_commands.h"
#include "shell/link_options_file_store.h"
#include "shell/main_menu.h"
#include "shell/preview_cycle.h"
#include "shell/preview_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

constexpr QSize kClientSize(716, 458);

// An editing field writes what was typed into the graph when it is left. Closing the window does
// not move the focus, so the window leaves the field first and the check for unsaved changes sees
// the typed text.
void leaveFocusedField() {
    if (QWidget* field = QApplication::focusWidget())
        field->clearFocus();
}

} // namespace

TfrmLumara::TfrmLumara(QWidget* parent)
    : QMainWindow(parent)
    , pageControl1(new QTabWidget)
    , Panel9(new PreviewPanel)
    , m_menu(new MainMenu(menuBar())) {
    setObjectName(u"frmLumara"_s);
    setWindowTitle(u"Tivora Designer"_s);
    // A single border with the minimise button only: the layout of the pages is fixed.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    pageControl1->setObjectName(u"pageControl1"_s);

    auto* client = new QWidget;
    client->setFixedSize(kClientSize);
    auto* layout = new QHBoxLayout(client);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pageControl1, 1);
    layout->addWidget(Panel9);
    setCentralWidget(client);
    layout->activate();
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_preview = std::make_unique<PreviewCycle>(m_model, *Panel9->ShockwaveFlash1);
    m_fileCommands = std::make_unique<FileCommands>(*this);
    // The pages go in before the page control is wired to the preview, so that adding them
    // refreshes nothing.
    addEditorPage(new TypePage(m_model));
    addEditorPage(new SeriesDataPage(m_model));
    addEditorPage(new XAxisPage(m_model));
    addEditorPage(new YAxisPage(m_model));
    addEditorPage(new PieDataPage(m_model));
    addEditorPage(new SizePage(m_model));
    addEditorPage(new PieEffectsPage(m_model));
    addEditorPage(new EffectsPage(m_model));
    addEditorPage(new AnnotationPage(m_model));
    m_fileCommands->setLinkOptionsStore(
        new LinkOptionsFileStore(*findChild<ExcelLinkTab*>(), this));
    connectCommands();
}

TfrmLumara::~TfrmLumara() = default;

void TfrmLumara::connectCommands() {
    FileCommands* commands = m_fileCommands.get();
    connect(m_menu->mnuNew, &QAction::triggered, commands, &FileCommands::mnuNewClick);
    connect(m_menu->Open1, &QAction::triggered, commands, &FileCommands::Open1Click);
    connect(m_menu->mnuSave, &QAction::triggered, commands, &FileCommands::mnuSaveClick);
    connect(m_menu->mnuSaveAs, &QAction::triggered, commands, &FileCommands::mnuSaveAsClick);
    connect(m_menu->mnuCloseFile, &QAction::triggered, commands, &FileCommands::mnuCloseFileClick);
    connect(m_menu->Exit1, &QAction::triggered, this, &QWidget::close);
    for (int index = 0; index < int(m_menu->mnuRecent.size()); ++index) {
        connect(m_menu->mnuRecent[std::size_t(index)], &QAction::triggered, commands,
                [commands, index] { commands->mnuRecentClick(index); });
    }
    connect(Panel9->btnRefresh, &QPushButton::clicked, m_preview.get(),
            &PreviewCycle::RefreshPreview);
    connect(pageControl1, &QTabWidget::currentChanged, m_preview.get(),
            &PreviewCycle::RefreshPreview);
}

void TfrmLumara::addEditorPage(EditorPage* page) {
    pageControl1->addTab(page, page->caption());
}

void TfrmLumara::ShowEditor(bool shown) {
    pageControl1->setVisible(shown);
    Panel9->setVisible(shown);
}

void TfrmLumara::showPagesFor(const QString& baseType) {
    for (int index = 0; index < pageControl1->count(); ++index) {
        const auto* page = static_cast<EditorPage*>(pageControl1->widget(index));
        pageControl1->setTabVisible(index, page->shownFor(baseType));
    }
}

void TfrmLumara::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmLumara::FormShow() {
    m_menu->showRecentFiles(m_settings.recentFiles());
    if (m_settings.skin().trimmed().isEmpty())
        m_settings.setSkin(programFolder() + u"Default.skn"_s);
    ShowEditor(false);
    if (pageControl1->count() > 0)
        pageControl1->setCurrentIndex(0);
}

void TfrmLumara::closeEvent(QCloseEvent* event) {
    leaveFocusedField();
    if (m_fileCommands->confirmDiscardChanges())
        event->accept();
    else
        event->ignore();
}

} // namespace tivora
