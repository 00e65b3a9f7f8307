#include "publish/wizard/tfrm_publish.h"

#include "controls/dialogs.h"
#include "controls/folder_browser.h"
#include "controls/last_folder.h"
#include "controls/movie_player.h"
#include "controls/skins/skin.h"
#include "document/program_folder.h"
#include "publish/project_file.h"
#include "publish/review_text.h"
#include "publish/wizard/publish_job.h"
#include "publish/wizard/wizard_pages.h"
#include "windows/tfrm_tutorial.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

constexpr QSize kClientSize(606, 398);
constexpr int kSidePlayerWidth = 120;
const QString kNext = u"&Next"_s;
const QString kSave = u"&Save"_s;
const QString kFinish = u"&Finish"_s;
const QString kClose = u"&Close"_s;

QString dataFolder() {
    return programDataPath(QString());
}

} // namespace

TfrmPublish::TfrmPublish(TfrmTutorial* tutorial, QWidget* parent)
    : QDialog(parent)
    , PageControl1(new QStackedWidget)
    , ShockwaveFlash1(new MoviePlayer)
    , btnCancel(new QPushButton(u"&Cancel"_s))
    , btnPrevious(new QPushButton(u"&Previous"_s))
    , btnNext(new QPushButton(kNext))
    , m_tutorial(tutorial)
    , m_job(new PublishJob(this)) {
    setObjectName(u"frmPublish"_s);
    setWindowTitle(u"Publish Files"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientSize);
    PageControl1->setObjectName(u"PageControl1"_s);
    ShockwaveFlash1->setObjectName(u"ShockwaveFlash1"_s);
    ShockwaveFlash1->setFixedWidth(kSidePlayerWidth);
    btnCancel->setObjectName(u"btnCancel"_s);
    btnPrevious->setObjectName(u"btnPrevious"_s);
    btnNext->setObjectName(u"btnNext"_s);
    btnNext->setDefault(true);
    for (QWidget* page : {buildProjectPage(*this), buildExportPage(*this), buildFilesPage(*this),
                          buildOptionsPage(*this), buildReviewPage(*this), buildResultPage(*this)})
        PageControl1->addWidget(page);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnPrevious);
    buttons->addWidget(btnNext);
    auto* right = new QVBoxLayout;
    right->addWidget(PageControl1, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ShockwaveFlash1);
    layout->addLayout(right, 1);
    setButtons(false, false);

    connect(btnQuickPub, &QPushButton::clicked, this, &TfrmPublish::btnQuickPubClick);
    connect(btnNew, &QPushButton::clicked, this, &TfrmPublish::btnNewClick);
    connect(lstProjects, &QListWidget::itemSelectionChanged, this, &TfrmPublish::lstProjectsClick);
    connect(btnEditProject, &QPushButton::clicked, this, &TfrmPublish::btnEditProjectClick);
    connect(btnRunProject, &QPushButton::clicked, this, &TfrmPublish::btnRunProjectClick);
    connect(btnDeleteProject, &QPushButton::clicked, this, &TfrmPublish::btnDeleteProjectClick);
    connect(btnNext, &QPushButton::clicked, this, &TfrmPublish::btnNextClick);
    connect(btnPrevious, &QPushButton::clicked, this, &TfrmPublish::btnPreviousClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmPublish::btnCancelClick);
    connect(cbExportTo, &QComboBox::currentIndexChanged, this, &TfrmPublish::cbExportToChange);
    connect(btnAddGraph, &QPushButton::clicked, this, &TfrmPublish::btnAddGraphClick);
    connect(btnRemove, &QPushButton::clicked, this, &TfrmPublish::btnRemoveClick);
    connect(btnSaveAs, &QPushButton::clicked, this, &TfrmPublish::btnSaveAsClick);
    connect(m_job, &PublishJob::lineLogged, Memo3, &QPlainTextEdit::appendPlainText);
    connect(m_job, &PublishJob::progressed, this, [this](int done, int count) {
        prgPublish->setMaximum(count);
        prgPublish->setValue(done);
    });
    connect(m_job, &PublishJob::finished, this, &TfrmPublish::runFinished);
}

// A tutorial left open stays with the window it came from.
TfrmPublish::~TfrmPublish() {
    QWindow* tutorialWindow = m_tutorial ? m_tutorial->windowHandle() : nullptr;
    if (tutorialWindow && tutorialWindow->transientParent() == windowHandle()) {
        const QWidget* owner = m_tutorial->parentWidget();
        tutorialWindow->setTransientParent(owner ? owner->window()->windowHandle() : nullptr);
    }
}

