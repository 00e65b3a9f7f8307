#include "../shell/scripted_dialogs.h"
#include "controls/folder_browser.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

// Records the start folder as well, which the shared script does not.
class FolderDialogs : public test::ScriptedDialogs {
public:
    QString chooseFolder(const QString& title, const QString& startFolder) override {
        folderStarts.append(startFolder);
        return ScriptedDialogs::chooseFolder(title, startFolder);
    }
    QStringList folderStarts;
};

class FolderBrowserTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void chosenCancelledAndRelative() {
        FolderDialogs dialogs;
        TBrowseForFolderDialog browser;
        browser.setTitle(u"Choose the  Directory"_s);
        QVERIFY(!browser.execute());
        QCOMPARE(dialogs.take(), QStringList{u"unanswered: folder: Choose the  Directory"_s});
        QCOMPARE(dialogs.folderStarts, QStringList{QDir::homePath()});

        dialogs.fileNames.push_back(u"/srv/www/graphs"_s);
        browser.setStartFolder(u"/srv"_s);
        QVERIFY(browser.execute());
        QCOMPARE(browser.folder(), u"/srv/www/graphs"_s);
        QCOMPARE(dialogs.folderStarts.last(), u"/srv"_s);

        // Whatever the chooser gives, the result is an absolute path.
        dialogs.fileNames.push_back(u"relative/place"_s);
        QVERIFY(browser.execute());
        QCOMPARE(browser.folder(), QDir::current().absoluteFilePath(u"relative/place"_s));
    }
};

} // namespace tivora

QTEST_MAIN(tivora::FolderBrowserTest)
#include "tst_folder_browser.moc"
