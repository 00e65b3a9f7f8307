#include "shell/tfrm_lumara.h"

#include "controls/dialogs.h"
#include "controls/keys/shown_tab_keys.h"
#include "controls/skins/skin_choice.h"
#include "controls/splash.h"
#include "document/printable_text.h"
#include "document/program_folder.h"
#include "editing/annotation_page.h"
#include "editing/editor_page.h"
#include "editing/effects_page.h"
#include "editing/pie_data_page.h"
#include "editing/pie_effects_page.h"
#include "editing/series_data_page.h"
#include "editing/size_page.h"
#include "editing/tdlg_add_graph.h"
#include "editing/type_page.h"
#include "editing/x_axis_page.h"
#include "editing/y_axis_page.h"
#include "excel/widgets/excel_link_tab.h"
#include "excel/widgets/link_options_file_store.h"
#include "publish/wizard/tfrm_publish.h"
#include "shell/compact_tab_style.h"
#include "shell/edit_commands.h"
#include "shell/file_commands.h"
#include "shell/link_options_live_reload.h"
#include "shell/main_menu.h"
#include "shell/preview_cycle.h"
#include "shell/preview_panel.h"
#include "shell/start_screen.h"
#include "shell/wheel_guard.h"
#include "windows/help_pages.h"
#include "windows/tfrm_about.h"
#include "windows/tfrm_preview.h"
#include "windows/tfrm_tutorial.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

constexpr QSize kClientSize(716, 458);
const QString kPlaceholder = u"[*]"_s;

} // namespace

TfrmLumara::TfrmLumara(QWidget* parent)
    : QMainWindow(parent)
    , pageControl1(new QTabWidget)
    , Panel9(new PreviewPanel)
    , m_menu(new MainMenu(menuBar())) {
    installSkin(&m_skin);
    setObjectName(u"frmLumara"_s);
    // The pages of the other kind of graph are hidden, and the keyboard passes over them.
    new ShownTabKeys(pageControl1);
    setTitle(u"Tivora Designer"_s);
    startScreen = new StartScreen(m_menu->mnuNew, m_menu->Open1);
    buildClient();
    restoreWindowSize();

    m_preview = std::make_unique<PreviewCycle>(m_model, *Panel9->ShockwaveFlash1);
    // The auxiliary windows are made once, in the order the program always made them.
    frmPreview = new TfrmPreview(m_model, *Panel9->ShockwaveFlash1, this);
    frmTutorial = new TfrmTutorial(this);
    frmAbout = new TfrmAbout(this);
    m_fileCommands = std::make_unique<FileCommands>(*this);
    // The pages go in before the page control is wired to the preview, so that adding them
    // refreshes nothing.
    addEditorPage(new TypePage(m_model));
    m_seriesData = new SeriesDataPage(m_model);
    addEditorPage(m_seriesData);
    addEditorPage(new XAxisPage(m_model));
    addEditorPage(new YAxisPage(m_model));
    addEditorPage(new PieDataPage(m_model));
    addEditorPage(new SizePage(m_model));
    addEditorPage(new PieEffectsPage(m_model));
    addEditorPage(new EffectsPage(m_model));
    addEditorPage(new AnnotationPage(m_model));
    auto* dlgAddGraph = new TdlgAddGraph(this);
    m_fileCommands->setTemplateChooser([dlgAddGraph] { return dlgAddGraph->chooseTemplate(); });
    m_fileCommands->setLinkOptionsStore(
        new LinkOptionsFileStore(*findChild<ExcelLinkTab*>(), this));
    bindLiveReload(*findChild<ExcelLinkTab*>(), m_settings, *this);
    connectCommands();
    QApplication::instance()->installEventFilter(new WheelGuard(this));
    m_editCommands = std::make_unique<EditCommands>(*this);
    // Hidden until a graph is there (the show handling hides them too): hidden already, the
    // pages and the preview are not laid out and shown by the first show only to be hidden.
    pageControl1->hide();
    Panel9->hide();
}

