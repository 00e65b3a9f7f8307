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

} // namespace

class ProgramFolderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void executableFolderWithDataIsTheProgramFolder() {
        QTemporaryDir root;
        QDir().mkpath(root.path() + u"/app/Data"_s);
        QCOMPARE(findProgramFolder(root.path() + u"/app"_s, root.path() + u"/user"_s),
                 root.path() + u"/app/"_s);
        setProgramFolder(root.path() + u"/app"_s);
        QCOMPARE(programDataPath(u"Slide0.txt"_s), root.path() + u"/app/Data/Slide0.txt"_s);
        setProgramFolder(QString());
    }

    void writableInstallationIsUsedInPlace() {
        QTemporaryDir root;
        QDir().mkpath(root.path() + u"/bin"_s);
        QDir().mkpath(root.path() + u"/share/tivora/Data"_s);
        QCOMPARE(findProgramFolder(root.path() + u"/bin"_s, root.path() + u"/user"_s),
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

        QCOMPARE(findProgramFolder(root.path() + u"/bin"_s, user), user + u'/');
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
        QCOMPARE(findProgramFolder(root.path() + u"/bin"_s, user), user + u'/');
        QCOMPARE(readFile(user + u"/Data/Tivorav32.swf"_s), QByteArray("engine 2"));
        QCOMPARE(readFile(user + u"/Data/Slide0.txt"_s), QByteArray("graph"));
        QFile::setPermissions(installed + u"/Data"_s,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void designerWritesItsDataBesideAReadOnlyCopy() {
        // A portable copy of the program, made read-only as on a CD or a shared drive; it holds
        // a preview file from an earlier run.
        QTemporaryDir root;
        const QString program = root.path() + u"/program"_s;
        const QString user = root.path() + u"/user"_s;
        test::copyShippedData(program + u"/Data"_s);
        writeFile(program + u"/Data/Slide0.txt"_s, "&v_=2.0&");
        makeReadOnly(program);

        const QString folder = findProgramFolder(program, user);
        QCOMPARE(folder, user + u'/');
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
