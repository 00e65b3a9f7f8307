#include "controls/skins/skin_choice.h"
#include "editing/tdlg_add_graph.h"
#include "editing/tdlg_series_opt.h"
#include "editing/tfrm_pie_slice_opt.h"
#include "publish/wizard/tfrm_publish.h"
#include "shell/file_commands.h"
#include "shell/main_menu.h"
#include "shell/preview_panel.h"
#include "shell/start_screen.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"
#include "windows/tfrm_about.h"
#include "windows/tfrm_preview.h"
#include "windows/tfrm_tutorial.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

const QByteArray kDefaultSkin = "[skin=\"Window\"] QLineEdit { color: #123456; }\n";
const QByteArray kOtherSkin = "[skin=\"Window\"] QLineEdit { color: #654321; }\n";

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString elementOf(const QWidget* widget) {
    return widget->property("skin").toString();
}

// The elements bound in the window itself and in the controls it holds, not in its own windows.
QSet<QString> elementsIn(const QWidget& window) {
    QSet<QString> elements{elementOf(&window)};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() == &window && !elementOf(widget).isEmpty())
            elements.insert(elementOf(widget));
    }
    return elements;
}

struct WindowCase {
    QString name;
    std::function<QWidget*(TfrmLumara&)> window;
    QStringList bound;
    QStringList notBound;
    // Controls by object name with the special element each carries.
    QList<std::pair<QString, QString>> special;
};

QStringList numbered(const QString& name) {
    return {name + u'1', name + u'2', name + u'3', name + u'4'};
}

} // namespace

class SkinsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpLoadsTheStoredSkin_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expectedStored");
        QTest::addColumn<QString>("expectedColour");
        QTest::newRow("first start") << QString() << u"Default.skn"_s << u"#123456"_s;
        QTest::newRow("blank") << u"  "_s << u"Default.skn"_s << u"#123456"_s;
        QTest::newRow("chosen") << u"Other.skn"_s << u"Other.skn"_s << u"#654321"_s;
        QTest::newRow("broken") << u"Broken.skn"_s << u"Broken.skn"_s << QString();
        QTest::newRow("missing") << u"Missing.skn"_s << u"Missing.skn"_s << QString();
    }

    void startUpLoadsTheStoredSkin() {
        QFETCH(QString, stored);
        QFETCH(QString, expectedStored);
        QFETCH(QString, expectedColour);
        test::ShellEnvironment environment;
        const QString folder = environment.folder();
        writeFile(folder + u"Default.skn"_s, kDefaultSkin);
        writeFile(folder + u"Other.skn"_s, kOtherSkin);
        writeFile(folder + u"Broken.skn"_s, "[skin=\"Window\"] { color: red;");
        if (!stored.isNull())
            test::ShellEnvironment::store(u"Skin"_s,
                                          stored.trimmed().isEmpty() ? stored : folder + stored);
        {
            TfrmLumara window;
            window.show();
            QCOMPARE(test::ShellEnvironment::storedValue(u"Skin"_s), folder + expectedStored);
            QCOMPARE(elementOf(&window), u"Window"_s);
            const auto* edit = window.pageControl1->findChild<QLineEdit*>();
            if (expectedColour.isEmpty()) {
                QCOMPARE(qApp->styleSheet(), QString());
            } else {
                QCOMPARE(edit->palette().color(QPalette::Text), QColor(expectedColour));
            }
            // A skin that cannot be loaded asks nothing of the user; the status bar says why.
            QCOMPARE(environment.dialogs.shown, QStringList());
            const QString status = window.statusBar()->currentMessage();
            if (expectedColour.isEmpty())
                QVERIFY2(status.startsWith(u"The plain look is used: "_s) &&
                             status.contains(expectedStored),
                         qPrintable(status));
            else
                QCOMPARE(status, QString());
        }
        QCOMPARE(qApp->styleSheet(), QString());
    }

    void changeSkinTakesEffectAtTheNextStart() {
        test::ShellEnvironment environment;
        const QString folder = environment.folder();
        writeFile(folder + u"Default.skn"_s, kDefaultSkin);
        writeFile(folder + u"Other.skn"_s, kOtherSkin);
        TfrmLumara window;
        window.show();
        const QString skinShown = qApp->styleSheet();
        QVERIFY(skinShown.contains(u"#123456"_s));
        environment.dialogs.fileNames = {folder + u"Other.skn"_s};
        window.menu().mnuChangeSkin->trigger();
        QCOMPARE(
            environment.dialogs.take(),
            (QStringList{u"open: Change Skin Skins (*.skn)"_s,
                         u"message: Please restart the application to activate your changes !"_s}));
        QCOMPARE(test::ShellEnvironment::storedValue(u"Skin"_s), folder + u"Other.skn"_s);
        QCOMPARE(qApp->styleSheet(), skinShown);
    }

    // Every window binds the kinds of control it skins and its special elements when shown,
    // and leaves the other kinds alone.
    void everyWindowBindsItsKindsAndSpecialElements() {
        test::ShellEnvironment environment;
        writeFile(environment.folder() + u"Default.skn"_s, kDefaultSkin);
        TfrmLumara window;
        window.show();
        const QList<WindowCase> cases{
            {u"main window"_s,
             [](TfrmLumara& main) { return &main; },
             {u"Window"_s, u"Button"_s, u"Frame"_s, u"Check"_s, u"Radio"_s, u"Tab"_s, u"Label"_s,
              u"HScrollBar"_s, u"VScrollBar"_s, u"Logo"_s, u"PreviewFrame"_s},
             {u"Panel"_s},
             {{u"startScreen"_s, u"Logo"_s}, {u"Panel9"_s, u"PreviewFrame"_s}}},
            {u"series options"_s,
             [](TfrmLumara& main) { return main.findChild<TdlgSeriesOpt*>(); },
             {u"Window"_s, u"Frame"_s, u"Check"_s, u"Radio"_s, u"Tab"_s, u"Label"_s},
             {u"Button"_s},
             {}},
            {u"slice options"_s,
             [](TfrmLumara& main) { return main.findChild<TfrmPieSliceOpt*>(); },
             {u"Window"_s, u"Frame"_s, u"Label"_s},
             {u"Button"_s, u"HScrollBar"_s, u"VScrollBar"_s},
             {}},
            {u"new note"_s,
             [](TfrmLumara& main) { return main.findChild<QDialog*>(u"dlgNewNote"_s); },
             {u"Window"_s, u"Button"_s, u"Radio"_s, u"N_Oval"_s, u"N_Square"_s},
             {},
             {{u"pnlOval"_s, u"N_Oval"_s}, {u"pnlRect"_s, u"N_Square"_s}}},
            {u"new graph"_s,
             [](TfrmLumara& main) { return main.findChild<TdlgAddGraph*>(); },
             QStringList{u"Window"_s, u"Frame"_s, u"Tab"_s, u"Label"_s, u"BarGraph"_s,
                         u"PieGraph"_s, u"AreaGraph"_s, u"LineGraph"_s} +
                 numbered(u"Sample"_s) + numbered(u"Template"_s),
             {u"Button"_s},
             {{u"Image1"_s, u"BarGraph"_s},
              {u"Image2"_s, u"PieGraph"_s},
              {u"Image3"_s, u"AreaGraph"_s},
              {u"Image4"_s, u"LineGraph"_s},
              {u"pnlTemp2"_s, u"Template2"_s},
              {u"pnlSample4"_s, u"Sample4"_s}}},
            {u"publish wizard"_s,
             [](TfrmLumara& main) { return new publish::TfrmPublish(main.frmTutorial, &main); },
             {u"Window"_s, u"Button"_s, u"Frame"_s, u"Check"_s, u"Radio"_s, u"Tab"_s, u"Label"_s,
              u"Panel"_s, u"VScrollBar"_s},
             {},
             {}},
            {u"preview"_s,
             [](TfrmLumara& main) { return main.frmPreview; },
             {u"Window"_s, u"Panel"_s},
             {u"Button"_s},
             {}},
            {u"tutorial"_s,
             [](TfrmLumara& main) { return main.frmTutorial; },
             {u"Window"_s, u"Panel"_s},
             {u"Button"_s},
             {}},
            {u"about"_s,
             [](TfrmLumara& main) { return main.frmAbout; },
             {u"Window"_s, u"Logo"_s, u"Panel"_s, u"Label"_s},
             {u"Button"_s},
             {{u"ProgramIcon"_s, u"Logo"_s}, {u"Panel1"_s, u"Panel"_s}}},
        };
        for (const WindowCase& windowCase : cases) {
            QWidget* shown = windowCase.window(window);
            QVERIFY2(shown, qPrintable(windowCase.name));
            shown->show();
            const QSet<QString> elements = elementsIn(*shown);
            for (const QString& element : windowCase.bound)
                QVERIFY2(elements.contains(element),
                         qPrintable(windowCase.name + u": "_s + element));
            for (const QString& element : windowCase.notBound)
                QVERIFY2(!elements.contains(element),
                         qPrintable(windowCase.name + u": "_s + element));
            for (const auto& [name, element] : windowCase.special) {
                const auto* control = shown->findChild<QWidget*>(name);
                QVERIFY2(control && elementOf(control) == element, qPrintable(name));
            }
            shown->hide();
        }
        QCOMPARE(elementOf(window.pageControl1), QString());
        const QString graph =
            environment.writeGraph(u"a.TVX"_s, test::ShellEnvironment::seriesGraph(2, 3));
        QVERIFY(window.fileCommands().OpenGraphFile(graph));
        QCOMPARE(elementOf(window.pageControl1), u"Tabs"_s);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::SkinsTest)
#include "tst_skins.moc"
