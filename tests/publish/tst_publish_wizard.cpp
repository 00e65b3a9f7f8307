#include "../shell/scripted_dialogs.h"
#include "controls/movie_player.h"
#include "publish/project_file.h"
#include "publish/wizard/tfrm_publish.h"
#include "publish_fixture.h"
#include "windows/tfrm_tutorial.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora::publish {

using test::PublishFixture;
using test::ScriptedDialogs;

namespace {

using Page = TfrmPublish::Page;

Page pageOf(const TfrmPublish& wizard) {
    return Page(wizard.PageControl1->currentIndex());
}

void selectProject(TfrmPublish& wizard, const QString& name) {
    const auto items = wizard.lstProjects->findItems(name, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    wizard.lstProjects->setCurrentItem(items.first());
    wizard.lstProjectsClick();
}

bool runToTheEnd(TfrmPublish& wizard) {
    QSignalSpy finished(&wizard, &TfrmPublish::publishFinished);
    wizard.btnNext->click();
    return finished.wait(30000);
}

} // namespace

class PublishWizardTest : public QObject {
    Q_OBJECT

    // The files page reached by Quick Publish with one graph and a save folder.
    void quickPublishToFiles(TfrmPublish& wizard, int kind) {
        wizard.btnQuickPub->click();
        QCOMPARE(pageOf(wizard), Page::ExportPage);
        QVERIFY(!wizard.edtProjectName->isVisible());
        wizard.cbExportTo->setCurrentIndex(kind);
        for (int index = 0; index < 3; ++index)
            QCOMPARE(wizard.pnlDescriptions[std::size_t(index)]->isVisible(), index == kind);
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::FilesPage);
        QVERIFY(wizard.btnPrevious->isVisible() && wizard.btnNext->isVisible());
        dialogs.fileNames.push_back(graph);
        wizard.btnAddGraph->click();
        QCOMPARE(dialogs.take(), QStringList{u"open: Add File Tivora files (*.TVX)"_s});
        wizard.edtSaveDirectory->setText(fixture->outFolder());
    }

    std::unique_ptr<PublishFixture> fixture;
    ScriptedDialogs dialogs;
    QString graph;

private Q_SLOTS:
    void init() {
        fixture = std::make_unique<PublishFixture>();
        graph = fixture->writeGraph(u"Sales.TVX"_s, test::graphOfType(u"bar"_s));
        dialogs.take();
    }
    void cleanup() { fixture.reset(); }

    void showingTheWizard() {
        QCOMPARE(SaveProject(projectPath(fixture->dataFolder(), u"Web"_s), PublishChoices()),
                 std::nullopt);
        TfrmPublish wizard;
        wizard.show();
        QCOMPARE(wizard.windowTitle(), u"Publish Files"_s);
        QCOMPARE(wizard.size(), QSize(606, 398));
        QCOMPARE(pageOf(wizard), Page::ProjectPage);
        QVERIFY(!wizard.btnNext->isVisible() && !wizard.btnPrevious->isVisible());
        QCOMPARE(wizard.ShockwaveFlash1->movie(), fixture->dataFolder() + u"package.swf"_s);
        QCOMPARE(wizard.lstProjects->count(), 1);
        QVERIFY(!wizard.btnEditProject->isEnabled() && !wizard.btnRunProject->isEnabled());
        selectProject(wizard, u"Web"_s);
        QVERIFY(wizard.btnEditProject->isEnabled() && wizard.btnDeleteProject->isEnabled());
        QVERIFY(wizard.btnRunProject->isEnabled());
    }

