// Where the file dialogs start: the folder of the last file chosen for the same kind of file,
// kept in the user's settings, else the home folder.
#include "controls/last_folder.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tivora {

class TstLastFolder : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;

    QString made(const QString& name) {
        QString path = m_folder.filePath(name);
        QDir().mkpath(path);
        return path;
    }

private Q_SLOTS:
    void init() {
        QSettings::setPath(
            QSettings::NativeFormat, QSettings::UserScope,
            m_folder.filePath(u"settings-"_s + QLatin1StringView(QTest::currentTestFunction())));
    }

    void eachKindStartsAtHomeAndKeepsItsOwnFolder() {
        for (FileKind kind : {FileKind::Graph, FileKind::Workbook, FileKind::Snapshot})
            QCOMPARE(lastFolder(kind), QDir::homePath());
        const QString graphs = made(u"graphs"_s);
        const QString books = made(u"books"_s);
        rememberFolder(FileKind::Graph, graphs + u"/Sales.TVX"_s);
        rememberFolder(FileKind::Workbook, books + u"/plan.xlsx"_s);
        QCOMPARE(lastFolder(FileKind::Graph), graphs);
        QCOMPARE(lastFolder(FileKind::Workbook), books);
        QCOMPARE(lastFolder(FileKind::Snapshot), QDir::homePath());
    }

    void aCancelledDialogChangesNothing() {
        const QString graphs = made(u"graphs"_s);
        rememberFolder(FileKind::Graph, graphs + u"/Sales.TVX"_s);
        rememberFolder(FileKind::Graph, QString());
        QCOMPARE(lastFolder(FileKind::Graph), graphs);
    }

    void aChosenFolderIsKeptAsItIs() {
        const QString out = made(u"out"_s);
        rememberFolder(FileKind::Snapshot, out);
        QCOMPARE(lastFolder(FileKind::Snapshot), out);
    }

    void theFolderIsKeptBetweenRuns() {
        const QString graphs = made(u"graphs"_s);
        rememberFolder(FileKind::Graph, graphs + u"/Sales.TVX"_s);
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, u"Orvanta"_s, u"Tivora"_s);
        QCOMPARE(store.value(u"Folders/Graphs"_s).toString(), graphs);
    }

    void aFolderThatHasGoneFallsBackToHome() {
        const QString gone = made(u"gone"_s);
        rememberFolder(FileKind::Graph, gone + u"/Sales.TVX"_s);
        QVERIFY(QDir(gone).removeRecursively());
        QCOMPARE(lastFolder(FileKind::Graph), QDir::homePath());
        // A file where the folder was is no folder either.
        QFile blocker(gone);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(lastFolder(FileKind::Graph), QDir::homePath());
    }

    // Reading a settings file that is a pipe would wait for a writer for ever, and every file
    // dialog asks for its folder.
    void aSettingsFileThatIsAPipeIsNeitherReadNorWritten() {
        const QString folder =
            made(u"settings-%1/Orvanta"_s.arg(QLatin1StringView(QTest::currentTestFunction())));
        const QString pipe = folder + u"/Tivora.conf"_s;
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString graphs = made(u"graphs"_s);
        rememberFolder(FileKind::Graph, graphs + u"/Sales.TVX"_s);
        QCOMPARE(lastFolder(FileKind::Graph), QDir::homePath());
        struct stat status {};
        QVERIFY(::lstat(QFile::encodeName(pipe).constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
    }
};

} // namespace tivora

QTEST_GUILESS_MAIN(tivora::TstLastFolder)
#include "tst_last_folder.moc"
