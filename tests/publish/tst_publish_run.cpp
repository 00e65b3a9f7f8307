#include "engine/render/render.h"
#include "publish/graph_preparation.h"
#include "publish/project_file.h"
#include "publish/publish_command.h"
#include "publish_fixture.h"

#include <QGuiApplication>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tivora::publish {

using test::graphOfType;
using test::PublishFixture;
using test::readBytes;
using test::writeBytes;

namespace {

QImage rendered(const QString& input, const QString& png) {
    const auto error = engine::renderToFile(input, png, {});
    if (error)
        qWarning("%s", qPrintable(*error));
    return QImage(png).convertToFormat(QImage::Format_ARGB32);
}

// A graph file of our own making: the given lines, joined by CR LF as the writer joins them.
QString handMadeGraph(PublishFixture& fixture, const QString& name,
                      const QList<QByteArray>& lines) {
    const QString path = fixture.path(name);
    writeBytes(path, lines.join("\r\n"));
    return path;
}

QByteArray enc(QByteArrayView text) {
    return EncodeValue(text);
}

} // namespace

class PublishRunTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void twoGraphsForTheInternet() {
        PublishFixture fixture;
        const QString sales = fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"bar"_s));
        const QString costs = fixture.writeGraph(u"Costs.TVX"_s, graphOfType(u"bar"_s));
        const auto summary = fixture.run(fixture.choices(ExportKind::Internet, {sales, costs}));
        QCOMPARE(fixture.log,
                 (QStringList{u"Writing to: "_s + fixture.outFolder(), u"Files Written: "_s, u" "_s,
                              QString(), u"Generating ... Sales.swf"_s, QString(),
                              u"Generating ... Costs.swf"_s, u" "_s, u"Finished."_s,
                              u"Graphs written: 2, skipped: 0"_s}));
        QVERIFY(summary.complete());
        QCOMPARE(summary.tutorial, TutorialStep::HideInternetTutorial);
        QCOMPARE(fixture.outputFiles(),
                 (QStringList{u"Costs.html"_s, u"Costs.mp4"_s, u"Costs.svg"_s, u"Costs.swf"_s,
                              u"Sales.html"_s, u"Sales.mp4"_s, u"Sales.svg"_s, u"Sales.swf"_s,
                              u"Tivorav32.swf"_s}));
        const QByteArray movie = readBytes(fixture.out(u"Sales.swf"_s));
        QCOMPARE(movie.size(), readBytes(fixture.dataFolder() + u"TivoraTrigger.swf"_s).size());
        QVERIFY(movie.contains("flag=EMBEDDED"));
        QVERIFY(readBytes(fixture.out(u"Sales.svg"_s)).contains("<svg"));
    }

    void powerPointAndFlashProjectFiles() {
        PublishFixture fixture;
        const QString sales = fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"line"_s));
        auto summary = fixture.run(fixture.choices(ExportKind::PowerPoint, {sales}));
        QCOMPARE(summary.tutorial, TutorialStep::ShowPowerPointTutorial);
        QCOMPARE(fixture.outputFiles(), (QStringList{u"Sales.mp4"_s, u"Sales.swf"_s}));
        QCOMPARE(readBytes(fixture.out(u"Sales.swf"_s)).size(),
                 readBytes(fixture.dataFolder() + u"Tivorav32L.swf"_s).size());
        QCOMPARE(fixture.log.mid(fixture.log.size() - 3),
                 (QStringList{u" "_s, u"Finished."_s, u"Graphs written: 1, skipped: 0"_s}));

        // Flash project, neither pages nor sample: movies only, and no full stop at the end.
        PublishChoices flash = fixture.choices(ExportKind::FlashProject, {sales});
        flash.saveDirectory = fixture.path(u"flash"_s);
        flash.htmlFile = false;
        flash.flaFile = false;
        summary = fixture.run(flash);
        QCOMPARE(QDir(flash.saveDirectory).entryList(QDir::Files),
                 (QStringList{u"Sales.mp4"_s, u"Sales.swf"_s, u"Tivorav32.swf"_s}));
        QVERIFY(
            fixture.log.contains(u"Written SWF file "_s + flash.saveDirectory + u"/Sales.swf "_s));
        QVERIFY(fixture.log.contains(u"Finished"_s));
        QCOMPARE(summary.tutorial, TutorialStep::Leave);

        // Standalone movies with pages and the sample project.
        flash.saveDirectory = fixture.path(u"flash2"_s);
        flash.engine = false;
        flash.htmlFile = flash.flaFile = true;
        flash.embed = false;
        fixture.run(flash);
        QCOMPARE(QDir(flash.saveDirectory).entryList(QDir::Files, QDir::Name),
                 (QStringList{u"Sales.html"_s, u"Sales.mp4"_s, u"Sales.svg"_s, u"Sales.swf"_s,
                              u"Sample_Sales.fla"_s, u"popSales.html"_s}));
        const QByteArray sample = readBytes(flash.saveDirectory + u"/Sample_Sales.fla"_s);
        QVERIFY(sample.contains(QByteArray("\"Sales.swf" + QByteArray(47, ' ') + '"')));
        QVERIFY(fixture.log.contains(u"Written sample... "_s + flash.saveDirectory +
                                     u"/Sample_Sales.fla "_s));
    }

    void publishedMoviesDrawWhatTheGraphFileDraws_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("kind");
        for (const QString& type : {u"bar"_s, u"sbar"_s, u"line"_s, u"area"_s, u"pie"_s}) {
            for (const int kind : {0, 1, 2})
                QTest::addRow("%s-%d", qPrintable(type), kind) << type << kind;
        }
    }
    void publishedMoviesDrawWhatTheGraphFileDraws() {
        QFETCH(QString, type);
        QFETCH(int, kind);
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Graph.TVX"_s, graphOfType(type));
        QVERIFY(fixture.run(fixture.choices(ExportKind(kind), {graph})).complete());
        const QImage expected = rendered(graph, fixture.path(u"expected.png"_s));
        const QImage published =
            rendered(fixture.out(u"Graph.swf"_s), fixture.path(u"published.png"_s));
        QVERIFY(!expected.isNull());
        QCOMPARE(published, expected);
    }

    void picturesAndEffectsByBareFileName() {
        PublishFixture fixture;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QDir().mkpath(fixture.path(u"pictures"_s));
        QVERIFY(picture.save(fixture.path(u"pictures/sky.png"_s)));
        GraphDocument document = graphOfType(u"bar"_s);
        document.effects.edtBImage1 = fixture.path(u"pictures/sky.png"_s);
        document.effects.edtBOverlay = u"snow.eff"_s;
        const QString graph = fixture.writeGraph(u"Pictured.TVX"_s, document);
        fixture.run(fixture.choices(ExportKind::PowerPoint, {graph}));
        QVERIFY(fixture.log.contains(fixture.path(u"pictures/sky.png"_s)));
        QVERIFY(fixture.log.contains(u"snow.eff"_s));
        QVERIFY(fixture.outputFiles().contains(u"sky.png"_s));
        QVERIFY(fixture.outputFiles().contains(u"snow.eff"_s));
        // The movie names the picture by its bare name, three times over.
        const QByteArray movie = readBytes(fixture.out(u"Pictured.swf"_s));
        const QByteArray separator = enc("/x/");
        const QByteArray images = "&BImages=" + enc("sky.png") + separator + enc("sky.png") +
                                  separator + enc("sky.png") + '&';
        QVERIFY(movie.contains(images));
    }

    void temporaryTextNamesPicturesByFileName() {
        QCOMPARE(withBarePictureNames("&a=1&BImages=" + enc("C:\\p\\one.jpg") + "&b=2&"),
                 "&a=1&BImages=" + enc("one.jpg") + enc("/x/") + enc("one.jpg") + enc("/x/") +
                     enc("one.jpg") + "&b=2&");
        QCOMPARE(withBarePictureNames("&BImages=&x=1"),
                 "&BImages=" + enc("/x/") + enc("/x/") + "&x=1");
        QCOMPARE(withBarePictureNames("&pieImage=" + enc("/srv/pics/p.png/x/q.png") + "&z=&"),
                 "&pieImage=" + enc("p.png") + "&z=&");
    }

    void namesFromTheGraphNeverLeaveTheSaveFolder() {
        PublishFixture fixture;
        QDir().mkpath(fixture.path(u"elsewhere"_s));
        writeBytes(fixture.path(u"evil.png"_s), "not really a picture");
        writeBytes(fixture.dataFolder() + u"../secret.eff"_s, "TVEFFECT 1\n");
        const QString graph = handMadeGraph(
            fixture, u"Evil.TVX"_s,
            {"&gt_=" + enc("bar") + "&sr_=" + enc("1") + "&co_=" + enc("1") + "&y1v_=" + enc("5") +
             "&BImages=" + enc(fixture.path(u"elsewhere/../evil.png"_s).toUtf8()) +
             "&BEffect=" + enc("../secret.eff") + '&'});
        fixture.run(fixture.choices(ExportKind::PowerPoint, {graph}));
        QVERIFY(QFile::exists(fixture.out(u"evil.png"_s)));
        QVERIFY(!QFile::exists(fixture.out(u"secret.eff"_s)));
        QVERIFY(fixture.log.contains(u"Could not copy the effect ../secret.eff: it is not in "_s +
                                     QDir::toNativeSeparators(QDir(fixture.dataFolder()).path())));
    }

    void aLineTooLongForItsSlotSkipsOnlyThatGraph() {
        PublishFixture fixture;
        const QString longLine = handMadeGraph(
            fixture, u"Long.TVX"_s,
            {"&gt_=" + enc("bar") + '&' + QByteArray(490, 'x') + "=1&", "&sr_=" + enc("1") + '&'});
        const QString fine = fixture.writeGraph(u"Fine.TVX"_s, graphOfType(u"area"_s));
        const auto summary = fixture.run(fixture.choices(ExportKind::PowerPoint, {longLine, fine}));
        QCOMPARE(summary.written, 1);
        QCOMPARE(summary.skipped, 1);
        QVERIFY(!QFile::exists(fixture.out(u"Long.swf"_s)));
        QVERIFY(QFile::exists(fixture.out(u"Fine.swf"_s)));
        QVERIFY(fixture.log.contains(u"Skipped "_s + longLine +
                                     u": line 1 holds 502 characters, more than its place in the "
                                     "movie holds; the movie was not written"_s));
        QCOMPARE(fixture.log.last(), u"Graphs written: 1, skipped: 1"_s);

        // 481 characters still fit: the graph is published, with the warning in the log.
        const QString overloaded = handMadeGraph(
            fixture, u"Full.TVX"_s, {"&gt_=" + enc("bar") + '&' + QByteArray(470, 'y') + "=1&"});
        QVERIFY(fixture.run(fixture.choices(ExportKind::PowerPoint, {overloaded})).complete());
        QVERIFY(fixture.log.contains(u"Error - Information overload ... Please contact Orvanta "
                                     "support ("_s +
                                     overloaded + u", line 1)"_s));
    }

    void missingFilesAreLoggedAndTheRunGoesOn() {
        PublishFixture fixture;
        const QString missing = fixture.path(u"Gone.TVX"_s);
        const QString fine = fixture.writeGraph(u"Fine.TVX"_s, graphOfType(u"pie"_s));
        GraphDocument pictured = graphOfType(u"bar"_s);
        pictured.effects.edtBImage1 = u"C:\\Pictures\\nowhere.jpg"_s;
        const QString withPicture = fixture.writeGraph(u"Pictured.TVX"_s, pictured);
        const auto summary =
            fixture.run(fixture.choices(ExportKind::Internet, {missing, fine, withPicture}));
        QCOMPARE(summary.written, 2);
        QCOMPARE(summary.skipped, 1);
        QVERIFY(!summary.complete());
        QCOMPARE(summary.failures.size(), 2);
        QVERIFY(fixture.log.contains(u"Skipped "_s + missing +
                                     u": the graph file could not be read: Gone.TVX does not "
                                     "exist."_s));
        QVERIFY(fixture.log.contains(
            u"Could not copy the picture C:\\Pictures\\nowhere.jpg: the file does not exist"_s));
        QCOMPARE(fixture.log.last(), u"Graphs written: 2, skipped: 1"_s);
    }

    // A pipe named as a graph would hold the run for ever; a folder where a movie goes would be
    // replaced. Each skips its graph with the reason, and the run goes on.
    void pipesAndFoldersInTheWayAreRefused() {
        PublishFixture fixture;
        const QString pipe = fixture.path(u"Pipe.TVX"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString blocked = fixture.writeGraph(u"Blocked.TVX"_s, graphOfType(u"bar"_s));
        QVERIFY(QDir(fixture.outFolder()).mkpath(u"Blocked.swf"_s));
        const QString fine = fixture.writeGraph(u"Fine.TVX"_s, graphOfType(u"pie"_s));
        const auto summary =
            fixture.run(fixture.choices(ExportKind::PowerPoint, {pipe, blocked, fine}));
        QCOMPARE(summary.written, 1);
        QCOMPARE(summary.skipped, 2);
        QVERIFY(fixture.log.contains(
            u"Skipped "_s + pipe +
            u": the graph file could not be read: Pipe.TVX is not an ordinary file (it is a "
            "device, pipe or socket)."_s));
        const QString movie = QDir(fixture.outFolder()).filePath(u"Blocked.swf"_s);
        QVERIFY(std::ranges::any_of(fixture.log, [&](const QString& line) {
            return line.startsWith(u"Skipped "_s + blocked) &&
                   line.endsWith(u"could not be written: Blocked.swf is a folder: name a file to "
                                 "write."_s);
        }));
        QVERIFY(QFileInfo(movie).isDir());
        QVERIFY(QFileInfo::exists(QDir(fixture.outFolder()).filePath(u"Fine.swf"_s)));
    }

    void graphsOfTheSameNameAreNamedInAWarning() {
        PublishFixture fixture;
        const QString first = fixture.writeGraph(u"a/Sales.TVX"_s, graphOfType(u"bar"_s));
        const QString second = fixture.writeGraph(u"b/Sales.tvx"_s, graphOfType(u"line"_s));
        const auto summary =
            fixture.run(fixture.choices(ExportKind::Internet, {first, second, first}));
        QVERIFY(summary.complete());
        const QStringList warnings = fixture.log.filter(u"Warning: "_s);
        QCOMPARE(warnings, QStringList{u"Warning: "_s + second + u" and "_s + first +
                                       u" have the same file name; the files of "_s + second +
                                       u" replace those of "_s + first + u'.'});
    }

    void theSaveFolderIsCheckedBeforeAnythingIsWritten() {
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"bar"_s));
        PublishChoices choices = fixture.choices(ExportKind::Internet, {graph});
        choices.saveDirectory = u"  "_s;
        QCOMPARE(saveFolderProblem(choices.saveDirectory),
                 std::optional<QString>(u"Please select the directory to save the files to."_s));
        auto summary = fixture.run(choices);
        QCOMPARE(summary.skipped, 1);
        QCOMPARE(summary.written, 0);

        writeBytes(fixture.path(u"plain file"_s), "x");
        choices.saveDirectory = fixture.path(u"plain file/out"_s);
        QCOMPARE(saveFolderProblem(choices.saveDirectory),
                 std::optional<QString>(u"The directory "_s + choices.saveDirectory +
                                        u" cannot be created."_s));
        summary = fixture.run(choices);
        QVERIFY(fixture.log.contains(*saveFolderProblem(choices.saveDirectory)));
        QCOMPARE(summary.skipped, 1);

        choices.saveDirectory = fixture.path(u"new/deeper"_s);
        QCOMPARE(saveFolderProblem(choices.saveDirectory), std::nullopt);
        QVERIFY(QDir(choices.saveDirectory).isEmpty());
    }

    void aCancelStopsBetweenGraphs() {
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"bar"_s));
        std::atomic_bool cancel = false;
        PublishRun run(fixture.choices(ExportKind::PowerPoint, {graph, graph, graph}),
                       fixture.dataFolder());
        QStringList log;
        const auto summary =
            run.GeneratePublishFiles([&log](const QString& line) { log.append(line); },
                                     [&cancel](int done, int) { cancel = done == 1; }, &cancel);
        QVERIFY(summary.cancelled);
        QCOMPARE(summary.written, 1);
        QCOMPARE(summary.skipped, 2);
        QCOMPARE(log.last(), u"Graphs written: 1, skipped: 2"_s);
    }

    void theCommandRunsASavedProject() {
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"bar"_s));
        PublishChoices choices = fixture.choices(ExportKind::Internet, {graph});
        QCOMPARE(SaveProject(projectPath(fixture.dataFolder(), u"Web"_s), choices), std::nullopt);
        QCOMPARE(runPublishCommand({u"Web"_s}), 0);
        QVERIFY(QFile::exists(fixture.out(u"Sales.html"_s)));

        choices.graphs.append(fixture.path(u"Gone.TVX"_s));
        const QString path = fixture.path(u"Broken.TVP"_s);
        QCOMPARE(SaveProject(path, choices), std::nullopt);
        QCOMPARE(runPublishCommand({path}), 1);
        QCOMPARE(runPublishCommand({u"No such project"_s}), 1);
        QCOMPARE(runPublishCommand({}), 2);
    }
};

} // namespace tivora::publish

QTEST_MAIN(tivora::publish::PublishRunTest)
#include "tst_publish_run.moc"
