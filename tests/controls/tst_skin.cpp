#include "../shell/scripted_dialogs.h"
#include "controls/skins/skin.h"
#include "controls/skins/skin_choice.h"
#include "controls/splash.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplashScreen>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

const QByteArray kGoodSkin =
    "/* a { comment } with \"quotes */\n"
    "[skin=\"Window\"] { background: #203040; color: white; }\n"
    "QPushButton[skin=\"Button\"]:hover { border-image: url('Good/button.png') 4; }\n"
    "[skin=\"N_Oval\"] { image: url(Good/oval.svg); }\n"
    "[skin=\"Tab\"] QLabel { background-image: url(/abs/tab.png); }\n"
    "[skin=\"Logo\"]:disabled { image: url(:/logo.png); }\n"
    "[skin=\"Sample1\"] { image: none; }\n";

QString elementOf(const QWidget* widget) {
    return widget->property("skin").toString();
}

} // namespace

class SkinTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

    QString write(const QString& name, const QByteArray& bytes) {
        QString path = m_folder.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private Q_SLOTS:
    void cleanup() { qApp->setStyleSheet(QString()); }

    void goodSkinIsInstalledWithItsPicturesBesideIt() {
        Skin skin;
        QVERIFY(skin.load(write(u"Good.skn"_s, kGoodSkin)));
        const QString sheet = qApp->styleSheet();
        QVERIFY(!sheet.contains(u"comment"_s));
        const QString folder = QDir(m_folder.path()).absolutePath();
        QVERIFY(sheet.contains(u"url(\"%1/Good/button.png\") 4"_s.arg(folder)));
        QVERIFY(sheet.contains(u"url(\"%1/Good/oval.svg\")"_s.arg(folder)));
        QVERIFY(sheet.contains(u"url(\"/abs/tab.png\")"_s));
        QVERIFY(sheet.contains(u"url(\":/logo.png\")"_s));
        // Pictures of the element itself, not of what lies inside it, and "none" is none.
        for (const QString& element : {u"Button"_s, u"N_Oval"_s, u"Logo"_s})
            QVERIFY2(skin.givesPicture(element), qPrintable(element));
        for (const QString& element : {u"Tab"_s, u"Sample1"_s, u"Window"_s})
            QVERIFY2(!skin.givesPicture(element), qPrintable(element));
    }

    void skinThatCannotBeLoadedLeavesTheHeldOne_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << m_folder.filePath(u"Missing.skn"_s);
        QDir(m_folder.path()).mkpath(u"Folder.skn"_s);
        QTest::newRow("folder") << m_folder.filePath(u"Folder.skn"_s);
        QTest::newRow("unclosed rule") << write(u"Open.skn"_s, "QLabel { color: red; ");
        QTest::newRow("stray brace") << write(u"Stray.skn"_s, "QLabel { color: red; } }");
        QTest::newRow("unclosed comment") << write(u"Comment.skn"_s, "/* QLabel { color: red; }");
        QTest::newRow("unclosed quote")
            << write(u"Quote.skn"_s, "QLabel[skin=\"Label] { color: red; }\n");
        QTest::newRow("unclosed url") << write(u"Url.skn"_s, "QLabel { image: url(a.png; }");
        QTest::newRow("binary") << write(u"Binary.skn"_s, QByteArray("\x89PNG\r\n\x1a\n\0\0", 10));
        QTest::newRow("not UTF-8") << write(u"Latin.skn"_s, "QLabel { font-family: \"Caf\xe9\"; }");
        QTest::newRow("too large")
            << write(u"Large.skn"_s,
                     "QLabel { color: red; }\n" + QByteArray(SkinSheet::kLargestSkinFile, ' '));
        QTest::newRow("Qt cannot parse")
            << write(u"Parse.skn"_s, "{ color: blue; }\nQLabel { color: red; }");
        // Qt would open the picture when it paints, and a pipe would never answer.
        const QString pipe = m_folder.filePath(u"pipe.png"_s);
        if (!QFileInfo::exists(pipe))
            QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        QTest::newRow("picture is a pipe")
            << write(u"Pipe.skn"_s, "QLabel { image: url(pipe.png); }");
        QTest::newRow("picture is a folder")
            << write(u"PictureFolder.skn"_s, "QLabel { image: url('Folder.skn'); }");
    }

    void pictureThatIsNoFileIsNamedInTheReason() {
        const QString pipe = m_folder.filePath(u"named.png"_s);
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        const auto reason =
            Skin::read(write(u"Named.skn"_s, "[skin=\"Window\"] { image: url(named.png); }"));
        QCOMPARE(reason, u"Named.skn is no skin: A url(...) names %1, which is not an ordinary "
                         "file (it is a folder, pipe or device)."_s.arg(pipe));
    }

    void skinThatCannotBeLoadedLeavesTheHeldOne() {
        QFETCH(QString, path);
        Skin skin;
        QVERIFY(skin.load(write(u"Held.skn"_s, "[skin=\"Window\"] { color: #101010; }")));
        const QString held = qApp->styleSheet();
        QVERIFY(!skin.load(path));
        QCOMPARE(qApp->styleSheet(), held);
        QCOMPARE(skin.path(), m_folder.filePath(u"Held.skn"_s));
        QVERIFY(Skin::read(path).has_value());
    }

    // The walk binds every control of the kinds given, in and under scroll areas and page
    // stacks, and leaves alone other kinds, controls of special elements and other windows.
    void windowBindsItsKindsAndSpecialElements() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* button = new QPushButton(u"OK"_s);
        auto* link = new QPushButton(u"link"_s);
        link->setFlat(true);
        auto* group = new QGroupBox(u"Group"_s);
        auto* check = new QCheckBox(u"Check"_s, group);
        auto* label = new QLabel(u"Text"_s);
        auto* logo = new QLabel;
        auto* panel = new QFrame;
        panel->setObjectName(u"pnlBottom"_s);
        auto* notPanel = new QFrame;
        notPanel->setObjectName(u"Frame1"_s);
        auto* pages = new QStackedWidget;
        auto* page = new QWidget;
        pages->addWidget(page);
        auto* grid = new QTableWidget(50, 30, page);
        auto* dialog = new QWidget(&window, Qt::Dialog);
        auto* dialogLabel = new QLabel(u"theirs"_s, dialog);
        const QList<QWidget*> controls{button, link, group, label, logo, panel, notPanel, pages};
        for (QWidget* control : controls)
            layout->addWidget(control);

        appSkin().skinWindow(window, allSkinKindsBut(SkinKind::Button), {{logo, u"Logo"_s}});
        QCOMPARE(elementOf(&window), u"Window"_s);
        QCOMPARE(elementOf(button), QString());
        QCOMPARE(elementOf(link), QString());
        QCOMPARE(elementOf(group), u"Frame"_s);
        QCOMPARE(elementOf(check), u"Check"_s);
        QCOMPARE(elementOf(label), u"Label"_s);
        QCOMPARE(elementOf(logo), u"Logo"_s);
        QCOMPARE(elementOf(panel), u"Panel"_s);
        QCOMPARE(elementOf(notPanel), QString());
        QCOMPARE(elementOf(page), u"Tab"_s);
        QCOMPARE(elementOf(grid->verticalScrollBar()), u"VScrollBar"_s);
        QCOMPARE(elementOf(grid->horizontalScrollBar()), u"HScrollBar"_s);
        QCOMPARE(elementOf(dialogLabel), QString());

        appSkin().skinWindow(window, kAllSkinKinds);
        QCOMPARE(elementOf(button), u"Button"_s);
        QCOMPARE(elementOf(link), QString());
    }

    // Bound after the skin was installed, a control and what lies inside it take the rules
    // that name the element.
    void bindingRestylesTheControlAndItsInside() {
        Skin skin;
        QVERIFY(skin.load(write(u"Colours.skn"_s, "[skin=\"Tab\"] QLabel { color: #00ff00; }\n"
                                                  "[skin=\"Panel\"] { color: #0000ff; }")));
        QWidget window;
        auto* pages = new QStackedWidget(&window);
        auto* page = new QWidget;
        auto* label = new QLabel(u"on the page"_s, page);
        pages->addWidget(page);
        auto* panel = new QWidget(&window);
        panel->setObjectName(u"Panel1"_s);
        window.ensurePolished();
        QVERIFY(label->palette().color(QPalette::WindowText) != QColor(0x00ff00));
        skin.skinWindow(window, SkinKind::TabSheet | SkinKind::Panel);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0x00ff00));
        QCOMPARE(panel->palette().color(QPalette::WindowText), QColor(0x0000ff));
    }

    void changeSkinAsksForASkinFile() {
        test::ScriptedDialogs dialogs;
        const QString good = write(u"Chosen.skn"_s, kGoodSkin);
        const QString broken = write(u"Broken.skn"_s, "QLabel {");
        write(u"Typed.skn"_s, kGoodSkin);
        dialogs.fileNames = {QString(), good, m_folder.filePath(u"Typed"_s), broken};
        QCOMPARE(chooseSkinFile(m_folder.path()), std::nullopt);
        QCOMPARE(chooseSkinFile(m_folder.path()), good);
        QCOMPARE(chooseSkinFile(m_folder.path()), m_folder.filePath(u"Typed.skn"_s));
        QCOMPARE(chooseSkinFile(m_folder.path()), std::nullopt);
        QCOMPARE(dialogs.shown.count(u"open: Change Skin Skins (*.skn)"_s), 4);
        QCOMPARE(dialogs.shown.last(), u"error: The file chosen cannot be used as a skin."_s);
        QCOMPARE(dialogs.details, QStringList{u"Broken.skn is no skin: A rule is not closed: a "
                                              u"\"}\" is missing."_s});
        QCOMPARE(dialogs.startFolders.first(), m_folder.path());
    }

    void splashShowsUntilEnded() {
        const QPixmap picture = paintSplashPicture(2.0);
        QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(520, 300));
        showSplash();
        const auto splashes = [] {
            int shown = 0;
            for (QWidget* widget : QApplication::topLevelWidgets())
                shown += qobject_cast<QSplashScreen*>(widget) && widget->isVisible();
            return shown;
        };
        QCOMPARE(splashes(), 1);
        endSplash();
        endSplash();
        QCOMPARE(splashes(), 0);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::SkinTest)
#include "tst_skin.moc"