void TfrmLumara::buildClient() {
    pageControl1->setObjectName(u"pageControl1"_s);
    auto* tabStyle = new CompactTabStyle;
    tabStyle->setParent(pageControl1);
    pageControl1->tabBar()->setStyle(tabStyle);
    // Every page's tab stays in sight: the page control is never narrower than its tabs.
    pageControl1->setUsesScrollButtons(false);
    pageControl1->setElideMode(Qt::ElideNone);

    auto* client = new QWidget;
    client->setMinimumSize(kClientSize);
    auto* layout = new QHBoxLayout(client);
    layout->setContentsMargins(4, 4, 4, 4);
    // Room beyond the first size goes to the pages and the preview two to three: enough for the
    // grids to show more columns, and for the preview's text to become readable.
    layout->addWidget(startScreen, 1);
    layout->addWidget(pageControl1, 2);
    layout->addWidget(Panel9, 3);
    setCentralWidget(client);
}

void TfrmLumara::restoreWindowSize() {
    resize(kClientSize + QSize(0, menuBar()->sizeHint().height()));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (const auto size = m_settings.windowSize()) {
        // A stored size is only a wish: one larger than the screen (a settings file edited by
        // hand, or from a larger display) would cost gigabytes of window buffers and freeze.
        QSize restored = size->expandedTo(minimumSizeHint());
        if (screen)
            restored = restored.boundedTo(screen->availableGeometry().size());
        resize(restored);
    }
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    if (m_settings.windowMaximized())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmLumara::storeWindowSize() {
    // A maximised window keeps the size it had before, for the next time it is restored.
    const QSize normal = isMaximized() ? normalGeometry().size() : size();
    m_settings.setWindowState(normal.isValid() ? normal : m_settings.windowSize().value_or(size()),
                              isMaximized());
}

void TfrmLumara::setTitle(const QString& title) {
    setWindowTitle(title + kPlaceholder);
}

QString TfrmLumara::title() const {
    return QString(windowTitle()).remove(kPlaceholder);
}

TfrmLumara::~TfrmLumara() {
    installSkin(nullptr);
}

void TfrmLumara::connectCommands() {
    FileCommands* commands = m_fileCommands.get();
    connect(m_menu->mnuNew, &QAction::triggered, commands, &FileCommands::mnuNewClick);
    connect(m_menu->Open1, &QAction::triggered, commands, &FileCommands::Open1Click);
    connect(m_menu->mnuSave, &QAction::triggered, commands, &FileCommands::mnuSaveClick);
    connect(m_menu->mnuSaveAs, &QAction::triggered, commands, &FileCommands::mnuSaveAsClick);
    addAction(m_menu->untitledSave);
    connect(m_menu->untitledSave, &QAction::triggered, commands, &FileCommands::mnuSaveAsClick);
    connect(m_menu->mnuCloseFile, &QAction::triggered, commands, &FileCommands::mnuCloseFileClick);
    connect(m_menu->Exit1, &QAction::triggered, this, &QWidget::close);
    connect(m_menu->mnuPublish, &QAction::triggered, this, &TfrmLumara::mnuPublishClick);
    connect(m_menu->mnuChangeSkin, &QAction::triggered, this, &TfrmLumara::ChangeSkin1Click);
    for (int index = 0; index < int(m_menu->mnuRecent.size()); ++index) {
        connect(m_menu->mnuRecent[std::size_t(index)], &QAction::triggered, commands,
                [commands, index] { commands->mnuRecentClick(index); });
    }
    connect(Panel9->btnRefresh, &QPushButton::clicked, m_preview.get(),
            &PreviewCycle::btnRefreshClick);
    connect(startScreen, &StartScreen::recentChosen, commands, &FileCommands::mnuRecentClick);
    connect(pageControl1, &QTabWidget::currentChanged, m_preview.get(),
            &PreviewCycle::RefreshPreview);
    connect(Panel9->btnPreview, &QPushButton::clicked, frmPreview, &TfrmPreview::showPreview);
    connect(m_preview.get(), &PreviewCycle::previewReloaded, frmPreview,
            &TfrmPreview::followMainPreview);
    connect(frmPreview, &TfrmPreview::refreshMainPreview, m_preview.get(),
            &PreviewCycle::RefreshPreview);
    connect(m_menu->mnuAbout, &QAction::triggered, frmAbout, &QDialog::exec);
    connect(m_menu->mnuHelp, &QAction::triggered, this, [this] { HelpPages::open(*this); });
}

// A new wizard for every use: nothing of one publish carries over to the next but the files.
void TfrmLumara::mnuPublishClick() {
    publish::TfrmPublish wizard(frmTutorial, this);
    wizard.exec();
}

// The new skin is stored only: the windows keep the skin they have until the next start.
void TfrmLumara::ChangeSkin1Click() {
    if (const std::optional<QString> path = chooseSkinFile(programFolder())) {
        m_settings.setSkin(*path);
        appDialogs().showMessage(QString::fromUtf16(kSkinRestartMessage));
    }
}

void TfrmLumara::addEditorPage(EditorPage* page) {
    pageControl1->addTab(page, page->caption());
    keepPreviewLastInTabOrder();
}

void TfrmLumara::keepPreviewLastInTabOrder() {
    QWidget* lastOfPages = pageControl1;
    for (QWidget* next = nextInFocusChain(); next != this; next = next->nextInFocusChain()) {
        if (pageControl1->isAncestorOf(next))
            lastOfPages = next;
    }
    setTabOrder(lastOfPages, Panel9->btnRefresh);
    setTabOrder(Panel9->btnRefresh, Panel9->btnPreview);
}

void TfrmLumara::ShowEditor(bool shown) {
    pageControl1->setVisible(shown);
    Panel9->setVisible(shown);
    if (shown)
        m_skin.applyElement(*pageControl1, u"Tabs"_s);
    else
        startScreen->showRecentFiles(m_menu->recentFiles());
    startScreen->setVisible(!shown);
}

void TfrmLumara::showPagesFor(const QString& baseType) {
    for (int index = 0; index < pageControl1->count(); ++index) {
        const auto* page = static_cast<EditorPage*>(pageControl1->widget(index));
        pageControl1->setTabVisible(index, page->shownFor(baseType));
    }
}

void TfrmLumara::showDataSheet() {
    m_seriesData->PageControl3->setCurrentWidget(m_seriesData->TabSheet1);
}

void TfrmLumara::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmLumara::FormShow() {
    showDataSheet();
    endSplash();
    m_menu->showRecentFiles(m_settings.recentFiles());
    if (m_settings.skin().trimmed().isEmpty())
        m_settings.setSkin(programFolder() + u"Default.skn"_s);
    // Bound before the skin is installed, the window is styled once, by the installing.
    m_skin.skinWindow(*this, allSkinKindsBut(SkinKind::Panel),
                      {{startScreen, u"Logo"_s}, {Panel9, u"PreviewFrame"_s}});
    if (QString reason; !m_skin.load(m_settings.skin(), &reason))
        noteSkinNotLoaded(reason);
    ShowEditor(false);
    if (pageControl1->count() > 0)
        pageControl1->setCurrentIndex(0);
    // Said once the window is on the screen, so that the user sees what the messages are about.
    for (const std::optional<QString>& problem : {m_settings.problem(), programFolderProblem()}) {
        if (problem) {
            QTimer::singleShot(0, this,
                               [text = *problem] { appDialogs().showError(printableText(text)); });
        }
    }
}

// A skin that cannot be loaded stops nothing: the windows keep the plain look, and the status bar
// (and the terminal, for a designer started from one) says why, without a message to dismiss.
void TfrmLumara::noteSkinNotLoaded(const QString& reason) {
    const QString text = printableText(QString(u"The plain look is used: "_s + reason));
    qWarning().noquote() << text;
    statusBar()->showMessage(text);
}

void TfrmLumara::closeEvent(QCloseEvent* event) {
    if (!m_fileCommands->confirmDiscardChanges()) {
        event->ignore();
        return;
    }
    storeWindowSize();
    event->accept();
}

} // namespace tivora
