#pragma once

#include "publish/publish_choices.h"
#include "publish/publish_run.h"

#include <QDialog>
#include <QPointer>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;

namespace tivora {
class MoviePlayer;
class TfrmTutorial;
} // namespace tivora

namespace tivora::publish {

class PublishJob;

// The publish wizard: gathers the graphs, the export kind, the save folder and the options,
// keeps them as named projects, and shows the log of the run. The files themselves are written
// by the publishing core, on a thread of its own.
class TfrmPublish : public QDialog {
    Q_OBJECT

public:
    enum class PublishMode { None, CreateFiles, SaveProject };
    enum Page { ProjectPage, ExportPage, FilesPage, OptionsPage, ReviewPage, ResultPage };

    // tutorial, when given, is the program's tutorial window, shown or hidden after a run.
    explicit TfrmPublish(TfrmTutorial* tutorial = nullptr, QWidget* parent = nullptr);
    ~TfrmPublish() override;

    PublishMode publishMode = PublishMode::None;

    QStackedWidget* PageControl1;
    MoviePlayer* ShockwaveFlash1;
    QPushButton* btnCancel;
    QPushButton* btnPrevious;
    QPushButton* btnNext;
    // project page
    QPushButton* btnQuickPub;
    QListWidget* lstProjects;
    QPushButton* btnNew;
    QPushButton* btnEditProject;
    QPushButton* btnDeleteProject;
    QPushButton* btnRunProject;
    // export page
    QLabel* lblProjectName;
    QLineEdit* edtProjectName;
    QComboBox* cbExportTo;
    std::array<QWidget*, 3> pnlDescriptions; // by export kind
    // files page
    QListWidget* lstGraphs;
    QPushButton* btnRemove;
    QPushButton* btnAddGraph;
    QLineEdit* edtSaveDirectory;
    QPushButton* btnSaveAs;
    QCheckBox* chkExcelLink;
    // options page
    QWidget* pnlInternet;
    QRadioButton* rdoEmbed;
    QRadioButton* rdoPopup;
    QWidget* pnlSWF;
    QRadioButton* rdoEngine;
    QRadioButton* rdoStandalone;
    QCheckBox* chkHTMLFile;
    QCheckBox* chkFlaFile;
    // review and result pages
    QPlainTextEdit* Memo2;
    QLabel* Label10;
    QPlainTextEdit* Memo3;
    QProgressBar* prgPublish;

    void btnQuickPubClick();
    void btnNewClick();
    void lstProjectsClick();
    void btnEditProjectClick();
    void btnRunProjectClick();
    void btnDeleteProjectClick();
    void btnNextClick();
    void btnPreviousClick();
    void btnCancelClick();
    void cbExportToChange();
    void btnAddGraphClick();
    void btnRemoveClick();
    void btnSaveAsClick();

    // The choices the controls hold, and the controls set from choices.
    PublishChoices choices() const;
    void setChoices(const PublishChoices& choices);
    void ListProjects();
    bool isPublishing() const;

Q_SIGNALS:
    // A run has ended and its log is complete.
    void publishFinished(const tivora::publish::PublishSummary& summary);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void FormShow();
    void reset();
    void goToPage(Page page);
    Page currentPage() const;
    bool LoadProject(const QString& name);
    QString selectedProject() const;
    bool acceptProjectName();
    bool acceptFiles();
    void saveProject();
    void GeneratePublishFiles();
    void runFinished(const PublishSummary& summary);
    void showReview();
    void showTutorial(TutorialStep step);
    void setButtons(bool previousShown, bool nextShown);
    void showNextStep();

    // Guarded: the tutorial may go first when both belong to the main window that is closing.
    QPointer<TfrmTutorial> m_tutorial;
    PublishJob* m_job;
    bool m_shown = false;
    QString m_projectName; // of the loaded project, which names its slide deck
};

} // namespace tivora::publish
