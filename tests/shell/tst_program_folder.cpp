#include "controls/movie_player.h"
#include "document/program_folder.h"
#include "shell/file_commands.h"
#include "shell/preview_panel.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A portable copy of the program in a folder of its own, holding the Data folder as shipped, and
// the user's own folder beside it.
struct PortableCopy {
    PortableCopy() { test::copyShippedData(program + u"/Data"_s); }

    QTemporaryDir root;
    const QString program = root.path() + u"/program"_s;
    const QString user = root.path() + u"/user"_s;
};

} // namespace

class ProgramFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void executableFolderWithDataIsTheProgramFolder() {
        QTemporaryDir root;
        QDir().mkpath(root.path() + u"/app/Data"_s);
        QCOMPARE(findProgramFolder(root.path() + u"/app"_s, root.path() + u"/user"_s).path,
                 root.path() + u"/app/"_s);
        setProgramFolder(root.path() + u"/app"_s);
        QCOMPARE(programDataPath(u"Slide0.txt"_s), root.path() + u"/app/Data/Slide0.txt"_s);
        setProgramFolder(QString());
    }

    void writableInstallationIsUsedInPlace() {
        QTemporaryDir root;
        QDir().mkpath(root.path() + u"/bin"_s);
        QDir().mkpath(root.path() + u"/share/tivora/Data"_s);
        QCOMPARE(findProgramFolder(root.path() + u"/bin"_s, root.path() + u"/user"_s).path,
                 root.path() + u"/share/tivora/"_s);
    }

    void readOnlyInstallationWorksInAPerUserCopy() {
        QTemporaryDir root;
        const QString installed = root.path() + u"/share/tivora"_s;
        const QString user = root.path() + u"/user"_s;
        QDir().mkpath(root.path() + u"/bin"_s);
        writeFile(installed + u"/Data/Tivorav32.swf"_s, "engine 1");
        writeFile(installed + u"/Default.skn"_s, "skin");
        QFile::setPermissions(installed + u"/Data"_s, QFile::ReadOwner | QFile::ExeOwner);

        const FoundProgramFolder first = findProgramFolder(root.path() + u"/bin"_s, user);
        QCOMPARE(first.path, user + u'/');
        QVERIFY(!first.problem);
        QCOMPARE(readFile(user + u"/Data/Tivorav32.swf"_s), QByteArray("engine 1"));
        QCOMPARE(readFile(user + u"/Default.skn"_s), QByteArray("skin"));

        // A newer installed file replaces the copy; files the program wrote stay.
        writeFile(user + u"/Data/Slide0.txt"_s, "graph");
        QFile::setPermissions(installed + u"/Data"_s,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile newer(installed + u"/Data/Tivorav32.swf"_s);
        QVERIFY(newer.open(QIODevice::WriteOnly));
        newer.write("engine 2");
        // Written out first, so that closing does not set the time back to now.
        newer.flush();
        newer.setFileTime(QDateTime::currentDateTime().addSecs(60),
                          QFileDevice::FileModificationTime);
        newer.close();
        QFile::setPermissions(installed + u"/Data"_s, QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(findProgramFolder(root.path() + u"/bin"_s, user).path, user + u'/');
        QCOMPARE(readFile(user + u"/Data/Tivorav32.swf"_s), QByteArray("engine 2"));
        QCOMPARE(readFile(user + u"/Data/Slide0.txt"_s), QByteArray("graph"));
        QFile::setPermissions(installed + u"/Data"_s,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void designerWritesItsDataBesideAReadOnlyCopy() {
        // A portable copy of the program, made read-only as on a CD or a shared drive; it holds
        // a preview file from an earlier run.
        const PortableCopy copy;
        const QString& program = copy.program;
        const QString& user = copy.user;
        writeFile(program + u"/Data/Slide0.txt"_s, "&v_=2.0&");
        makeReadOnly(program);

        const FoundProgramFolder found = findProgramFolder(program, user);
        const QString folder = found.path;
        QCOMPARE(folder, user + u'/');
        QVERIFY(!found.problem);
        // Every copied file can be replaced, the preview file included.
        QVERIFY(QFileInfo(user + u"/Data/Slide0.txt"_s).permissions() & QFile::WriteOwner);

        {
            test::ShellEnvironment environment;
            setProgramFolder(folder);
            TfrmLumara window;
            window.show();
            const QString graph = user + u"/bars.TVX"_s;
            GraphDocument bars = test::ShellEnvironment::seriesGraph(2, 3);
            QVERIFY(WriteGraphText(bars, graph).written());
            window.fileCommands().openStartupFile(graph);
            QVERIFY(environment.dialogs.shown.isEmpty());
            QCOMPARE(readFile(user + u"/Data/Slide0.txt"_s), readFile(graph));
            QCOMPARE(window.Panel9->ShockwaveFlash1->movie(), user + u"/Data/Tivorav32.swf"_s);
        }
        setProgramFolder(QString());
        QCOMPARE(readFile(program + u"/Data/Slide0.txt"_s), QByteArray("&v_=2.0&"));
        makeWritable(program);
    }

    void filesThatCannotBeCopiedAreReportedAtStart() {
        const PortableCopy copy;
        const QString& program = copy.program;
        const QString& user = copy.user;
        writeFile(program + u"/Default.skn"_s, "skin");
        // A folder where two copies should go: neither can replace it.
        QVERIFY(QDir().mkpath(user + u"/Data/NoInfo.swf/inside"_s));
        QVERIFY(QDir().mkpath(user + u"/Default.skn/inside"_s));
        makeReadOnly(program);

        const FoundProgramFolder found = findProgramFolder(program, user);
        makeWritable(program);
        QCOMPARE(found.path, user + u'/');
        QVERIFY(found.problem);
        const QStringList lines = found.problem->split(u'\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].contains(user));
        // Each file that failed is named, with the system's reason.
        QStringList failed = lines.mid(1);
        failed.sort();
        const QString movie = user + u"/Data/NoInfo.swf: "_s;
        QVERIFY(failed[0].startsWith(movie));
        QVERIFY(failed[0].size() > movie.size());
        QVERIFY(failed[1].startsWith(user + u"/Default.skn: "_s));
        // The files that could be copied were.
        QCOMPARE(readFile(user + u"/Data/Tivorav32.swf"_s),
                 readFile(program + u"/Data/Tivorav32.swf"_s));

        // The designer says so once its window is on the screen.
        test::ShellEnvironment environment;
        setProgramFolder(found);
        QCOMPARE(programFolderProblem(), found.problem);
        {
            TfrmLumara window;
            window.show();
            QTRY_COMPARE(environment.dialogs.shown.size(), 1);
            QVERIFY(environment.dialogs.shown.first().contains(u"/Data/NoInfo.swf: "_s));
        }
        setProgramFolder(user);
        QVERIFY(!programFolderProblem());
        setProgramFolder(QString());
    }

    void manyFailuresAreCountedNotAllNamed() {
        QTemporaryDir root;
        const QString program = root.path() + u"/program"_s;
        const QString user = root.path() + u"/user"_s;
        for (int file = 0; file < 8; ++file) {
            const QString name = u"/Data/movie%1.swf"_s.arg(file);
            writeFile(program + name, "movie");
            QVERIFY(QDir().mkpath(user + name + u"/inside"_s));
        }
        makeReadOnly(program);
        const FoundProgramFolder found = findProgramFolder(program, user);
        makeWritable(program);
        QVERIFY(found.problem);
        const QStringList lines = found.problem->split(u'\n');
        QCOMPARE(lines.size(), 1 + 5 + 1);
        QCOMPARE(lines.last(), u"and 3 more"_s);
    }

private:
    static void setWritable(const QString& folder, bool writable) {
        const auto write = writable ? QFile::WriteOwner : QFile::Permissions();
        QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        QStringList paths{folder};
        while (entries.hasNext())
            paths.append(entries.next());
        for (const QString& path : std::as_const(paths)) {
            const bool isFolder = QFileInfo(path).isDir();
            QFile::setPermissions(path, QFile::ReadOwner | write |
                                            (isFolder ? QFile::ExeOwner : QFile::Permissions()));
        }
    }
    static void makeReadOnly(const QString& folder) { setWritable(folder, false); }
    static void makeWritable(const QString& folder) { setWritable(folder, true); }
};

} // namespace tivora

QTEST_MAIN(tivora::ProgramFolderTest)
#include "tst_program_folder.moc"