    void quickPublishForTheInternet() {
        TfrmTutorial tutorial;
        tutorial.tutorialMovie = fixture->dataFolder() + u"PPTutorial.swf"_s;
        tutorial.show();
        TfrmPublish wizard(&tutorial);
        wizard.show();
        quickPublishToFiles(wizard, 0);
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::OptionsPage);
        QVERIFY(wizard.pnlInternet->isVisible() && !wizard.pnlSWF->isVisible());
        wizard.rdoPopup->setChecked(true);
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        QCOMPARE(wizard.btnNext->text(), u"&Finish"_s);
        QCOMPARE(wizard.Label10->text(), u"Click on Finish to Create Files ...."_s);
        QCOMPARE(wizard.Memo2->toPlainText().split(u'\n'),
                 (QStringList{u"Create files for the Internet"_s, QString(),
                              u"Include the following graphs and the required supporting files:"_s,
                              u"Sales.TVX"_s, QString(),
                              u"Add the Graph as a separate popup window on the web page."_s,
                              QString(), u"Save the files to "_s + fixture->outFolder() + u'/'}));
        QVERIFY(runToTheEnd(wizard));
        QCOMPARE(pageOf(wizard), Page::ResultPage);
        QCOMPARE(wizard.btnNext->text(), u"&Close"_s);
        const QStringList log = wizard.Memo3->toPlainText().split(u'\n');
        QCOMPARE(log.first(), u"Writing to: "_s + fixture->outFolder());
        QVERIFY(log.contains(u"Generating ... Sales.swf"_s));
        QVERIFY(QFile::exists(fixture->out(u"popSales.html"_s)));
        // An Internet publish puts a tutorial that was left open away.
        QVERIFY(!tutorial.isVisible());
        QCOMPARE(tutorial.tutorialMovie, fixture->dataFolder() + u"InternetTutorial.swf"_s);
        // Close goes back to the project page; Cancel there closes the window.
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::ProjectPage);
        QVERIFY(!wizard.btnNext->isVisible());
        QCOMPARE(wizard.btnNext->text(), u"&Next"_s);
        wizard.btnCancel->click();
        QVERIFY(!wizard.isVisible());
        QVERIFY(dialogs.take().isEmpty());
    }

    void powerPointSkipsTheOptionsPageAndShowsTheTutorial() {
        TfrmTutorial tutorial;
        TfrmPublish wizard(&tutorial);
        wizard.show();
        quickPublishToFiles(wizard, 1);
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        QVERIFY(wizard.Memo2->toPlainText().startsWith(
            u"Create files for inclusion in a PowerPoint Presentation"_s));
        wizard.btnPrevious->click();
        QCOMPARE(pageOf(wizard), Page::FilesPage);
        wizard.btnNext->click();
        QVERIFY(runToTheEnd(wizard));
        QVERIFY(tutorial.isVisible());
        QCOMPARE(tutorial.tutorialMovie, fixture->dataFolder() + u"PPTutorial.swf"_s);
        QCOMPARE(tutorial.ShockwaveFlash1->movie(), tutorial.tutorialMovie);
        QVERIFY(QFile::exists(fixture->out(u"Sales.swf"_s)));
        QVERIFY(QFile::exists(fixture->out(u"Presentation.pptx"_s)));
    }

    void flashProjectShowsTheMovieOptionsAndHidesTheStatus() {
        TfrmPublish wizard;
        wizard.show();
        quickPublishToFiles(wizard, 2);
        wizard.btnNext->click();
        QVERIFY(!wizard.pnlInternet->isVisible() && wizard.pnlSWF->isVisible());
        QVERIFY(wizard.rdoEngine->isChecked() && wizard.chkHTMLFile->isChecked());
        QVERIFY(!wizard.chkFlaFile->isChecked());
        wizard.chkFlaFile->setChecked(true);
        wizard.btnNext->click();
        QVERIFY(runToTheEnd(wizard));
        QVERIFY(!wizard.Label10->isVisible());
        QVERIFY(QFile::exists(fixture->out(u"Sample_Sales.fla"_s)));
        QCOMPARE(wizard.Memo3->toPlainText().split(u'\n').filter(u"Finished"_s),
                 QStringList{u"Finished"_s});
    }

    void filesPageMessages() {
        TfrmPublish wizard;
        wizard.show();
        wizard.btnQuickPub->click();
        wizard.btnNext->click();
        wizard.btnNext->click();
        QCOMPARE(dialogs.take(),
                 QStringList{u"error: You must select at least one graph to include."_s});
        QCOMPARE(pageOf(wizard), Page::FilesPage);
        dialogs.fileNames.push_back(graph);
        wizard.btnAddGraph->click();
        dialogs.take();
        wizard.btnNext->click();
        QCOMPARE(dialogs.take(),
                 QStringList{u"error: Please select the directory to save the files to."_s});
        QCOMPARE(pageOf(wizard), Page::FilesPage);
        // Remove takes the selected graph only.
        wizard.btnRemove->click();
        QCOMPARE(wizard.lstGraphs->count(), 1);
        wizard.lstGraphs->setCurrentRow(0);
        wizard.btnRemove->click();
        QCOMPARE(wizard.lstGraphs->count(), 0);
    }

    void theFolderBrowser() {
        TfrmPublish wizard;
        wizard.show();
        wizard.btnQuickPub->click();
        wizard.btnNext->click();
        wizard.edtSaveDirectory->setText(u"/kept"_s);
        wizard.btnSaveAs->click(); // cancelled
        QCOMPARE(dialogs.take(), (QStringList{u"unanswered: folder: Choose the  Directory"_s}));
        QCOMPARE(wizard.edtSaveDirectory->text(), u"/kept"_s);
        dialogs.fileNames.push_back(fixture->outFolder());
        wizard.btnSaveAs->click();
        QCOMPARE(wizard.edtSaveDirectory->text(), fixture->outFolder());
    }

    void newProjectNamesAndSaving() {
        QCOMPARE(SaveProject(projectPath(fixture->dataFolder(), u"Web"_s), PublishChoices()),
                 std::nullopt);
        TfrmPublish wizard;
        wizard.show();
        wizard.btnNewClick();
        QVERIFY(wizard.edtProjectName->isVisible());
        QVERIFY(!wizard.btnPrevious->isVisible());
        const std::pair<QString, QString> refused[] = {
            {u"   "_s, u"error: Please enter a project Name"_s},
            {u"Web"_s, u"error: That name has been used please enter a different project Name"_s},
            {u"../Web"_s, QString()}};
        for (const auto& [name, message] : refused) {
            wizard.edtProjectName->setText(name);
            wizard.btnNext->click();
            const QStringList shown = dialogs.take();
            QCOMPARE(shown.size(), 1);
            if (!message.isEmpty())
                QCOMPARE(shown.first(), message);
            QCOMPARE(pageOf(wizard), Page::ExportPage);
            QCOMPARE(wizard.focusWidget(), wizard.edtProjectName);
        }
        wizard.edtProjectName->setText(u" Monthly "_s);
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::FilesPage);
        dialogs.fileNames.push_back(graph);
        wizard.btnAddGraph->click();
        wizard.edtSaveDirectory->setText(u"/not/yet/made"_s); // a project only keeps the folder
        wizard.btnNext->click();
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        QCOMPARE(wizard.btnNext->text(), u"&Save"_s);
        QCOMPARE(wizard.Label10->text(), u"Click on Save Complete ...."_s);
        dialogs.yesNoAnswers = {false};
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::ProjectPage);
        QCOMPARE(wizard.lstProjects->count(), 2);
        const auto saved = LoadProject(projectPath(fixture->dataFolder(), u" Monthly "_s));
        QVERIFY(saved.choices);
        QCOMPARE(saved.choices->graphs, QStringList{graph});
        QCOMPARE(saved.choices->saveDirectory, u"/not/yet/made"_s);
        QCOMPARE(dialogs.take().last(), u"question: Publish the files now?"_s);
        // A second New starts afresh, with no name.
        wizard.btnNewClick();
        QCOMPARE(wizard.edtProjectName->text(), QString());
    }

    void addFileStartsWhereGraphsWereLastFound() {
        dialogs.startFolders.clear();
        TfrmPublish wizard;
        wizard.show();
        wizard.btnQuickPub->click();
        wizard.btnNext->click();
        wizard.btnAddGraph->click(); // cancelled
        const QString other = fixture->writeGraph(u"more/Costs.TVX"_s, test::graphOfType(u"pie"_s));
        dialogs.fileNames.push_back(other);
        wizard.btnAddGraph->click();
        wizard.btnAddGraph->click();
        QCOMPARE(dialogs.startFolders,
                 (QStringList{QDir::homePath(), QDir::homePath(), fixture->path(u"more"_s)}));
        QCOMPARE(wizard.lstGraphs->count(), 1);
    }

    void projectButtonsWaitForASelection() {
        for (const QString& name : {u"Web"_s, u"Print"_s})
            QCOMPARE(SaveProject(projectPath(fixture->dataFolder(), name),
                                 fixture->choices(ExportKind::Internet, {graph})),
                     std::nullopt);
        TfrmPublish wizard;
        wizard.show();
        const auto enabled = [&] {
            return QList<bool>{wizard.btnRunProject->isEnabled(),
                               wizard.btnEditProject->isEnabled(),
                               wizard.btnDeleteProject->isEnabled()};
        };
        const QList<bool> none{false, false, false};
        const QList<bool> all{true, true, true};
        QCOMPARE(enabled(), none);
        selectProject(wizard, u"Web"_s);
        QCOMPARE(enabled(), all);
        wizard.lstProjects->clearSelection();
        QCOMPARE(enabled(), none);
        // The keyboard selects as the mouse does.
        const bool first = wizard.lstProjects->currentRow() == 0;
        QTest::keyClick(wizard.lstProjects, first ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(enabled(), all);
        wizard.btnDeleteProject->click();
        QCOMPARE(wizard.lstProjects->count(), 1);
        QCOMPARE(enabled(), none);
    }

    void savingANewProjectOffersToPublishIt() {
        TfrmPublish wizard;
        wizard.show();
        const auto saveNew = [&](const QString& name) {
            wizard.btnNew->click();
            wizard.edtProjectName->setText(name);
            wizard.btnNext->click();
            wizard.lstGraphs->addItem(graph);
            wizard.edtSaveDirectory->setText(fixture->outFolder());
            wizard.btnNext->click();
            wizard.btnNext->click();
            QCOMPARE(wizard.btnNext->text(), u"&Save"_s);
            wizard.btnNext->click();
            QCOMPARE(dialogs.take(), QStringList{u"question: Publish the files now?"_s});
        };
        // No: the project is kept and listed, nothing is published.
        dialogs.yesNoAnswers = {false};
        saveNew(u"Later"_s);
        QCOMPARE(pageOf(wizard), Page::ProjectPage);
        QVERIFY(QFile::exists(projectPath(fixture->dataFolder(), u"Later"_s)));
        QVERIFY(!QFile::exists(fixture->out(u"Sales.html"_s)));

        // Yes: the project is run as Run runs it.
        dialogs.yesNoAnswers = {true};
        saveNew(u"Now"_s);
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        QCOMPARE(wizard.btnNext->text(), u"&Finish"_s);
        QCOMPARE(wizard.lstProjects->currentItem()->text(), u"Now"_s);
        QVERIFY(runToTheEnd(wizard));
        QVERIFY(QFile::exists(fixture->out(u"Sales.html"_s)));

        // Saving a project that was edited asks nothing.
        wizard.btnNext->click();
        selectProject(wizard, u"Now"_s);
        wizard.btnEditProject->click();
        wizard.btnNext->click();
        wizard.btnNext->click();
        wizard.btnNext->click();
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::ProjectPage);
        QVERIFY(dialogs.take().isEmpty());
    }

    void theTutorialCanBeUsedWhileTheWizardIsModal() {
        TfrmTutorial tutorial;
        TfrmPublish wizard(&tutorial);
        wizard.setModal(true);
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
        quickPublishToFiles(wizard, 1);
        wizard.btnNext->click();
        QVERIFY(runToTheEnd(wizard));
        QVERIFY(tutorial.isVisible());
        // Keys from the window system reach a window only when no modal window blocks it.
        QTest::keyClick(tutorial.windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!tutorial.isVisible());
        QVERIFY(wizard.isVisible());
    }

    void projectsThatCannotBeSaved() {
        TfrmPublish wizard;
        wizard.show();
        const auto reachSave = [&](const QString& name, const QString& folder) {
            wizard.btnNewClick();
            wizard.edtProjectName->setText(name);
            wizard.btnNext->click();
            wizard.lstGraphs->addItem(graph);
            wizard.edtSaveDirectory->setText(folder);
            wizard.btnNext->click();
            wizard.btnNext->click();
            QCOMPARE(wizard.btnNext->text(), u"&Save"_s);
            wizard.btnNext->click();
        };
        // A folder that holds "&" would not read back.
        reachSave(u"Amp"_s, u"/srv/R&D"_s);
        QCOMPARE(dialogs.take(), QStringList{u"error: A project cannot keep a folder or graph "
                                             "path that holds \"&\" or \"/x/\": /srv/R&D"_s});
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        QVERIFY(!QFile::exists(projectPath(fixture->dataFolder(), u"Amp"_s)));

        // Something in the way of the project file.
        const QString blocked = projectPath(fixture->dataFolder(), u"Blocked"_s);
        QVERIFY(QDir().mkpath(blocked));
        wizard.btnCancel->click();
        reachSave(u"Blocked"_s, u"/srv"_s);
        QCOMPARE(dialogs.take(), QStringList{u"error: Error writing project file. "_s + blocked});
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
    }

    void editRunAndDelete() {
        PublishChoices choices = fixture->choices(ExportKind::FlashProject, {graph});
        choices.engine = false;
        QCOMPARE(SaveProject(projectPath(fixture->dataFolder(), u"Flash"_s), choices),
                 std::nullopt);
        TfrmPublish wizard;
        wizard.show();
        wizard.btnEditProject->setEnabled(true);
        wizard.btnEditProjectClick(); // nothing selected: nothing happens
        QCOMPARE(pageOf(wizard), Page::ProjectPage);

        selectProject(wizard, u"Flash"_s);
        wizard.btnEditProject->click();
        QCOMPARE(pageOf(wizard), Page::ExportPage);
        QVERIFY(!wizard.edtProjectName->isVisible());
        choices.projectName = u"Flash"_s; // the loaded project's, which names a run's deck
        QCOMPARE(wizard.choices(), choices);
        QVERIFY(wizard.pnlDescriptions[2]->isVisible());
        wizard.btnNext->click(); // no name check when editing
        wizard.btnNext->click();
        wizard.rdoEngine->setChecked(true);
        wizard.btnNext->click();
        wizard.btnNext->click(); // save
        QVERIFY(LoadProject(projectPath(fixture->dataFolder(), u"Flash"_s)).choices->engine);

        selectProject(wizard, u"Flash"_s);
        wizard.btnRunProject->click();
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        QCOMPARE(wizard.btnNext->text(), u"&Finish"_s);
        QVERIFY(runToTheEnd(wizard));
        QVERIFY(QFile::exists(fixture->out(u"Tivorav32.swf"_s)));

        wizard.btnNext->click(); // close: back to the projects
        selectProject(wizard, u"Flash"_s);
        wizard.btnDeleteProject->click();
        QCOMPARE(wizard.lstProjects->count(), 0);
        QVERIFY(!QFile::exists(projectPath(fixture->dataFolder(), u"Flash"_s)));
        QVERIFY(dialogs.take().isEmpty());
    }

    void brokenProjects() {
        const QString path = projectPath(fixture->dataFolder(), u"Broken"_s);
        test::writeBytes(path, "&ExportTo=web");
        TfrmPublish wizard;
        wizard.show();
        selectProject(wizard, u"Broken"_s);
        wizard.btnRunProject->click();
        QCOMPARE(dialogs.take(), QStringList{u"error: Error loading project file. "_s + path});
        QCOMPARE(pageOf(wizard), Page::ProjectPage);
        wizard.btnEditProject->click();
        QCOMPARE(dialogs.take(), QStringList{u"error: Error loading project file. "_s + path});

        // A project whose folder cannot be made is stopped before its run writes anything.
        PublishChoices choices = fixture->choices(ExportKind::Internet, {graph});
        test::writeBytes(fixture->path(u"file"_s), "x");
        choices.saveDirectory = fixture->path(u"file/out"_s);
        QCOMPARE(SaveProject(path, choices), std::nullopt);
        wizard.btnCancel->click();
        selectProject(wizard, u"Broken"_s);
        wizard.btnRunProject->click();
        wizard.btnNext->click();
        QCOMPARE(dialogs.take(), QStringList{u"error: The directory "_s + choices.saveDirectory +
                                             u" cannot be created: "_s + fixture->path(u"file"_s) +
                                             u" is no folder."_s});
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
    }

    // Going on from the files page only checks the folder; a user who then cancels finds no new
    // folder on the disk. The run makes it.
    void theSaveFolderIsMadeByTheRunAlone() {
        TfrmPublish wizard;
        wizard.show();
        quickPublishToFiles(wizard, 0);
        const QString folder = fixture->path(u"new/web"_s);
        wizard.edtSaveDirectory->setText(folder);
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::OptionsPage);
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        wizard.btnCancel->click();
        QVERIFY(!QFileInfo::exists(fixture->path(u"new"_s)));

        quickPublishToFiles(wizard, 0);
        wizard.edtSaveDirectory->setText(folder);
        wizard.btnNext->click();
        wizard.btnNext->click();
        QVERIFY(runToTheEnd(wizard));
        QVERIFY(QFile::exists(folder + u"/Sales.html"_s));
        QVERIFY(dialogs.take().isEmpty());
    }

    // A project file named by hand in lower case is listed, and runs and is deleted as listed.
    void aProjectFileNamedInLowerCase() {
        const QString path = fixture->dataFolder() + u"web.tvp"_s;
        QCOMPARE(SaveProject(path, fixture->choices(ExportKind::Internet, {graph})), std::nullopt);
        TfrmPublish wizard;
        wizard.show();
        selectProject(wizard, u"web"_s);
        wizard.btnRunProject->click();
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        QVERIFY(runToTheEnd(wizard));
        QVERIFY(QFile::exists(fixture->out(u"Sales.html"_s)));
        wizard.btnNext->click();
        selectProject(wizard, u"web"_s);
        wizard.btnDeleteProject->click();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(wizard.lstProjects->count(), 0);
        QVERIFY(dialogs.take().isEmpty());
    }

    void goingBackAndCancelling() {
        TfrmPublish wizard;
        wizard.show();
        quickPublishToFiles(wizard, 0);
        wizard.btnNext->click();
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::ReviewPage);
        wizard.btnPrevious->click();
        QCOMPARE(pageOf(wizard), Page::OptionsPage);
        QCOMPARE(wizard.btnNext->text(), u"&Next"_s);
        wizard.btnPrevious->click();
        wizard.btnPrevious->click();
        QCOMPARE(pageOf(wizard), Page::ExportPage);
        wizard.btnPrevious->click();
        QCOMPARE(pageOf(wizard), Page::ProjectPage);
        QVERIFY(!wizard.btnNext->isVisible() && !wizard.btnPrevious->isVisible());

        // Cancel from a later page leaves Next shown; it passes the export page in one step.
        // Cancelled on the review page, the next pass still goes through the review.
        quickPublishToFiles(wizard, 0);
        wizard.btnNext->click();
        wizard.btnNext->click();
        QCOMPARE(wizard.btnNext->text(), u"&Finish"_s);
        wizard.btnCancel->click();
        QCOMPARE(wizard.btnNext->text(), u"&Next"_s);
        QCOMPARE(pageOf(wizard), Page::ProjectPage);
        QVERIFY(wizard.btnNext->isVisible() && !wizard.btnPrevious->isVisible());
        wizard.btnNext->click();
        QCOMPARE(pageOf(wizard), Page::FilesPage);
    }
};

} // namespace tivora::publish

QTEST_MAIN(tivora::publish::PublishWizardTest)
#include "tst_publish_wizard.moc"
