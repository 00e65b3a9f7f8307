#include "document/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

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
        if (::geteuid() == 0)
            QSKIP("Every folder is writable for root");
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
};

} // namespace tivora

QTEST_MAIN(tivora::ProgramFolderTest)
#include "tst_program_folder.moc"
