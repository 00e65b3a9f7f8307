#include "publish/project_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

const QString kExample =
    u"&ExportTo=0&Excel=NO&SaveDirectory=C:\\Web&Files=C:\\Prog\\Data\\Sales.TVX"
    "/x/C:\\Prog\\Data\\Costs.TVX&Engine=YES&FlaFile=NO&HTMLFile=YES&Embed=YES"_s;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class ProjectFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theExampleReadsAndWritesBack() {
        const auto choices = parseProjectText(kExample);
        QVERIFY(choices);
        QCOMPARE(choices->exportKind, ExportKind::Internet);
        QCOMPARE(choices->saveDirectory, u"C:\\Web"_s);
        QCOMPARE(choices->graphs,
                 (QStringList{u"C:\\Prog\\Data\\Sales.TVX"_s, u"C:\\Prog\\Data\\Costs.TVX"_s}));
        QVERIFY(!choices->excelLink && choices->engine && !choices->flaFile);
        QVERIFY(choices->htmlFile && choices->embed);
        QCOMPARE(projectText(*choices), kExample);
    }

    void flagsAreOnOnlyForExactlyYes() {
        const auto lower = parseProjectText(u"&ExportTo=2&Excel=yes&SaveDirectory=d&Files=a.TVX"
                                            "&Engine=yes&FlaFile=yes&HTMLFile=yes&Embed=yes"_s);
        QVERIFY(lower);
        QCOMPARE(lower->exportKind, ExportKind::FlashProject);
        QVERIFY(!lower->excelLink && !lower->engine && !lower->flaFile && !lower->htmlFile);
        QVERIFY(!lower->embed);

        // Without "&Excel" the appended key closes the last value and reads as off.
        const auto noExcel = parseProjectText(
            u"&ExportTo=1&SaveDirectory=d&Files=&Engine=NO&FlaFile=YES&HTMLFile=NO&Embed=YES"_s);
        QVERIFY(noExcel);
        QVERIFY(!noExcel->excelLink);
        QVERIFY(noExcel->embed && noExcel->flaFile && !noExcel->htmlFile && !noExcel->engine);
        QVERIFY(noExcel->graphs.isEmpty());
    }

    void anEmptyListAndAVeryLongList() {
        PublishChoices choices;
        choices.saveDirectory = u"/srv/www"_s;
        QVERIFY(projectText(choices).contains(u"&Files=&Engine="_s));
        QCOMPARE(parseProjectText(projectText(choices))->graphs, QStringList());

        // Lists well over 1000 characters come back whole.
        for (int i = 0; i < 40; ++i)
            choices.graphs.append(u"/home/someone/graphs/quarterly/graph number %1.TVX"_s.arg(i));
        QVERIFY(projectText(choices).size() > 2000);
        QCOMPARE(*parseProjectText(projectText(choices)), choices);
    }

    // A damaged list: its empty entries name no graph and are passed over; a list longer than any
    // project holds is not read at all.
    void emptyEntriesAndOverlongLists() {
        const auto gaps =
            parseProjectText(u"&ExportTo=0&Files=/x/a.TVX/x//x//x/b.TVX/x/&Embed=NO"_s);
        QVERIFY(gaps);
        QCOMPARE(gaps->graphs, (QStringList{u"a.TVX"_s, u"b.TVX"_s}));
        QVERIFY(!gaps->embed);

        QString separators = u"&ExportTo=0&Files="_s;
        for (int i = 0; i < 100000; ++i)
            separators += u"/x/"_s;
        QCOMPARE(parseProjectText(separators)->graphs, QStringList());

        QString most = u"&ExportTo=0&Files=g"_s;
        for (int i = 1; i < kMostGraphsInProject; ++i)
            most += u"/x/g"_s;
        QCOMPARE(parseProjectText(most)->graphs.size(), kMostGraphsInProject);
        QVERIFY(!parseProjectText(most + u"/x/g"_s));
    }

    void exportKindMustBeOneOfTheThree() {
        QVERIFY(!parseProjectText(u"&ExportTo=x&Excel=NO"_s));
        QVERIFY(!parseProjectText(u"&ExportTo=3&Excel=NO"_s));
        QVERIFY(!parseProjectText(u"&Excel=NO"_s));
    }

    void filesSavedLoadedListedAndDeleted() {
        QTemporaryDir folder;
        const QString data = folder.path() + u"/"_s;
        PublishChoices choices;
        choices.exportKind = ExportKind::PowerPoint;
        choices.excelLink = true;
        choices.saveDirectory = u"/tmp/out put"_s;
        choices.graphs = {u"/a/Sales.TVX"_s, u"/a/Sales.TVX"_s};
        choices.embed = false;
        const QString path = projectPath(data, u" Monthly web graphs "_s);
        QCOMPARE(path, data + u" Monthly web graphs .TVP"_s);
        QCOMPARE(SaveProject(path, choices), std::nullopt);
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(written.readAll()), projectText(choices)); // no line end
        // The project is named after its file, blanks and all; the line does not hold the name.
        choices.projectName = u" Monthly web graphs "_s;
        QCOMPARE(*LoadProject(path).choices, choices);

        QCOMPARE(SaveProject(data + u"Another.TVP"_s, PublishChoices()), std::nullopt);
        writeFile(data + u"notes.txt"_s, "x");
        QCOMPARE(ListProjects(data), (QStringList{u" Monthly web graphs "_s, u"Another"_s}));

        QCOMPARE(deleteProject(path), std::nullopt);
        QCOMPARE(deleteProject(path), std::nullopt); // already gone: no message
        QCOMPARE(ListProjects(data), QStringList{u"Another"_s});
    }

    void readingAndWritingFailures() {
        QTemporaryDir folder;
        const QString missing = folder.path() + u"/Missing.TVP"_s;
        QCOMPARE(LoadProject(missing).error, u"Error loading project file. "_s + missing);
        const QString bad = folder.path() + u"/Bad.TVP"_s;
        writeFile(bad, "&ExportTo=web&Excel=NO\r\nsecond line");
        QVERIFY(!LoadProject(bad).choices);
        QCOMPARE(LoadProject(bad).error, u"Error loading project file. "_s + bad);
        // Only the first line counts.
        writeFile(bad, "&ExportTo=1&Embed=NO\r\n&Embed=YES&");
        QVERIFY(!LoadProject(bad).choices->embed);
        // A pipe named as a project is refused at once instead of waiting for a writer.
        const QString pipe = folder.path() + u"/Pipe.TVP"_s;
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QCOMPARE(LoadProject(pipe).error, u"Error loading project file. "_s + pipe);

        const QString unwritable = folder.path() + u"/no such folder/P.TVP"_s;
        QCOMPARE(SaveProject(unwritable, PublishChoices()),
                 std::optional<QString>(u"Error writing project file. "_s + unwritable));
    }

    void namesThatCannotBeAProjectFile() {
        for (const QString& name : {u"a/b"_s, u"..\\x"_s, u".."_s, u"x..y"_s, u"a:b"_s, u"a*b"_s,
                                    u"tab\there"_s, u"q?"_s, u"\u4e2d"_s})
            QVERIFY2(projectNameProblem(name), qPrintable(name));
        for (const QString& name : {u"Monthly web graphs"_s, u" spaced "_s, u"Café 2.1"_s})
            QCOMPARE(projectNameProblem(name), std::nullopt);
    }

    void pathsThatWouldNotReadBack() {
        PublishChoices choices;
        choices.saveDirectory = u"/srv/R&D"_s;
        QVERIFY(projectChoicesProblem(choices)->endsWith(u"/srv/R&D"_s));
        choices.saveDirectory = u"/srv"_s;
        choices.graphs = {u"/a/ok.TVX"_s, u"/a/x/x/b.TVX"_s};
        QVERIFY(projectChoicesProblem(choices));
        choices.graphs = {u"/a/ok.TVX"_s};
        QCOMPARE(projectChoicesProblem(choices), std::nullopt);
    }
};

} // namespace tivora::publish

QTEST_APPLESS_MAIN(tivora::publish::ProjectFileTest)
#include "tst_project_file.moc"
