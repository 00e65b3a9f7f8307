#include "common/file_size_limit.h"
#include "shell/file_commands.h"
#include "shell/main_menu.h"
#include "shell/preview_panel.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"

#include <QAction>
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

using Answer = Dialogs::Answer;
const QString kOpenDialog = u"open: Open File Tivora files (*.TVX)"_s;
const QString kSaveDialog = u"save: Save As Tivora files (*.TVX) TVX"_s;
const QString kUnsavedQuestion =
    u"question: The graph has been changed.  Do you want to save the changes?"_s;

// The main window with a program folder, settings and dialogs of its own.
struct Designer {
    Designer() { window.show(); }

    FileCommands& commands() { return window.fileCommands(); }
    const GraphDocument& document() { return window.model().document(); }
    QString graph(const QString& name, int columns = 12) {
        return environment.writeGraph(name, test::ShellEnvironment::seriesGraph(3, columns));
    }
    void open(const QString& path) {
        environment.dialogs.fileNames.push_back(path);
        commands().Open1Click();
    }
    void editHeader(const QString& text) {
        window.model().edit([&](GraphDocument& document) { document.header.edtHeader = text; });
    }
    // "&Save", "Save &As", "Close File", editor shown.
    QList<bool> fileState() {
        const MainMenu& menu = window.menu();
        return {menu.mnuSave->isEnabled(), menu.mnuSaveAs->isEnabled(),
                menu.mnuCloseFile->isEnabled(), window.pageControl1->isVisible()};
    }

    test::ShellEnvironment environment;
    TfrmLumara window;
};

