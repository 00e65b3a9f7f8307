#include "common/file_size_limit.h"
#include "engine/render/render.h"
#include "publish/graph_preparation.h"
#include "publish/picture_bytes.h"
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
    QString path = fixture.path(name);
    writeBytes(path, lines.join("\r\n"));
    return path;
}

QByteArray enc(QByteArrayView text) {
    return EncodeValue(text);
}

// The first bytes of a PNG picture: what publishing looks at to tell a picture.
const QByteArray kPngBytes = QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);

// A bar graph naming up to three background pictures and an effect.
QString graphWithPictures(PublishFixture& fixture, const QString& name, const QByteArray& pictures,
                          const QByteArray& effect = {}) {
    return handMadeGraph(fixture, name,
                         {"&gt_=" + enc("bar") + "&sr_=" + enc("1") + "&co_=" + enc("1") +
                          "&y1v_=" + enc("5") + "&BImages=" + enc(pictures) +
                          "&BEffect=" + enc(effect) + '&'});
}

QHash<QString, QByteArray> filesIn(const QString& folder) {
    QHash<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        files.insert(name, readBytes(QDir(folder).filePath(name)));
    return files;
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
        // A quick publish has no project name to give the deck.
        QCOMPARE(fixture.outputFiles(),
                 (QStringList{u"Presentation.pptx"_s, u"Sales.mp4"_s, u"Sales.swf"_s}));
        QCOMPARE(readBytes(fixture.out(u"Sales.swf"_s)).size(),
                 readBytes(fixture.dataFolder() + u"Tivorav32L.swf"_s).size());
        QCOMPARE(
            fixture.log.mid(fixture.log.size() - 4),
            (QStringList{u"Written presentation "_s + fixture.out(u"Presentation.pptx"_s) + u' ',
                         u" "_s, u"Finished."_s, u"Graphs written: 1, skipped: 0"_s}));

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

    // The deck is named after the project and holds a slide for each graph written, in the
    // wizard's order; a graph left out has no slide, and no other kind writes a deck.
    void aPowerPointRunWritesTheDeckOfTheGraphsWritten() {
        PublishFixture fixture;
        const QString sales = fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"bar"_s));
        const QString pie = fixture.writeGraph(u"Pie.TVX"_s, graphOfType(u"pie"_s));
        const QString missing = fixture.path(u"Missing.TVX"_s);
        PublishChoices choices = fixture.choices(ExportKind::PowerPoint, {pie, missing, sales});
        QCOMPARE(SaveProject(projectPath(fixture.dataFolder(), u"Q3 review"_s), choices),
                 std::nullopt);
        const ProjectLoad project = LoadProject(projectPath(fixture.dataFolder(), u"Q3 review"_s));
        QCOMPARE(project.choices->projectName, u"Q3 review"_s);
        const auto summary = fixture.run(*project.choices);
        QCOMPARE(summary.written, 2);
        QCOMPARE(summary.skipped, 1);
        const QByteArray deck = readBytes(fixture.out(u"Q3 review.pptx"_s));
        QVERIFY(deck.startsWith("PK"));
        QVERIFY(deck.contains("ppt/slides/slide2.xml"));
        QVERIFY(!deck.contains("ppt/slides/slide3.xml"));
        // Slides in list order: the pie first. Its video is stored as it is in the deck.
        const QByteArray pieVideo = readBytes(fixture.out(u"Pie.mp4"_s));
        const QByteArray salesVideo = readBytes(fixture.out(u"Sales.mp4"_s));
        QVERIFY(!pieVideo.isEmpty() && !salesVideo.isEmpty());
        QVERIFY(deck.indexOf(pieVideo) >= 0);
        QVERIFY(deck.indexOf(pieVideo) < deck.indexOf(salesVideo));
        QVERIFY(fixture.log.contains(u"Written presentation "_s + fixture.out(u"Q3 review.pptx"_s) +
                                     u' '));

        // Nothing written, no deck; the Internet kind writes none either.
        QVERIFY(QFile::remove(fixture.out(u"Q3 review.pptx"_s)));
        choices.graphs = {missing};
        fixture.run(choices);
        choices.exportKind = ExportKind::Internet;
        choices.graphs = {sales};
        fixture.run(choices);
        QVERIFY(!fixture.outputFiles().filter(u".pptx"_s).size());
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
        writeBytes(fixture.path(u"evil.png"_s), kPngBytes);
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
                                        u" cannot be created: "_s + fixture.path(u"plain file"_s) +
                                        u" is no folder."_s));
        summary = fixture.run(choices);
        QVERIFY(fixture.log.contains(*saveFolderProblem(choices.saveDirectory)));
        QCOMPARE(summary.skipped, 1);

        // A folder that can be made passes the check but is only made by the run.
        choices.saveDirectory = fixture.path(u"new/deeper"_s);
        QCOMPARE(saveFolderProblem(choices.saveDirectory), std::nullopt);
        QVERIFY(!QFileInfo::exists(fixture.path(u"new"_s)));
        QVERIFY(fixture.run(choices).complete());
        QVERIFY(QFileInfo::exists(choices.saveDirectory + u"/Sales.html"_s));
    }

    void nothingToPublishIsAFailure() {
        PublishFixture fixture;
        const auto summary = fixture.run(fixture.choices(ExportKind::Internet, {}));
        QVERIFY(!summary.complete());
        QCOMPARE(summary.failures,
                 QStringList{u"There are no graphs to publish: add at least one graph."_s});
        QVERIFY(!QFileInfo::exists(fixture.outFolder()));

        QCOMPARE(SaveProject(projectPath(fixture.dataFolder(), u"Empty"_s),
                             fixture.choices(ExportKind::Internet, {})),
                 std::nullopt);
        QCOMPARE(runPublishCommand({u"Empty"_s}), 1);
        QVERIFY(!QFileInfo::exists(fixture.outFolder()));
    }

    // Only ordinary files that begin as pictures are copied into the web folder: a graph may
    // name any file as its picture, and the folder is meant for a public site.
    void onlyPicturesAreCopied() {
        PublishFixture fixture;
        writeBytes(fixture.path(u"real.png"_s), kPngBytes + "rest of the picture");
        writeBytes(fixture.path(u"passwords.png"_s), "root:x:0:0:root:/root:/bin/bash\n");
        QVERIFY(QFile::link(u"/etc/passwd"_s, fixture.path(u"linked.gif"_s)));
        const QString passwd =
            graphWithPictures(fixture, u"Bar.TVX"_s,
                              fixture.path(u"passwords.png/x/"_s).toUtf8() + "/etc/passwd/x/" +
                                  fixture.path(u"linked.gif"_s).toUtf8());
        const QString real =
            graphWithPictures(fixture, u"Real.TVX"_s, fixture.path(u"real.png"_s).toUtf8());
        GraphDocument pie = graphOfType(u"pie"_s);
        pie.pie.edtPieImage = u"/proc/self/environ"_s;
        const QString environ = fixture.writeGraph(u"Pie.TVX"_s, pie);
        const auto summary =
            fixture.run(fixture.choices(ExportKind::Internet, {passwd, real, environ}));
        QCOMPARE(summary.written, 3);
        QCOMPARE(fixture.outputFiles().filter(u"passw"_s), QStringList());
        QCOMPARE(fixture.outputFiles().filter(u"environ"_s), QStringList());
        QVERIFY(!QFileInfo::exists(fixture.out(u"linked.gif"_s)));
        QCOMPARE(readBytes(fixture.out(u"real.png"_s)), kPngBytes + "rest of the picture");
        for (const QString& picture : {fixture.path(u"passwords.png"_s), u"/etc/passwd"_s,
                                       fixture.path(u"linked.gif"_s), u"/proc/self/environ"_s}) {
            QVERIFY2(summary.failures.contains(u"Skipped the picture "_s + picture +
                                               u": it is no PNG, JPEG, GIF, BMP or SVG picture"_s),
                     qPrintable(summary.failures.join(u'\n')));
        }
        // Pictures of every kind a page shows get through.
        for (const QByteArray& picture :
             {QByteArray("\xFF\xD8\xFF\xE0"), QByteArray("GIF89a"), QByteArray("GIF87a"),
              QByteArray("\xEF\xBB\xBF <?xml version=\"1.0\"?>\n<svg xmlns=\"\"/>"),
              QByteArray(QByteArray("BM") + QByteArray(12, '\0') + QByteArray("\x28\0\0\0", 4) +
                         QByteArray(8, '\0'))})
            QVERIFY2(isPictureBytes(picture), picture.constData());
        for (const QByteArray& other :
             {QByteArray("BMW"), QByteArray("<html><body>no svg</body></html>"),
              QByteArray("text with <svg later"), QByteArray("GIF88a"), QByteArray()})
            QVERIFY2(!isPictureBytes(other), other.constData());
    }

    void onlyEffectsAreCopiedAsEffects() {
        PublishFixture fixture;
        writeBytes(fixture.dataFolder() + u"fake.eff"_s, "HOME=/root\nSECRET=1\n");
        const QString graph = graphWithPictures(fixture, u"Bar.TVX"_s, {}, "fake.eff");
        const auto summary = fixture.run(fixture.choices(ExportKind::PowerPoint, {graph}));
        QVERIFY(!QFileInfo::exists(fixture.out(u"fake.eff"_s)));
        QVERIFY(summary.failures.first().startsWith(
            u"Skipped the effect fake.eff: it is no effect file ("_s));
        QCOMPARE(summary.written, 1);
    }

    // A picture may not take the place of a file the run writes, whichever graph writes it and
    // whether it comes before or after the picture.
    void picturesNamedLikeTheRunsFilesAreLeftOut() {
        PublishFixture fixture;
        const QByteArray clashes[] = {"Tivorav32.swf", "Costs.html", "popSales.asp"};
        for (const QByteArray& name : clashes)
            writeBytes(fixture.path(u"pics/"_s + QString::fromLatin1(name)), kPngBytes);
        const QString sales = graphWithPictures(fixture, u"Sales.TVX"_s,
                                                fixture.path(u"pics/Tivorav32.swf/x/"_s).toUtf8() +
                                                    fixture.path(u"pics/Costs.html/x/"_s).toUtf8() +
                                                    fixture.path(u"pics/popSales.asp"_s).toUtf8());
        const QString costs = fixture.writeGraph(u"Costs.TVX"_s, graphOfType(u"bar"_s));
        PublishChoices choices = fixture.choices(ExportKind::Internet, {sales, costs});
        choices.embed = false;
        const auto summary = fixture.run(choices);
        QCOMPARE(summary.written, 2);
        QCOMPARE(readBytes(fixture.out(u"Tivorav32.swf"_s)),
                 readBytes(fixture.dataFolder() + u"Tivorav32.swf"_s));
        QVERIFY(readBytes(fixture.out(u"Costs.html"_s)).startsWith("<HTML>"));
        QVERIFY(!QFileInfo::exists(fixture.out(u"popSales.asp"_s)));
        for (const QByteArray& name : clashes) {
            const QString picture = fixture.path(u"pics/"_s + QString::fromLatin1(name));
            QVERIFY2(summary.failures.contains(u"Skipped the picture "_s + picture +
                                               u": its name "_s + QString::fromLatin1(name) +
                                               u" is that of a file this publish writes"_s),
                     qPrintable(summary.failures.join(u'\n')));
        }
    }

    // On a full disk every write fails: the files of an earlier publish stay as they were, and
    // the run says so instead of counting the graph as written.
    void failedWritesKeepTheOldFilesAndSkipTheGraph() {
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"bar"_s));
        PublishChoices choices = fixture.choices(ExportKind::FlashProject, {graph});
        choices.flaFile = true;
        choices.embed = false;
        QVERIFY(fixture.run(choices).complete());
        const auto before = filesIn(fixture.outFolder());
        QCOMPARE(before.size(), 7);

        GraphDocument changed = graphOfType(u"bar"_s);
        changed.header.edtHeader = u"Changed header"_s;
        fixture.writeGraph(u"Sales.TVX"_s, changed);
        PublishSummary summary;
        {
            test::FileSizeLimit fullDisk(0);
            summary = fixture.run(choices);
        }
        QCOMPARE(summary.written, 0);
        QCOMPARE(summary.skipped, 1);
        QVERIFY(!summary.complete());
        QCOMPARE(fixture.log.last(), u"Graphs written: 0, skipped: 1"_s);
        QVERIFY2(summary.failures.first().contains(u"too large"_s, Qt::CaseInsensitive),
                 qPrintable(summary.failures.join(u'\n')));
        QCOMPARE(filesIn(fixture.outFolder()), before);

        // A project saved on a full disk says so and keeps what it held.
        const QString project = projectPath(fixture.dataFolder(), u"Web"_s);
        QCOMPARE(SaveProject(project, choices), std::nullopt);
        const QByteArray saved = readBytes(project);
        choices.saveDirectory = u"/elsewhere"_s;
        {
            test::FileSizeLimit fullDisk(0);
            QCOMPARE(SaveProject(project, choices),
                     std::optional(u"Error writing project file. "_s + project));
        }
        QCOMPARE(readBytes(project), saved);
        choices.saveDirectory = fixture.outFolder();

        // With room for the small files but not for the larger ones, each file is either written
        // whole or keeps its old contents; the graph still counts as skipped.
        {
            test::FileSizeLimit nearlyFull(rlim_t{64} * 1024);
            summary = fixture.run(choices);
        }
        QCOMPARE(summary.skipped, 1);
        const auto after = filesIn(fixture.outFolder());
        QCOMPARE(after.keys().size(), before.size());
        for (auto file = after.begin(); file != after.end(); ++file) {
            if (file.value() != before[file.key()])
                QVERIFY2(file.value().size() < qint64{64} * 1024, qPrintable(file.key()));
        }
    }

    void aProjectFileNamedInLowerCaseRuns() {
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"bar"_s));
        QCOMPARE(SaveProject(fixture.dataFolder() + u"web.tvp"_s,
                             fixture.choices(ExportKind::Internet, {graph})),
                 std::nullopt);
        QCOMPARE(ListProjects(fixture.dataFolder()), QStringList{u"web"_s});
        QCOMPARE(listedProjectPath(fixture.dataFolder(), u"web"_s),
                 fixture.dataFolder() + u"web.tvp"_s);
        QCOMPARE(runPublishCommand({u"web"_s}), 0);
        QVERIFY(QFile::exists(fixture.out(u"Sales.html"_s)));
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
