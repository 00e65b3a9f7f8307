#include "shell/file_commands.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class EditingPagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pagesFollowTheGraphType();
    void closingTakesTheTextBeingTyped();

private:
    static QStringList visibleCaptions(const TfrmLumara& window) {
        QStringList captions;
        for (int index = 0; index < window.pageControl1->count(); ++index) {
            if (window.pageControl1->isTabVisible(index))
                captions.append(window.pageControl1->tabText(index));
        }
        return captions;
    }
};

void EditingPagesTest::pagesFollowTheGraphType() {
    test::ShellEnvironment environment;
    TfrmLumara window;
    window.show();
    GraphDocument pie = test::ShellEnvironment::seriesGraph(3, 4);
    pie.graphType = pie.baseType = u"pie"_s;
    pie.pie.edtPieSlices = u"2"_s;
    shapeSliceGrid(pie.pie.sgrdPieSlices, 2);
    for (int row = 1; row <= 2; ++row) {
        for (int column = 0; column < SliceColumnCount; ++column)
            pie.pie.sgrdPieSlices.setCell(column, row, QString::number(row));
    }
    const QString series =
        environment.writeGraph(u"bars.TVX"_s, test::ShellEnvironment::seriesGraph(3, 4));
    const QString pieFile = environment.writeGraph(u"pie.TVX"_s, pie);

    environment.dialogs.fileNames.push_back(series);
    window.fileCommands().Open1Click();
    QCOMPARE(visibleCaptions(window), (QStringList{u"Type"_s, u"Data"_s, u"x-Axis"_s, u"y-Axis"_s,
                                                   u"Size"_s, u"Effects"_s, u"Annotation"_s}));
    environment.dialogs.fileNames.push_back(pieFile);
    window.fileCommands().Open1Click();
    QCOMPARE(visibleCaptions(window),
             (QStringList{u"Type"_s, u"Data"_s, u"Size"_s, u"Effects"_s, u"Annotation"_s}));
}

void EditingPagesTest::closingTakesTheTextBeingTyped() {
    test::ShellEnvironment environment;
    TfrmLumara window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    environment.dialogs.fileNames.push_back(
        environment.writeGraph(u"bars.TVX"_s, test::ShellEnvironment::seriesGraph(3, 4)));
    window.fileCommands().Open1Click();
    environment.dialogs.take();

    auto* header = window.findChild<QLineEdit*>(u"edtHeader"_s);
    header->setFocus();
    QTest::keyClicks(header, u"Typed"_s);
    // The typed header counts as a change, so closing offers to save it.
    environment.dialogs.yesNoCancelAnswers.push_back(Dialogs::Answer::Cancel);
    QVERIFY(!window.close());
    QCOMPARE(environment.dialogs.take().size(), 1);
    QVERIFY(window.model().document().header.edtHeader.endsWith(u"Typed"_s));
}

} // namespace tivora

QTEST_MAIN(tivora::EditingPagesTest)
#include "tst_editing_pages.moc"