const QList<bool> kOpenState{true, true, true, true};

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void graphDialogsStartWhereTheLastGraphWasFound() {
        Designer designer;
        auto& dialogs = designer.environment.dialogs;
        designer.commands().Open1Click(); // cancelled: nothing to remember
        QVERIFY(QDir().mkpath(designer.environment.folder() + u"graphs"_s));
        const QString path = designer.graph(u"graphs/sales.TVX"_s);
        designer.open(path);
        const QString saved = designer.environment.folder() + u"kept/copy.TVX"_s;
        QVERIFY(QDir().mkpath(QFileInfo(saved).path()));
        dialogs.fileNames.push_back(saved);
        QVERIFY(designer.commands().mnuSaveAsClick());
        designer.commands().Open1Click();
        QCOMPARE(dialogs.startFolders,
                 (QStringList{QDir::homePath(), QDir::homePath(), QFileInfo(path).path(),
                              QFileInfo(saved).path()}));
    }

    void openShowsTheGraphAndPutsItFirstInRecent() {
        Designer designer;
        const QString path = designer.graph(u"sales.TVX"_s);
        designer.open(path);
        QCOMPARE(designer.environment.dialogs.take(), QStringList{kOpenDialog});
        QCOMPARE(designer.window.title(), u"Tivora Designer - sales.TVX"_s);
        QCOMPARE(designer.fileState(), kOpenState);
        QVERIFY(designer.window.Panel9->isVisible());
        QCOMPARE(designer.document().currentFileName, path);
        QCOMPARE(designer.document().header.edtHeader, u"Sales"_s);
        QCOMPARE(test::ShellEnvironment::storedRecent(),
                 (QStringList{path, QString(), QString(), QString()}));
        QVERIFY(designer.window.menu().mnuRecent[0]->isVisible());
        QVERIFY(!designer.window.menu().mnuRecent[1]->isVisible());
    }

    void recentListKeepsOrderAndDropsTheOldest() {
        Designer designer;
        QStringList paths;
        for (int index = 1; index <= 5; ++index)
            paths.append(designer.graph(u"g%1.tvx"_s.arg(index)));
        for (int index = 0; index < 4; ++index)
            designer.open(paths[index]);
        const QStringList four{paths[3], paths[2], paths[1], paths[0]};
        QCOMPARE(test::ShellEnvironment::storedRecent(), four);

        designer.open(paths[1]); // Recent3
        QCOMPARE(test::ShellEnvironment::storedRecent(), four);
        designer.commands().mnuRecentClick(3);
        QCOMPARE(designer.document().currentFileName, paths[0]);
        QCOMPARE(designer.window.menu().recentFiles(), four);

        designer.open(paths[4]);
        QCOMPARE(test::ShellEnvironment::storedRecent(),
                 (QStringList{paths[4], paths[3], paths[2], paths[1]}));

        // The comparison is exact: another spelling of a listed path is a new entry.
        const QString upper = designer.environment.folder() + u"G1.TVX"_s;
        QFile::copy(paths[0], upper);
        designer.open(upper);
        QCOMPARE(designer.window.menu().recentFiles().first(), upper);
    }

    void openFailuresKeepTheOpenGraph() {
        Designer designer;
        const QString good = designer.graph(u"good.TVX"_s);
        designer.open(good);
        designer.environment.dialogs.take();

        // Each failure keeps its own text, with the path and the reason on a second line.
        const QString missing = designer.environment.folder() + u"missing.TVX"_s;
        designer.open(missing);
        QCOMPARE(designer.environment.dialogs.take(),
                 (QStringList{kOpenDialog, u"error: File I/O error."_s}));
        QCOMPARE(designer.environment.dialogs.details.takeFirst(),
                 missing + u": missing.TVX does not exist."_s);
        // A pipe is refused at once, with the reason; opening it would wait for a writer.
        const QString pipe = designer.environment.folder() + u"pipe.TVX"_s;
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        designer.open(pipe);
        QCOMPARE(designer.environment.dialogs.take(),
                 (QStringList{kOpenDialog, u"error: File I/O error."_s}));
        QCOMPARE(designer.environment.dialogs.details.takeFirst(),
                 pipe + u": pipe.TVX is not an ordinary file (it is a device, pipe or socket)."_s);

        const QString broken = designer.environment.folder() + u"broken.TVX"_s;
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("&v_=2.0&gt_=cbs&sr_=y&");
        file.close();
        designer.open(broken);
        QCOMPARE(designer.environment.dialogs.take(),
                 (QStringList{kOpenDialog, u"error: Error loading details from file"_s}));
        const QString detail = designer.environment.dialogs.details.takeFirst();
        QVERIFY2(detail.startsWith(broken + u": "_s) && detail.size() > broken.size() + 2,
                 qPrintable(detail));
        // Title and file name stay with the graph that is open, so Save cannot write it over
        // the unreadable file.
        QCOMPARE(designer.window.title(), u"Tivora Designer - good.TVX"_s);
        QCOMPARE(designer.document().currentFileName, good);
        QCOMPARE(test::ShellEnvironment::storedRecent().first(), good);
    }

    // The link options are read before the graph replaces the open one: a graph whose options
    // cannot be read is not opened at all.
    void linkOptionsThatCannotBeReadKeepTheOpenGraph() {
        Designer designer;
        const QString good = designer.graph(u"good.TVX"_s);
        designer.open(good);
        designer.editHeader(u"Edited"_s);
        const GraphDocument before = designer.document();
        const QString other = designer.graph(u"other.TVX"_s, 5);
        const QString options = designer.environment.folder() + u"other.TVO"_s;
        QVERIFY(QDir().mkpath(options));
        designer.environment.dialogs.take();
        designer.environment.dialogs.yesNoCancelAnswers.push_back(Answer::No);
        designer.open(other);
        QCOMPARE(designer.environment.dialogs.take(),
                 (QStringList{kUnsavedQuestion, kOpenDialog,
                              u"error: Error loading details from file"_s}));
        QCOMPARE(designer.environment.dialogs.details.takeFirst(),
                 other + u": other.TVO is a folder, not a file."_s);
        QCOMPARE(designer.document(), before);
        QCOMPARE(designer.window.title(), u"Tivora Designer - good.TVX"_s);
        QCOMPARE(designer.fileState(), kOpenState);
        QCOMPARE(test::ShellEnvironment::storedRecent().first(), good);
    }

    // A save that fails part way (a full disk, a file size limit) keeps the old graph and link
    // options files and says so with the reason.
    void saveThatCannotWriteKeepsTheOldFiles() {
        Designer designer;
        const QString path = designer.graph(u"kept.TVX"_s, 60);
        designer.open(path);
        QVERIFY(designer.commands().mnuSaveClick());
        const QString options = designer.environment.folder() + u"kept.TVO"_s;
        const QByteArray oldGraph = test::ShellEnvironment::contents(path);
        const QByteArray oldOptions = test::ShellEnvironment::contents(options);
        QVERIFY(!oldOptions.isEmpty());
        designer.editHeader(u"Changed"_s);
        designer.environment.dialogs.take();
        bool saved = true;
        {
            const test::FileSizeLimit full(16);
            QVERIFY(full.active());
            saved = designer.commands().mnuSaveClick();
        }
        QVERIFY(!saved);
        // The preview file cannot be written either, and says so after the graph.
        const QStringList shown = designer.environment.dialogs.take();
        QCOMPARE(shown.mid(0, 2),
                 (QStringList{u"error: Error writing options file. "_s + options +
                                  u"\nkept.TVO could not be written: File too large"_s,
                              u"error: Error writing Temporary File"_s}));
        QVERIFY(designer.environment.dialogs.details.contains(
            path + u": kept.TVX could not be written: File too large"_s));
        QCOMPARE(test::ShellEnvironment::contents(path), oldGraph);
        QCOMPARE(test::ShellEnvironment::contents(options), oldOptions);
        QVERIFY(designer.window.isWindowModified());
        QCOMPARE(QDir(designer.environment.folder()).entryList({u"kept*"_s}, QDir::Files),
                 (QStringList{u"kept.TVO"_s, u"kept.TVX"_s}));
    }

    void pathWithAmpersandOpensThatFile() {
        Designer designer;
        const QString path = designer.graph(u"R&D.TVX"_s);
        designer.open(path);
        QCOMPARE(designer.window.title(), u"Tivora Designer - R&D.TVX"_s);
        QCOMPARE(designer.window.menu().mnuRecent[0]->text(),
                 QString(path).replace(u"&"_s, u"&&"_s));
        designer.window.menu().mnuRecent[0]->trigger();
        QCOMPARE(designer.document().currentFileName, path);
    }

    void saveWritesTheOpenFile() {
        Designer designer;
        const QString path = designer.graph(u"sales.TVX"_s);
        designer.open(path);
        designer.editHeader(u"Revenue"_s);
        QVERIFY(designer.commands().mnuSaveClick());
        GraphDocument reread;
        QVERIFY(ReadGraphFile(reread, path));
        QCOMPARE(reread.header.edtHeader, u"Revenue"_s);
        QCOMPARE(designer.window.title(), u"Tivora Designer - sales.TVX"_s);
    }

    void saveAsAsksBeforeOverwriting() {
        Designer designer;
        const QString path = designer.graph(u"sales.TVX"_s);
        const QString other = designer.graph(u"other.TVX"_s, 4);
        const QByteArray otherBytes = test::ShellEnvironment::contents(other);
        designer.open(path);
        designer.environment.dialogs.take();

        designer.environment.dialogs.fileNames.push_back(other);
        designer.environment.dialogs.yesNoAnswers.push_back(false);
        QVERIFY(!designer.commands().mnuSaveAsClick());
        QCOMPARE(designer.environment.dialogs.take(),
                 (QStringList{kSaveDialog, u"question: The file "_s + other +
                                               u" exists.  Do you want to overwrite it?"_s}));
        QCOMPARE(test::ShellEnvironment::contents(other), otherBytes);
        QCOMPARE(designer.document().currentFileName, path);

        designer.environment.dialogs.fileNames.push_back(other);
        designer.environment.dialogs.yesNoAnswers.push_back(true);
        QVERIFY(designer.commands().mnuSaveAsClick());
        QCOMPARE(test::ShellEnvironment::contents(other), test::ShellEnvironment::contents(path));
        QCOMPARE(designer.window.title(), u"Tivora Designer - "_s + other);
        QCOMPARE(designer.document().currentFileName, other);
        QCOMPARE(designer.window.menu().recentFiles().first(), other);
        QCOMPARE(designer.fileState(), kOpenState);

        designer.environment.dialogs.take();
        QVERIFY(!designer.commands().mnuSaveAsClick());
        QCOMPARE(designer.environment.dialogs.take(), QStringList{u"unanswered: "_s + kSaveDialog});
    }

    void incompleteGraphIsNotSavedAndSaysWhy() {
        Designer designer;
        const QString path = designer.graph(u"sales.TVX"_s);
        const QByteArray before = test::ShellEnvironment::contents(path);
        designer.open(path);
        designer.environment.dialogs.take();
        designer.window.model().edit(
            [](GraphDocument& document) { document.series.edtCols = u"0"_s; });
        QVERIFY(!designer.commands().mnuSaveClick());
        QCOMPARE(
            designer.environment.dialogs.take(),
            QStringList{u"message: The graph has no data columns.\nThe graph was not saved."_s});
        QCOMPARE(test::ShellEnvironment::contents(path), before);

        const QString copy = designer.environment.folder() + u"copy.TVX"_s;
        designer.environment.dialogs.fileNames.push_back(copy);
        QVERIFY(!designer.commands().mnuSaveAsClick());
        QVERIFY(!QFile::exists(copy));
        QCOMPARE(designer.window.title(), u"Tivora Designer - sales.TVX"_s);
        QCOMPARE(designer.window.menu().recentFiles().first(), path);
    }

    void closeFileHidesTheEditorAndKeepsTheGraph() {
        Designer designer;
        const QString path = designer.graph(u"sales.TVX"_s);
        designer.open(path);
        designer.commands().mnuCloseFileClick();
        QCOMPARE(designer.fileState(), (QList<bool>{true, true, false, false}));
        QVERIFY(!designer.window.Panel9->isVisible());
        QCOMPARE(designer.window.title(), u"Tivora Designer - sales.TVX"_s);
        designer.editHeader(u"After close"_s);
        QVERIFY(designer.commands().mnuSaveClick());
        GraphDocument reread;
        QVERIFY(ReadGraphFile(reread, path));
        QCOMPARE(reread.header.edtHeader, u"After close"_s);
    }

    void newStartsAnUntitledGraphFromATemplate() {
        Designer designer;
        const QString templatePath = designer.environment.writeGraph(
            u"Data/bars.TVX"_s, test::ShellEnvironment::seriesGraph(2, 5));
        const QByteArray templateBytes = test::ShellEnvironment::contents(templatePath);
        QString chosen = u"Data\\bars.TVX"_s;
        designer.commands().setTemplateChooser([&] { return chosen; });
        QVERIFY(designer.window.menu().mnuNew->isEnabled());
        designer.commands().mnuNewClick();
        QCOMPARE(designer.window.title(), u"Tivora Designer - New File"_s);
        QCOMPARE(designer.fileState(), (QList<bool>{false, true, true, true}));
        QCOMPARE(designer.document().currentFileName, QString());
        QCOMPARE(designer.document().templateFile, chosen);
        QCOMPARE(test::ShellEnvironment::storedRecent().first(), QString());

        // Saving an untitled graph asks for a name; the template stays as it was.
        designer.editHeader(u"Mine"_s);
        const QString mine = designer.environment.folder() + u"mine.TVX"_s;
        designer.environment.dialogs.fileNames.push_back(mine);
        designer.environment.dialogs.yesNoCancelAnswers.push_back(Answer::Yes);
        chosen.clear();
        designer.commands().mnuNewClick();
        QVERIFY(QFile::exists(mine));
        QCOMPARE(test::ShellEnvironment::contents(templatePath), templateBytes);
        QCOMPARE(designer.window.title(), u"Tivora Designer - "_s + mine);
    }

    void ctrlSNamesAnUntitledGraphAndSavesANamedOne() {
        Designer designer;
        designer.environment.writeGraph(u"Data/bars.TVX"_s,
                                        test::ShellEnvironment::seriesGraph(2, 5));
        designer.commands().setTemplateChooser([] { return u"Data\\bars.TVX"_s; });
        designer.commands().mnuNewClick();
        designer.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&designer.window));
        designer.environment.dialogs.take();

        const QString mine = designer.environment.folder() + u"mine.TVX"_s;
        designer.environment.dialogs.fileNames.push_back(mine);
        QTest::keyClick(&designer.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(designer.environment.dialogs.take(), QStringList{kSaveDialog});
        QVERIFY(QFile::exists(mine));
        QCOMPARE(designer.fileState(), kOpenState);

        // Once named, the key saves in place without asking again.
        designer.editHeader(u"Again"_s);
        QTest::keyClick(&designer.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(designer.environment.dialogs.take(), QStringList());
        GraphDocument reread;
        QVERIFY(ReadGraphFile(reread, mine));
        QCOMPARE(reread.header.edtHeader, u"Again"_s);
    }

    void unsavedChangesAreOfferedForSaving() {
        Designer designer;
        const QString first = designer.graph(u"first.TVX"_s);
        const QString second = designer.graph(u"second.TVX"_s);
        designer.open(first);
        designer.environment.dialogs.take();

        // Nothing changed: no question.
        designer.open(second);
        QCOMPARE(designer.environment.dialogs.take(), QStringList{kOpenDialog});

        // Cancel keeps the graph and its changes.
        designer.editHeader(u"Edited"_s);
        designer.environment.dialogs.yesNoCancelAnswers.push_back(Answer::Cancel);
        designer.commands().Open1Click();
        QCOMPARE(designer.environment.dialogs.take(), QStringList{kUnsavedQuestion});
        QCOMPARE(designer.document().header.edtHeader, u"Edited"_s);
        QVERIFY(!designer.window.close());
        designer.environment.dialogs.take();

        // Yes saves before the command goes on.
        designer.environment.dialogs.yesNoCancelAnswers.push_back(Answer::Yes);
        designer.commands().mnuRecentClick(1);
        QCOMPARE(designer.document().currentFileName, first);
        GraphDocument saved;
        QVERIFY(ReadGraphFile(saved, second));
        QCOMPARE(saved.header.edtHeader, u"Edited"_s);

        // No drops the changes; an edit undone by hand is no change.
        designer.editHeader(u"Dropped"_s);
        designer.environment.dialogs.yesNoCancelAnswers.push_back(Answer::No);
        designer.window.menu().Exit1->trigger();
        QVERIFY(!designer.window.isVisible());
        designer.environment.dialogs.take();

        designer.window.show();
        designer.editHeader(u"Other"_s);
        designer.editHeader(u"Sales"_s);
        QVERIFY(designer.window.close());
        QVERIFY(designer.environment.dialogs.take().isEmpty());
    }

    void startupFileOpensAsOpenDoes() {
        Designer designer;
        const QString path = designer.graph(u"start.TVX"_s);
        QVERIFY(QDir::setCurrent(designer.environment.folder()));
        designer.commands().openStartupFile(u"start.TVX"_s);
        QCOMPARE(designer.window.title(), u"Tivora Designer - start.TVX"_s);
        QCOMPARE(test::ShellEnvironment::storedRecent().first(),
                 QFileInfo(path).absoluteFilePath());
    }
};

} // namespace tivora

QTEST_MAIN(tivora::FileCommandsTest)
#include "tst_file_commands.moc"
