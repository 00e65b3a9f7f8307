// "Change Skin" opens where the skins that come with the program lie, so each is one click away.
#include "../shell/shell_environment.h"
#include "shell/main_menu.h"
#include "shell/tfrm_lumara.h"
#include "shipped_skins.h"

#include <QAction>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TstChangeSkin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theDialogOpensAmongTheShippedSkins() {
        test::ShellEnvironment environment;
        // Laid out as the build and the installation lay them: beside the Data folder.
        for (const QString& skin : test::shippedSkins())
            QVERIFY(QFile::copy(skin, environment.folder() + QFileInfo(skin).fileName()));
        // The skin in use may lie anywhere; the choice still starts among the shipped ones.
        QVERIFY(QDir().mkpath(environment.folder() + u"mine"_s));
        QVERIFY(QFile::copy(environment.folder() + u"Ocean.skn"_s,
                            environment.folder() + u"mine/Mine.skn"_s));
        environment.store(u"Skin"_s, environment.folder() + u"mine/Mine.skn"_s);
        TfrmLumara window;
        window.show();

        environment.dialogs.fileNames = {QString()};
        window.menu().mnuChangeSkin->trigger();
        QCOMPARE(environment.dialogs.startFolders.size(), 1);
        const QDir start(environment.dialogs.startFolders.first());
        QCOMPARE(start.entryList({u"*.skn"_s}, QDir::Files, QDir::Name),
                 (QStringList{u"Default.skn"_s, u"Graphite.skn"_s, u"Ocean.skn"_s}));
        QCOMPARE(environment.dialogs.take(), QStringList{u"open: Change Skin Skins (*.skn)"_s});

        environment.dialogs.fileNames = {start.filePath(u"Graphite.skn"_s)};
        window.menu().mnuChangeSkin->trigger();
        QCOMPARE(test::ShellEnvironment::storedValue(u"Skin"_s), start.filePath(u"Graphite.skn"_s));
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TstChangeSkin)
#include "tst_change_skin.moc"