void TfrmPublish::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmPublish::FormShow() {
    appSkin().skinWindow(*this, kAllSkinKinds);
    cbExportTo->setCurrentIndex(int(ExportKind::Internet));
    cbExportToChange();
    goToPage(ProjectPage);
    btnPrevious->hide();
    ShockwaveFlash1->Stop();
    ShockwaveFlash1->setMovie(programDataPath(u"package.swf"_s));
    ShockwaveFlash1->Play();
    ListProjects();
}

// A window that is closed while it publishes stops after the graph in hand.
void TfrmPublish::reject() {
    m_job->cancel();
    m_job->wait();
    QDialog::reject();
}

PublishChoices TfrmPublish::choices() const {
    PublishChoices choices;
    choices.exportKind = ExportKind(cbExportTo->currentIndex());
    choices.excelLink = chkExcelLink->isChecked();
    choices.saveDirectory = edtSaveDirectory->text();
    for (int row = 0; row < lstGraphs->count(); ++row)
        choices.graphs.append(lstGraphs->item(row)->text());
    choices.engine = rdoEngine->isChecked();
    choices.flaFile = chkFlaFile->isChecked();
    choices.htmlFile = chkHTMLFile->isChecked();
    choices.embed = rdoEmbed->isChecked();
    choices.projectName = m_projectName;
    return choices;
}

void TfrmPublish::setChoices(const PublishChoices& choices) {
    cbExportTo->setCurrentIndex(int(choices.exportKind));
    chkExcelLink->setChecked(choices.excelLink);
    edtSaveDirectory->setText(choices.saveDirectory);
    lstGraphs->clear();
    lstGraphs->addItems(choices.graphs);
    (choices.engine ? rdoEngine : rdoStandalone)->setChecked(true);
    chkFlaFile->setChecked(choices.flaFile);
    chkHTMLFile->setChecked(choices.htmlFile);
    (choices.embed ? rdoEmbed : rdoPopup)->setChecked(true);
    m_projectName = choices.projectName;
}

void TfrmPublish::reset() {
    setChoices(PublishChoices());
}

void TfrmPublish::ListProjects() {
    lstProjects->clear();
    lstProjects->addItems(publish::ListProjects(dataFolder()));
    lstProjectsClick();
}

bool TfrmPublish::isPublishing() const {
    return m_job->isRunning();
}

void TfrmPublish::goToPage(Page page) {
    PageControl1->setCurrentIndex(page);
}

TfrmPublish::Page TfrmPublish::currentPage() const {
    return Page(PageControl1->currentIndex());
}

// Every way into the export page starts with the plain forward step: a caption left over from a
// cancelled run or save would otherwise save or publish from the files page, unreviewed.
void TfrmPublish::showNextStep() {
    btnNext->setText(kNext);
    btnNext->show();
}

void TfrmPublish::setButtons(bool previousShown, bool nextShown) {
    btnPrevious->setVisible(previousShown);
    btnNext->setVisible(nextShown);
}

