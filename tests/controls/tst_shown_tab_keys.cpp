// The keys that turn the pages of a tab widget pass over hidden and disabled pages.
#include "controls/keys/shown_tab_keys.h"

#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

class TstShownTabKeys : public QObject {
    Q_OBJECT

    // Six pages with a field each; 1 and 3 hidden, 4 disabled.
    struct Pages {
        QTabWidget pages;
        QList<QLineEdit*> fields;

        Pages() {
            for (int page = 0; page < 6; ++page) {
                fields.append(new QLineEdit);
                pages.addTab(fields.last(), u"Page %1"_s.arg(page));
            }
            pages.setTabVisible(1, false);
            pages.setTabVisible(3, false);
            pages.setTabEnabled(4, false);
            new ShownTabKeys(&pages);
            pages.show();
        }
        int current() const { return pages.currentIndex(); }
    };

private Q_SLOTS:
    void ctrlTabGoesRoundTheShownPages() {
        Pages p;
        QVERIFY(QTest::qWaitForWindowActive(&p.pages));
        p.fields[0]->setFocus();
        QList<int> visited;
        for (int press = 0; press < 4; ++press) {
            QTest::keyClick(p.pages.currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
            visited.append(p.current());
        }
        QCOMPARE(visited, (QList<int>{2, 5, 0, 2}));
        QTest::keyClick(p.pages.currentWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p.current(), 0);
        QTest::keyClick(p.pages.currentWidget(), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p.current(), 5);
    }

    void arrowHomeAndEndOnTheTabBar() {
        Pages p;
        QTabBar* bar = p.pages.tabBar();
        QList<int> visited;
        for (int press = 0; press < 4; ++press) {
            QTest::keyClick(bar, Qt::Key_Right);
            visited.append(p.current());
        }
        QCOMPARE(visited, (QList<int>{2, 5, 5, 5}));
        QTest::keyClick(bar, Qt::Key_Left);
        QCOMPARE(p.current(), 2);
        QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(p.current(), 0);
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(p.current(), 5);
        QTest::keyClick(bar, Qt::Key_Home);
        QCOMPARE(p.current(), 0);
        // Plain arrows in a page's field stay the field's.
        p.fields[0]->setText(u"ab"_s);
        QTest::keyClick(p.fields[0], Qt::Key_Left);
        QCOMPARE(p.current(), 0);
        QCOMPARE(p.fields[0]->cursorPosition(), 1);
    }

    void aLoneInnerPagePassesCtrlTabOut() {
        Pages outer;
        auto* inner = new QTabWidget;
        auto* field = new QLineEdit;
        inner->addTab(field, u"Data"_s);
        inner->addTab(new QLineEdit, u"Properties"_s);
        inner->setTabVisible(1, false);
        new ShownTabKeys(inner);
        outer.pages.insertTab(0, inner, u"Inner"_s);
        outer.pages.setCurrentIndex(0);
        QTest::keyClick(inner->tabBar(), Qt::Key_Right);
        QCOMPARE(inner->currentIndex(), 0);
        QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(inner->currentIndex(), 0);
        QCOMPARE(outer.current(), 1);
        QCOMPARE(outer.pages.tabText(1), u"Page 0"_s);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TstShownTabKeys)
#include "tst_shown_tab_keys.moc"
