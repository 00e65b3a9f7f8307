#include "common/manual_clock.h"
#include "controls/num_edit.h"
#include "document/grid_layouts.h"
#include "editing/annotation_page.h"
#include "editing/colour_panel_label.h"
#include "editing/effects_page.h"
#include "editing/pie_data_page.h"
#include "editing/pie_effects_page.h"
#include "editing/reading_tab_order.h"
#include "editing/size_page.h"
#include "editing/type_page.h"
#include "editing/x_axis_page.h"
#include "editing/y_axis_page.h"
#include "editing_dialogs.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// The controls Tab reaches on page, following the focus chain from the page itself.
QList<QWidget*> tabStops(QWidget* page) {
    QList<QWidget*> stops;
    for (QWidget* widget = page->nextInFocusChain(); widget != page;
         widget = widget->nextInFocusChain()) {
        if (page->isAncestorOf(widget) && widget->isVisibleTo(page) && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy())
            stops.append(widget);
    }
    return stops;
}

// Whether second comes after first in reading order: lower down, or on the same line further
// to the right.
bool readsAfter(const QWidget* first, const QWidget* second, const QWidget* page) {
    const QRect a(first->mapTo(page, QPoint()), first->size());
    const QRect b(second->mapTo(page, QPoint()), second->size());
    const bool sameLine = b.top() < a.bottom() && a.top() < b.bottom();
    return sameLine ? b.left() >= a.left() : b.top() >= a.top();
}

std::vector<std::unique_ptr<EditorPage>> pagesOwned(GraphDocumentModel& model) {
    std::vector<std::unique_ptr<EditorPage>> pages;
    pages.push_back(std::make_unique<TypePage>(model));
    pages.push_back(std::make_unique<XAxisPage>(model));
    pages.push_back(std::make_unique<YAxisPage>(model));
    pages.push_back(std::make_unique<SizePage>(model));
    pages.push_back(std::make_unique<EffectsPage>(model));
    pages.push_back(std::make_unique<PieEffectsPage>(model));
    pages.push_back(std::make_unique<AnnotationPage>(model));
    return pages;
}

} // namespace

class TstPageKeyboard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tabFollowsReadingOrderWithinEachGroup() {
        GraphDocumentModel model;
        // A graph with a note, so that the note's pages are there to visit.
        GraphDocument graph;
        graph.notes.edtNotes = u"1"_s;
        resetNotesGrid(graph.notes.sgrdNotes);
        setNoteRowCount(graph.notes.sgrdNotes, 1);
        model.replace(graph);
        for (const auto& page : pagesOwned(model)) {
            page->resize(420, 900);
            page->show();
            QVERIFY(QTest::qWaitForWindowExposed(page.get()));
            const QList<QWidget*> stops = tabStops(page.get());
            QVERIFY2(stops.size() >= 3, qPrintable(page->objectName()));
            for (qsizetype index = 1; index < stops.size(); ++index) {
                const QWidget* first = stops.at(index - 1);
                const QWidget* second = stops.at(index);
                if (first->parentWidget() != second->parentWidget())
                    continue;
                QVERIFY2(readsAfter(first, second, page.get()),
                         qPrintable(page->objectName() + u": "_s + first->objectName() +
                                    u" before "_s + second->objectName()));
            }
        }
    }

    void readingOrderTakesGridsRowByRow() {
        QWidget page;
        auto* grid = new QGridLayout(&page);
        QStringList made;
        // Made column by column, laid out in rows: Tab must still go along each row.
        for (int column = 0; column < 2; ++column) {
            for (int row = 0; row < 2; ++row) {
                auto* edit = new QLineEdit;
                edit->setObjectName(u"r%1c%2"_s.arg(row).arg(column));
                grid->addWidget(edit, row, column);
            }
        }
        QStringList order;
        for (const QWidget* stop : readingOrder(&page))
            order.append(stop->objectName());
        QCOMPARE(order, (QStringList{u"r0c0"_s, u"r0c1"_s, u"r1c0"_s, u"r1c1"_s}));
        setReadingTabOrder(&page);
        QCOMPARE(page.findChild<QWidget*>(u"r0c0"_s)->nextInFocusChain()->objectName(), u"r0c1"_s);
    }

    void textFieldsReachTheGraphAfterATypingPause() {
        test::ManualClock clock;
        GraphDocumentModel model;
        TypePage page(model);
        QSignalSpy changed(&model, &GraphDocumentModel::changed);
        QTest::keyClicks(page.edtHeader, u"Sal"_s);
        clock.advance(kTypingPauseMs - 1);
        // Not at every key: the preview would restart its animation for each letter.
        QTest::keyClicks(page.edtHeader, u"es"_s);
        clock.advance(kTypingPauseMs - 1);
        QCOMPARE(changed.count(), 0);
        clock.advance(1);
        QCOMPARE(model.document().header.edtHeader, u"Sales"_s);
        QCOMPARE(changed.count(), 1);
        // Leaving the field afterwards writes nothing new, and the typing is one undo step.
        Q_EMIT page.edtHeader->editingFinished();
        QVERIFY(model.undo());
        QCOMPARE(model.document().header.edtHeader, QString());
    }

    void numericFieldsWaitUntilTheyAreLeft() {
        test::ManualClock clock;
        GraphDocumentModel model;
        XAxisPage page(model);
        QSignalSpy changed(&model, &GraphDocumentModel::changed);
        auto* maximum = page.findChild<TNumEdit*>(u"edtMaxX"_s);
        QTest::keyClicks(maximum, u"12"_s);
        clock.advance(2 * kTypingPauseMs);
        QCOMPARE(changed.count(), 0);
    }

    void colourPanelsWithoutAButtonAreKeyboardControls() {
        test::EditingDialogs dialogs;
        GraphDocumentModel model;
        XAxisPage page(model);
        QList<ColourPanelLabel*> alone;
        for (ColourPanelLabel* panel : page.findChildren<ColourPanelLabel*>()) {
            if (panel->focusPolicy() == Qt::StrongFocus)
                alone.append(panel);
        }
        QCOMPARE(alone.size(), 3);
        dialogs.colours.push_back(QColor(0x11, 0x22, 0x33));
        QTest::keyClick(alone.first(), Qt::Key_Space);
        QCOMPARE(alone.first()->panel().caption, u"0x112233"_s);
    }

    void slicesCountTakesTheMinusKey() {
        GraphDocumentModel model;
        PieDataPage page(model);
        auto* count = page.findChild<TNumEdit*>(u"edtPieSlices"_s);
        count->clear();
        QTest::keyClicks(count, u"-2"_s);
        QCOMPARE(count->text(), u"-2"_s);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TstPageKeyboard)
#include "tst_page_keyboard.moc"
