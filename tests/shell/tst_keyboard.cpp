// The main window from the keyboard: the pages that Ctrl+Tab and the arrow keys reach, and the
// undo keys wherever the focus is.
#include "open_designer.h"
#include "shell/main_menu.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

QStringList shownPages(const QTabWidget& pages) {
    QStringList names;
    for (int index = 0; index < pages.count(); ++index) {
        if (pages.isTabVisible(index))
            names << pages.widget(index)->objectName();
    }
    return names;
}

QString currentPage(const QTabWidget& pages) {
    return pages.currentWidget()->objectName();
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ctrlTabAndArrowsVisitOnlyTheGraphsPages() {
        test::OpenDesigner designer;
        QTabWidget& pages = *designer.window.pageControl1;
        const QStringList shown = shownPages(pages);
        QVERIFY(shown.contains(u"TabBarData"_s));
        QVERIFY(!shown.contains(u"TabPieData"_s));
        pages.setCurrentWidget(pages.findChild<QWidget*>(u"TabBarData"_s));
        // From a field inside the data page's own pages, which has only its data sheet to show.
        auto* onDataSheet = pages.findChild<QWidget*>(u"chkASP"_s);
        QVERIFY(onDataSheet && onDataSheet->isVisible());
        QTest::keyClick(onDataSheet, Qt::Key_Tab, Qt::ControlModifier);
        QStringList visited{currentPage(pages)};
        for (int press = 1; press < shown.size(); ++press) {
            QTest::keyClick(pages.currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
            visited << currentPage(pages);
        }
        QCOMPARE(visited.size(), shown.size());
        for (const QString& page : shown)
            QCOMPARE(visited.count(page), 1);
        QCOMPARE(visited.last(), u"TabBarData"_s);

        pages.setCurrentIndex(pages.indexOf(pages.findChild<QWidget*>(shown.first())));
        for (int press = 0; press < pages.count(); ++press) {
            QTest::keyClick(pages.tabBar(), Qt::Key_Right);
            QVERIFY(shown.contains(currentPage(pages)));
        }
        QCOMPARE(currentPage(pages), shown.last());
    }

    void theSeriesPropertiesStayHidden() {
        test::OpenDesigner designer;
        QTabWidget& pages = *designer.window.pageControl1;
        pages.setCurrentWidget(pages.findChild<QWidget*>(u"TabBarData"_s));
        auto* inner = pages.findChild<QTabWidget*>(u"PageControl3"_s);
        QVERIFY(inner);
        for (int key : {Qt::Key_Right, Qt::Key_End, Qt::Key_Down}) {
            QTest::keyClick(inner->tabBar(), Qt::Key(key));
            QCOMPARE(inner->currentIndex(), 0);
        }
        QTest::keyClick(inner->currentWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(inner->currentIndex(), 0);
        QVERIFY(!pages.findChild<QWidget*>(u"sgrdProp"_s)->isVisible());
    }

    void undoKeysReachTheGraphFromANumberField() {
        test::OpenDesigner designer;
        const auto document = [&] {
            return designer.window.model().document();
        };
        // The maximum as the field writes it, so that leaving the field changes nothing.
        designer.window.model().edit([](GraphDocument& d) { d.axes.edtMaxYVal = u"100.0000"_s; });
        designer.window.model().clearHistory();
        designer.window.model().edit([](GraphDocument& d) { d.header.edtHeader = u"Revenue"_s; });
        QTabWidget& pages = *designer.window.pageControl1;
        pages.setCurrentWidget(pages.findChild<QWidget*>(u"TabYAxis"_s));
        auto* field = pages.findChild<QLineEdit*>(u"edtMaxYVal"_s);
        QVERIFY(field && field->isEnabled());
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        field->selectAll();
        QTest::keyClicks(field, u"250"_s);

        // What was typed becomes a change of its own, the first to go back.
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(document().axes.edtMaxYVal, u"100.0000"_s);
        QCOMPARE(document().header.edtHeader, u"Revenue"_s);
        pages.setCurrentWidget(pages.findChild<QWidget*>(u"TabYAxis"_s));
        QCOMPARE(field->text(), u"100.0000"_s);
        // The field now only holds the focus: nothing is written from it before the next undo.
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(document().header.edtHeader, u"Sales"_s);

        // Undo showed the page of the header; redo from the number field again.
        pages.setCurrentWidget(pages.findChild<QWidget*>(u"TabYAxis"_s));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(document().header.edtHeader, u"Revenue"_s);
        pages.setCurrentWidget(pages.findChild<QWidget*>(u"TabYAxis"_s));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(document().axes.edtMaxYVal, u"250.0000"_s);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::KeyboardTest)
#include "tst_keyboard.moc"