QString TfrmPublish::selectedProject() const {
    const QListWidgetItem* item = lstProjects->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

bool TfrmPublish::LoadProject(const QString& name) {
    const ProjectLoad load = publish::LoadProject(listedProjectPath(dataFolder(), name));
    if (!load.choices) {
        appDialogs().showError(load.error);
        return false;
    }
    setChoices(*load.choices);
    return true;
}

void TfrmPublish::btnQuickPubClick() {
    reset();
    publishMode = PublishMode::CreateFiles;
    goToPage(ExportPage);
    lblProjectName->hide();
    edtProjectName->hide();
    showNextStep();
}

void TfrmPublish::btnNewClick() {
    reset();
    edtProjectName->clear();
    publishMode = PublishMode::SaveProject;
    goToPage(ExportPage);
    btnPrevious->hide();
    lblProjectName->show();
    edtProjectName->show();
    showNextStep();
    edtProjectName->setFocus();
}

// A project's own buttons work on the selected project, so they wait for one.
void TfrmPublish::lstProjectsClick() {
    const bool selected = !selectedProject().isEmpty();
    for (QPushButton* button : {btnEditProject, btnDeleteProject, btnRunProject})
        button->setEnabled(selected);
}

// Editing without a selected project (the list was refilled) does nothing: there is nothing to
// edit, and saving reset choices under an empty name would write a nameless project.
void TfrmPublish::btnEditProjectClick() {
    const QString name = selectedProject();
    if (name.isEmpty())
        return;
    reset();
    publishMode = PublishMode::SaveProject;
    goToPage(ExportPage);
    btnPrevious->hide();
    lblProjectName->hide();
    edtProjectName->hide();
    edtProjectName->setText(name);
    showNextStep();
    if (LoadProject(name)) {
        goToPage(ExportPage);
        cbExportToChange();
        publishMode = PublishMode::SaveProject;
    }
}

void TfrmPublish::btnRunProjectClick() {
    const QString name = selectedProject();
    if (name.isEmpty() || !LoadProject(name))
        return;
    goToPage(OptionsPage);
    publishMode = PublishMode::CreateFiles;
    btnNext->show();
    btnNextClick();
}

void TfrmPublish::btnDeleteProjectClick() {
    const QString name = selectedProject();
    if (name.isEmpty())
        return;
    if (const auto error = deleteProject(listedProjectPath(dataFolder(), name)))
        appDialogs().showError(*error);
    ListProjects();
}

bool TfrmPublish::acceptProjectName() {
    const QString name = edtProjectName->text();
    QString message;
    if (name.trimmed().isEmpty())
        message = u"Please enter a project Name"_s;
    else if (!lstProjects->findItems(name, Qt::MatchExactly).isEmpty())
        message = u"That name has been used please enter a different project Name"_s;
    else if (const auto problem = projectNameProblem(name))
        message = *problem;
    if (message.isEmpty())
        return true;
    appDialogs().showError(message);
    edtProjectName->setFocus();
    return false;
}

// The save folder is checked before anything is written, for a run; a project only keeps the
// folder, which its run checks in turn.
bool TfrmPublish::acceptFiles() {
    if (lstGraphs->count() == 0) {
        appDialogs().showError(u"You must select at least one graph to include."_s);
        return false;
    }
    const QString folder = edtSaveDirectory->text();
    const auto problem =
        publishMode == PublishMode::SaveProject
            ? (folder.trimmed().isEmpty() ? saveFolderProblem(folder) : std::nullopt)
            : saveFolderProblem(folder);
    if (problem) {
        appDialogs().showError(*problem);
        edtSaveDirectory->setFocus();
        return false;
    }
    return true;
}

void TfrmPublish::btnNextClick() {
    if (currentPage() == ProjectPage) {
        goToPage(ExportPage);
        setButtons(false, true);
    }
    if (currentPage() == OptionsPage) {
        goToPage(ReviewPage);
    } else if (currentPage() == ExportPage) {
        if (publishMode == PublishMode::SaveProject && edtProjectName->isVisible() &&
            !acceptProjectName())
            return;
        goToPage(FilesPage);
        setButtons(true, true);
        return;
    }
    if (btnNext->text() == kClose) {
        if (currentPage() == ProjectPage) {
            accept();
            return;
        }
        goToPage(ProjectPage);
        btnNext->setText(kNext);
        btnNext->hide();
    }
    if (currentPage() == FilesPage) {
        if (!acceptFiles())
            return;
        const ExportKind kind = ExportKind(cbExportTo->currentIndex());
        goToPage(kind == ExportKind::PowerPoint ? ReviewPage : OptionsPage);
        pnlInternet->setVisible(kind == ExportKind::Internet);
        pnlSWF->setVisible(kind == ExportKind::FlashProject);
    }
    if (btnNext->text() == kSave) {
        saveProject();
        return;
    }
    if (btnNext->text() == kFinish) {
        GeneratePublishFiles();
        return;
    }
    if (currentPage() == ReviewPage)
        showReview();
}

void TfrmPublish::saveProject() {
    const PublishChoices current = choices();
    const QString name = edtProjectName->text();
    const QString path = listedProjectPath(dataFolder(), name);
    auto error = projectChoicesProblem(current);
    if (!error)
        error = SaveProject(path, current);
    if (error) {
        appDialogs().showError(*error);
        return;
    }
    btnNext->hide();
    btnNext->setText(kNext);
    btnPrevious->hide();
    ListProjects();
    goToPage(ProjectPage);
    // A project just made is most often wanted at once.
    const bool madeNow = !edtProjectName->isHidden();
    if (!madeNow || !appDialogs().askYesNo(u"Publish the files now?"_s))
        return;
    const auto saved = lstProjects->findItems(name, Qt::MatchExactly);
    if (saved.isEmpty())
        return;
    lstProjects->setCurrentItem(saved.first());
    btnRunProjectClick();
}

void TfrmPublish::showReview() {
    const bool createFiles = publishMode == PublishMode::CreateFiles;
    Label10->setText(createFiles ? u"Click on Finish to Create Files ...."_s
                                 : u"Click on Save Complete ...."_s);
    btnNext->setText(createFiles ? kFinish : kSave);
    Memo2->setPlainText(reviewText(choices()).join(u'\n'));
}

void TfrmPublish::GeneratePublishFiles() {
    // A project run enters after the files page, so its folder is checked here too.
    if (const auto problem = saveFolderProblem(edtSaveDirectory->text())) {
        appDialogs().showError(*problem);
        return;
    }
    Label10->setText(u"Creating Files"_s);
    setButtons(false, false);
    Memo3->clear();
    prgPublish->setRange(0, std::max<int>(1, lstGraphs->count()));
    prgPublish->setValue(0);
    prgPublish->show();
    goToPage(ResultPage);
    m_job->start(choices(), dataFolder());
}

void TfrmPublish::runFinished(const PublishSummary& summary) {
    m_job->wait();
    prgPublish->hide();
    if (ExportKind(cbExportTo->currentIndex()) == ExportKind::FlashProject)
        Label10->hide();
    showTutorial(summary.tutorial);
    btnNext->setText(kClose);
    goToPage(ResultPage);
    btnNext->show();
    Q_EMIT publishFinished(summary);
}

void TfrmPublish::showTutorial(TutorialStep step) {
    if (!m_tutorial || step == TutorialStep::Leave)
        return;
    if (step == TutorialStep::HideInternetTutorial) {
        m_tutorial->hide();
        m_tutorial->tutorialMovie = programDataPath(u"InternetTutorial.swf"_s);
        return;
    }
    m_tutorial->tutorialMovie = programDataPath(u"PPTutorial.swf"_s);
    m_tutorial->move(frameGeometry().topRight() + QPoint(8, 0));
    m_tutorial->hide();
    // The wizard is modal; the tutorial belongs to it while it is open, so that it can be read
    // and closed beside it rather than waiting behind it.
    m_tutorial->winId();
    if (QWindow* tutorialWindow = m_tutorial->windowHandle())
        tutorialWindow->setTransientParent(windowHandle());
    m_tutorial->show();
}

void TfrmPublish::btnPreviousClick() {
    const Page page = currentPage();
    if (page == ExportPage) {
        setButtons(false, false);
        goToPage(ProjectPage);
        return;
    }
    if (page == ReviewPage) {
        const bool powerPoint = ExportKind(cbExportTo->currentIndex()) == ExportKind::PowerPoint;
        goToPage(powerPoint ? FilesPage : OptionsPage);
    } else if (page != ProjectPage) {
        goToPage(Page(page - 1));
    } else {
        return;
    }
    btnNext->setText(kNext);
    btnNext->show();
}

void TfrmPublish::btnCancelClick() {
    if (isPublishing()) {
        m_job->cancel();
        return;
    }
    if (currentPage() == ProjectPage) {
        reject();
        return;
    }
    goToPage(ProjectPage);
    btnPrevious->hide();
    showNextStep();
}

void TfrmPublish::cbExportToChange() {
    const int kind = cbExportTo->currentIndex();
    for (int index = 0; index < int(pnlDescriptions.size()); ++index)
        pnlDescriptions[std::size_t(index)]->setVisible(index == kind);
}

void TfrmPublish::btnAddGraphClick() {
    const QStringList files = appDialogs().openFileNames(u"Add File"_s, u"Tivora files (*.TVX)"_s,
                                                         lastFolder(FileKind::Graph));
    rememberFolder(FileKind::Graph, files.value(0));
    lstGraphs->addItems(files);
}

void TfrmPublish::btnRemoveClick() {
    if (QListWidgetItem* item = lstGraphs->currentItem(); item && item->isSelected())
        delete item;
}

void TfrmPublish::btnSaveAsClick() {
    TBrowseForFolderDialog browser;
    browser.setTitle(u"Choose the  Directory"_s);
    browser.setStartFolder(edtSaveDirectory->text());
    if (browser.execute())
        edtSaveDirectory->setText(browser.folder());
}

} // namespace tivora::publish
