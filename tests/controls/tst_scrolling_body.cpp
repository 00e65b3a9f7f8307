// The scrolling body of a page: it scrolls up and down, never sideways, and Tab goes from control
// to control, bringing each into view, never stopping on the scroll area.
#include "controls/scrolling_body.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using namespace tivora;
using namespace Qt::StringLiterals;

namespace {

// A page far shorter and narrower than its body: a field at the top, a wide one far below.
struct TallPage {
    TallPage() {
        auto* body = new QWidget;
        auto* layout = new QVBoxLayout(body);
        layout->addWidget(top);
        layout->addSpacing(2000);
        bottom->setMinimumWidth(600);
        layout->addWidget(bottom);
        scroll = scrollingBody(&page, body);
        page.resize(200, 150);
        page.show();
    }

    QWidget page;
    QLineEdit* top = new QLineEdit;
    QLineEdit* bottom = new QLineEdit;
    QScrollArea* scroll = nullptr;
};

} // namespace

class ScrollingBodyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scrollsUpAndDownOnly() {
        TallPage tall;
        QVERIFY(QTest::qWaitForWindowExposed(&tall.page));
        QVERIFY(tall.scroll->verticalScrollBar()->isVisible());
        QVERIFY(!tall.scroll->horizontalScrollBar()->isVisible());
        QCOMPARE(tall.scroll->frameShape(), QFrame::NoFrame);
    }

    void tabBringsTheNextControlIntoView() {
        TallPage tall;
        tall.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&tall.page));
        tall.top->setFocus();
        QCOMPARE(tall.scroll->verticalScrollBar()->value(), 0);
        QTest::keyClick(tall.top, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), tall.bottom);
        QVERIFY(tall.scroll->verticalScrollBar()->value() > 0);
        const int shownAt = tall.bottom->mapTo(tall.scroll->viewport(), QPoint()).y();
        QVERIFY(shownAt >= 0 &&
                shownAt + tall.bottom->height() <= tall.scroll->viewport()->height());
        // And back, without a stop on the scroll area between them.
        QTest::keyClick(tall.bottom, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), tall.top);
        QCOMPARE(tall.scroll->verticalScrollBar()->value(), 0);
    }
};

QTEST_MAIN(ScrollingBodyTest)
#include "tst_scrolling_body.moc"
