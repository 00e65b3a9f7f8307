#include "shell/wheel_guard.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// A page taller than its scroll area, with a value control of each kind on it.
struct ScrollingPage {
    ScrollingPage() {
        auto* body = new QWidget;
        auto* layout = new QVBoxLayout(body);
        spin->setRange(0, 100);
        spin->setValue(50);
        slider->setRange(0, 100);
        slider->setValue(50);
        combo->addItems({u"one"_s, u"two"_s, u"three"_s});
        combo->setCurrentIndex(1);
        for (QWidget* control : std::initializer_list<QWidget*>{spin, slider, combo})
            layout->addWidget(control);
        layout->addSpacing(2000);
        area.setWidget(body);
        area.setWidgetResizable(true);
        area.resize(300, 200);
        area.show();
    }

    // One notch of the wheel, turned down, over control's centre.
    static void turnWheel(QWidget* control) {
        const QPointF centre = QRectF(control->rect()).center();
        QWheelEvent wheel(centre, control->mapToGlobal(centre), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control, &wheel);
    }
    int scrolled() const { return area.verticalScrollBar()->value(); }

    QScrollArea area;
    QSpinBox* spin = new QSpinBox;
    QSlider* slider = new QSlider(Qt::Horizontal);
    QComboBox* combo = new QComboBox;
};

} // namespace

class WheelGuardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::instance()->installEventFilter(&m_guard); }

    void wheelOverAnUnfocusedControlScrollsThePage() {
        ScrollingPage page;
        int scrolled = page.scrolled();
        for (QWidget* control :
             std::initializer_list<QWidget*>{page.spin, page.slider, page.combo}) {
            ScrollingPage::turnWheel(control);
            QVERIFY(page.scrolled() > scrolled);
            scrolled = page.scrolled();
            QVERIFY(!control->hasFocus());
        }
        QCOMPARE(page.spin->value(), 50);
        QCOMPARE(page.slider->value(), 50);
        QCOMPARE(page.combo->currentIndex(), 1);
    }

    void wheelChangesTheFocusedControl() {
        ScrollingPage page;
        page.area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page.area));
        for (QWidget* control :
             std::initializer_list<QWidget*>{page.spin, page.slider, page.combo}) {
            control->setFocus();
            QVERIFY(control->hasFocus());
            ScrollingPage::turnWheel(control);
        }
        QCOMPARE(page.scrolled(), 0);
        QVERIFY(page.spin->value() != 50);
        QVERIFY(page.slider->value() != 50);
        QVERIFY(page.combo->currentIndex() != 1);
    }

    void wheelNoLongerGivesTheFocus() {
        ScrollingPage page;
        QCOMPARE(page.spin->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(page.combo->focusPolicy(), Qt::StrongFocus);
        // Scroll bars are for scrolling; the guard leaves them alone.
        QVERIFY(!WheelGuard::isValueControl(page.area.verticalScrollBar()));
    }

private:
    WheelGuard m_guard;
};

} // namespace tivora

QTEST_MAIN(tivora::WheelGuardTest)
#include "tst_wheel_guard.moc"
