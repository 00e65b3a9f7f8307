#include "document/program_folder.h"
#include "editing/tdlg_add_graph.h"
#include "editing/template_picture.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

TemplatePicture* pictureNamed(const TdlgAddGraph& dialog, const QString& name) {
    return dialog.findChild<TemplatePicture*>(name);
}

QStringList noteTexts(QWidget* page) {
    QStringList texts;
    for (const QGroupBox* group : page->findChildren<QGroupBox*>()) {
        if (group->title() == u"NOTE"_s)
            texts.append(group->findChild<QLabel*>()->text());
    }
    return texts;
}

// Runs the dialog modally, doing action once it is up; gives the template chosen. A dialog the
// action left open is closed, so that a failing check cannot leave the test waiting.
QString chooseWhileShown(TdlgAddGraph& dialog, const std::function<void()>& action) {
    QTimer::singleShot(0, &dialog, [&dialog, action] {
        action();
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.chooseTemplate();
}

} // namespace

class TstTdlgAddGraph : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        setProgramFolder(QStringLiteral(TIVORA_SOURCE_DIR) + u"/no-such-program-folder"_s);
    }
    void cleanup() { setProgramFolder(QString()); }

    void pagesShowTheTwelveTemplates() {
        TdlgAddGraph dialog;
        QCOMPARE(dialog.windowTitle(), u"New Graph"_s);
        QCOMPARE(dialog.PageControl1->count(), 2);
        QCOMPARE(dialog.PageControl1->tabText(0), u"Graphs"_s);
        QCOMPARE(dialog.PageControl1->tabText(1), u"Samples"_s);
        QCOMPARE(dialog.PageControl1->currentWidget(), dialog.TabSamples);

        const std::tuple<QString, QString, QString> expected[] = {
            {u"Image1"_s, u"Bar Graph/Combo"_s, u"Data/blank.dat"_s},
            {u"Image4"_s, u"Line Graph or Combo"_s, u"Data/blankl.dat"_s},
            {u"Image3"_s, u"Area Graph or Combo"_s, u"Data/blankA.dat"_s},
            {u"Image2"_s, u"Pie Graph"_s, u"Data/blankPie.dat"_s},
            {u"pnlTemp1"_s, u"3 Series Bar"_s, u"Data/P_3Bar.dat"_s},
            {u"pnlTemp2"_s, u"3 Series Stack"_s, u"Data/P_3BarStack.dat"_s},
            {u"pnlTemp3"_s, u"3 Series Line"_s, u"Data/P_3LineNote.dat"_s},
            {u"pnlTemp4"_s, u"Bar Line Combo"_s, u"Data/P_3StackLine.dat"_s},
            {u"pnlSample1"_s, u"Link to Excel"_s, u"Data/T_Excel.dat"_s},
            {u"pnlSample2"_s, u"Area/Line Combo"_s, u"Data/T_Combo2.dat"_s},
            {u"pnlSample3"_s, u"Bar/Line Combo"_s, u"Data/T_Combo4.dat"_s},
            {u"pnlSample4"_s, u"Pie Chart"_s, u"Data/T_Pie.dat"_s}};
        QCOMPARE(dialog.pictures().size(), std::size(expected));
        for (std::size_t index = 0; index < std::size(expected); ++index) {
            const auto& [name, caption, file] = expected[index];
            const TemplatePicture* picture = pictureNamed(dialog, name);
            QVERIFY2(picture, qPrintable(name));
            QCOMPARE(picture->caption(), caption);
            QCOMPARE(picture->templateFile(), file);
            QVERIFY((index < 4 ? dialog.TabGraphs : dialog.TabSamples)->isAncestorOf(picture));
        }
        QCOMPARE(
            noteTexts(dialog.TabGraphs),
            QStringList{u"You can combine the Area, Bar and Line graphs at any time.  The base "
                        "type chosen here is the default graph that will be used for each new "
                        "series added"_s});
        QCOMPARE(noteTexts(dialog.TabSamples),
                 QStringList{u"These samples may be used as templates for your own graphs."_s});
        const QStringList headings = [&] {
            QStringList texts;
            for (const QLabel* label : dialog.TabGraphs->findChildren<QLabel*>())
                texts.append(label->text());
            return texts;
        }();
        QVERIFY(headings.contains(u"Base Graph Type - Combined Graphs"_s));
    }

    void aPictureClickChoosesAndCloses() {
        TdlgAddGraph dialog;
        const QString chosen = chooseWhileShown(dialog, [&] {
            QTest::mouseClick(pictureNamed(dialog, u"pnlTemp2"_s), Qt::LeftButton);
        });
        QCOMPARE(chosen, u"Data/P_3BarStack.dat"_s);
        QVERIFY(!dialog.isVisible());

        // The pie picture closes the dialog at once, without "OK".
        dialog.PageControl1->setCurrentWidget(dialog.TabGraphs);
        QCOMPARE(chooseWhileShown(
                     dialog,
                     [&] { QTest::mouseClick(pictureNamed(dialog, u"Image2"_s), Qt::LeftButton); }),
                 u"Data/blankPie.dat"_s);
        // The page shown last stays selected.
        QCOMPARE(dialog.PageControl1->currentWidget(), dialog.TabGraphs);
    }

    void okAndCancelChooseNothingEvenAfterAnEarlierChoice() {
        TdlgAddGraph dialog;
        QCOMPARE(chooseWhileShown(dialog,
                                  [&] {
                                      QTest::mouseClick(pictureNamed(dialog, u"pnlTemp1"_s),
                                                        Qt::LeftButton);
                                  }),
                 u"Data/P_3Bar.dat"_s);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QCOMPARE(chooseWhileShown(dialog, [&] { buttons->button(QDialogButtonBox::Ok)->click(); }),
                 QString());
        QCOMPARE(dialog.templateFile(), QString());
        QCOMPARE(
            chooseWhileShown(dialog, [&] { buttons->button(QDialogButtonBox::Cancel)->click(); }),
            QString());
        // Enter without a picture in focus is "OK" too.
        QCOMPARE(chooseWhileShown(dialog,
                                  [&] {
                                      buttons->button(QDialogButtonBox::Ok)->setFocus();
                                      QTest::keyClick(&dialog, Qt::Key_Return);
                                  }),
                 QString());
    }

    void theKeyboardChoosesAPicture() {
        TdlgAddGraph dialog;
        QWidget* focusAtStart = nullptr;
        // The first picture of the page has the focus; Tab goes on to the next in reading order,
        // Space or Enter chooses.
        QCOMPARE(chooseWhileShown(dialog,
                                  [&] {
                                      focusAtStart = dialog.focusWidget();
                                      QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
                                      QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
                                  }),
                 u"Data/P_3BarStack.dat"_s);
        QCOMPARE(focusAtStart, pictureNamed(dialog, u"pnlTemp1"_s));
        QCOMPARE(chooseWhileShown(dialog,
                                  [&] {
                                      pictureNamed(dialog, u"pnlSample3"_s)->setFocus();
                                      QTest::keyClick(dialog.focusWidget(), Qt::Key_Right);
                                      QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
                                  }),
                 u"Data/T_Pie.dat"_s);
    }

    void picturesAreDrawnFromTheTemplateFiles() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(u"Data"_s));
        QVERIFY(QFile::copy(QStringLiteral(TIVORA_SOURCE_DIR "/data/T_Pie.dat"),
                            folder.filePath(u"Data/T_Pie.dat"_s)));
        setProgramFolder(folder.path());
        TdlgAddGraph dialog;
        dialog.show();
        const QImage pie = pictureNamed(dialog, u"pnlSample4"_s)->picture();
        QVERIFY(!pie.isNull());
        // Something is drawn: the picture is not one flat colour.
        const QRgb corner = pie.pixel(0, 0);
        bool varied = false;
        for (int y = 0; y < pie.height() && !varied; y += 3)
            for (int x = 0; x < pie.width() && !varied; x += 3)
                varied = pie.pixel(x, y) != corner;
        QVERIFY(varied);
        // A template that is not there leaves its panel without a picture, and still choosable.
        QVERIFY(pictureNamed(dialog, u"pnlSample1"_s)->picture().isNull());
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TstTdlgAddGraph)
#include "tst_tdlg_add_graph.moc"
