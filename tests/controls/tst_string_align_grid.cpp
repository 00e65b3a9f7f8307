#include "../shell/scripted_dialogs.h"
#include "controls/grids/grid_text.h"
#include "controls/grids/string_align_grid.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// A grid of columns x rows whose cells read "column,row".
Grid numberedGrid(int columns, int rows, int fixedColumns = 0, int fixedRows = 0) {
    Grid grid(columns, rows);
    grid.setFixedColumnCount(fixedColumns);
    grid.setFixedRowCount(fixedRows);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            grid.setCell(column, row, u"%1,%2"_s.arg(column).arg(row));
    return grid;
}

QStringList columnTexts(const TStringAlignGrid& view, int column) {
    QStringList texts;
    for (int row = 0; row < view.grid().rowCount(); ++row)
        texts.append(view.cell(column, row));
    return texts;
}

QLineEdit* cellEditor(TStringAlignGrid& view) {
    return qobject_cast<QLineEdit*>(view.indexWidget(view.currentIndex()));
}

void selectRange(TStringAlignGrid& view, int left, int top, int right, int bottom) {
    view.setCurrentCell(left, top);
    view.selectionModel()->select(
        QItemSelection(view.model()->index(top, left), view.model()->index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
}

// A double-click as a mouse gives it: a click, then the second press as a double-click.
void doubleClick(TStringAlignGrid& view, QPoint at) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class StringAlignGridTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void insertAndDeleteRows() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(2, 3));
        view.deleteRow(0);
        QCOMPARE(columnTexts(view, 0), (QStringList{u"0,1"_s, u"0,2"_s}));

        view.setCurrentCell(1, 1);
        view.insertRow(0);
        QCOMPARE(columnTexts(view, 0), (QStringList{QString(), u"0,1"_s, u"0,2"_s}));
        QCOMPARE(view.currentRow(), 2);
        QCOMPARE(view.cell(view.currentColumn(), view.currentRow()), u"1,2"_s);

        TStringAlignGrid single;
        single.setGrid(numberedGrid(2, 2, 0, 1));
        single.deleteRow(1);
        single.deleteRow(0);
        QCOMPARE(single.grid().rowCount(), 2);
        QCOMPARE(single.cell(0, 1), u"0,1"_s);
    }

    void fitsColumnsToWidestText() {
        TStringAlignGrid view;
        Grid grid(2, 3);
        grid.setCell(0, 1, u"short"_s);
        grid.setCell(0, 2, u"a much longer text"_s);
        view.setGrid(grid);
        view.fitColumn(0);
        view.fitColumn(1);
        view.fitColumn(7);
        // The widest text fits between the cell's text margins, so it is not elided.
        const int textMargins =
            2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
        QVERIFY(view.columnWidth(0) >=
                view.fontMetrics().horizontalAdvance(grid.cell(0, 2)) + textMargins);
        QVERIFY(view.columnWidth(0) <
                view.fontMetrics().horizontalAdvance(grid.cell(0, 2)) + 2 * textMargins);
        QCOMPARE(view.columnWidth(1), 0);
    }

    void cellColourIsTheCellsOwn() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 3, 0, 1));
        const QColor base = view.cellColor(1, 1);
        view.setFixedColor(Qt::gray);
        view.setCellColor(1, 1, Qt::red);
        QCOMPARE(view.cellColor(1, 1), QColor(Qt::red));
        QCOMPARE(view.cellColor(0, 1), base);
        QCOMPARE(view.cellColor(1, 2), base);
        QCOMPARE(view.cellColor(1, 0), QColor(Qt::gray));
        QCOMPARE(view.grid().cellColor(1, 1), makeWindowColor(255, 0, 0));

        // The colour text a swatch holds stays readable on dark and light colours alike.
        view.setCellColor(1, 2, QColor(0x1F, 0x3A, 0x5F));
        view.setCellColor(2, 2, QColor(0xF4, 0xF7, 0xFB));
        const auto textColour = [&](int column, int row) {
            return view.model()->index(row, column).data(Qt::ForegroundRole).value<QColor>();
        };
        QCOMPARE(textColour(1, 2), QColor(Qt::white));
        QCOMPARE(textColour(2, 2), QColor(Qt::black));
    }

    void enterOnLastCellAppendsRowAndEditsOn() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 2, 1, 1));
        view.setAutoEditNextCell(true);
        view.show();
        QSignalSpy edited(&view, &TStringAlignGrid::gridEdited);
        view.setCurrentCell(2, 1);
        view.edit(view.currentIndex());
        QLineEdit* editor = cellEditor(view);
        QVERIFY(editor);
        editor->setText(u"new"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(view.cell(2, 1), u"new"_s);
        QCOMPARE(view.grid().rowCount(), 3);
        QCOMPARE(view.currentRow(), 2);
        QCOMPARE(view.currentColumn(), 1);
        QVERIFY(view.isEditing());
        QVERIFY(edited.count() >= 2);
    }

    void enterOnLastCellOfAFixedGridEndsThere() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 2, 1, 1));
        view.setAutoEditNextCell(true);
        view.setGrowsPastLastCell(false);
        view.show();
        view.setCurrentCell(2, 1);
        view.edit(view.currentIndex());
        QLineEdit* editor = cellEditor(view);
        QVERIFY(editor);
        editor->setText(u"last"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!view.isEditing());
        QCOMPARE(view.cell(2, 1), u"last"_s);
        QCOMPARE(view.grid().rowCount(), 2);
        QCOMPARE(view.currentRow(), 1);
        QCOMPARE(view.currentColumn(), 2);
    }

    void escapeRestoresAndValidatorKeepsEditorOnCell() {
        test::ScriptedDialogs dialogs;
        TStringAlignGrid view;
        view.setGrid(numberedGrid(2, 2));
        view.show();
        QSignalSpy cancelled(&view, &TStringAlignGrid::cancelEdit);
        view.setCurrentCell(1, 1);
        view.edit(view.currentIndex());
        cellEditor(view)->setText(u"typed"_s);
        QTest::keyClick(cellEditor(view), Qt::Key_Escape);
        QCOMPARE(view.cell(1, 1), u"1,1"_s);
        QCOMPARE(cancelled.count(), 1);

        view.setEditValidator([](int, int, const QString& text) -> std::optional<QString> {
            if (text.contains(u'%'))
                return u"No %"_s;
            return std::nullopt;
        });
        view.edit(view.currentIndex());
        cellEditor(view)->setText(u"5%"_s);
        QTest::keyClick(cellEditor(view), Qt::Key_Return);
        QTRY_COMPARE(dialogs.shown, QStringList{u"error: No %"_s});
        QCOMPARE(view.cell(1, 1), u"1,1"_s);
        QVERIFY(view.isEditing());
    }

    void sameShapedGridKeepsTheEditorOpen() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 3));
        view.show();
        view.setCurrentCell(1, 2);
        view.edit(view.currentIndex());
        Grid changed = numberedGrid(3, 3);
        changed.setCell(0, 0, u"changed"_s);
        view.setGrid(changed);
        QVERIFY(view.isEditing());
        QCOMPARE(view.cell(0, 0), u"changed"_s);
        view.setGrid(numberedGrid(3, 4));
        QCOMPARE(view.grid().rowCount(), 4);
        QCOMPARE(view.currentRow(), 2);
    }

    void tabMovesAndWraps() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 3, 1, 1));
        view.show();
        view.setCurrentCell(1, 1);
        QTest::keyClick(&view, Qt::Key_Tab);
        QCOMPARE(view.currentIndex(), view.model()->index(1, 2));
        QTest::keyClick(&view, Qt::Key_Tab);
        QCOMPARE(view.currentIndex(), view.model()->index(2, 1));
        view.setCurrentCell(2, 2);
        QTest::keyClick(&view, Qt::Key_Tab);
        QCOMPARE(view.currentIndex(), view.model()->index(1, 1));
        QTest::keyClick(&view, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(view.currentIndex(), view.model()->index(2, 2));
    }

    void clipboardKeysCopyCutAndPasteRanges() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 3, 0, 1));
        view.show();
        QSignalSpy edited(&view, &TStringAlignGrid::gridEdited);
        selectRange(view, 0, 1, 1, 2);
        QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"0,1\t1,1\t\r\n0,2\t1,2\t\r\n"_s);

        QTest::keyClick(&view, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(view.cell(0, 1), QString());
        QCOMPARE(view.cell(1, 2), QString());
        QCOMPARE(view.cell(2, 2), u"2,2"_s);

        // Pasting fills the selected range only, however much the clipboard holds.
        QApplication::clipboard()->setText(u"a\tb\tc\t\r\nd\te\tf\t\r\ng\th\ti\t\r\n"_s);
        selectRange(view, 1, 1, 2, 1);
        QTest::keyClick(&view, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(view.cell(1, 1), u"a"_s);
        QCOMPARE(view.cell(2, 1), u"b"_s);
        QCOMPARE(view.cell(1, 2), QString());
        QCOMPARE(view.cell(0, 0), u"0,0"_s);

        selectRange(view, 0, 1, 0, 2);
        QTest::keyClick(&view, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(columnTexts(view, 0), (QStringList{u"0,0"_s, u"a"_s, u"d"_s}));
        QCOMPARE(edited.count(), 3);
    }

    void pastedTextIsCutIntoTheRowsAndCellsItCanFill() {
        using grid_text::toRows;
        const auto rows = [](QStringView text, int maxRows = 100, int maxColumns = 100) {
            QList<QStringList> result;
            for (const QStringList& row : toRows(text, maxRows, maxColumns))
                result.append(row);
            return result;
        };
        QCOMPARE(rows(u"a\tb\t\r\nc\r\n"), (QList<QStringList>{{u"a"_s, u"b"_s}, {u"c"_s}}));
        QCOMPARE(rows(u"a\t\tb\na\t\t"),
                 (QList<QStringList>{{u"a"_s, u""_s, u"b"_s}, {u"a"_s, u""_s}}));
        QCOMPARE(rows(u"\n\nx"), (QList<QStringList>{{u""_s}, {u""_s}, {u"x"_s}}));
        QCOMPARE(rows(u"a\rb\r\n"), (QList<QStringList>{{u"a\rb"_s}}));
        QCOMPARE(rows(u"\r\n"), QList<QStringList>());
        QCOMPARE(rows(u"a\tb\tc\nd\te\nf", 2, 2),
                 (QList<QStringList>{{u"a"_s, u"b"_s}, {u"d"_s, u"e"_s}}));

        // Megabytes of line breaks or Tabs give no more rows or cells than the selection holds.
        const QString breaks(qsizetype{5} * 1000 * 1000, u'\n');
        QCOMPARE(toRows(breaks, 3, 2).size(), std::size_t(3));
        const QString tabs = u"x"_s + QString(qsizetype{5} * 1000 * 1000, u'\t');
        QCOMPARE(toRows(tabs, 3, 2), (std::vector<QStringList>{{u"x"_s, u""_s}}));

        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 4));
        view.show();
        QApplication::clipboard()->setText(breaks);
        selectRange(view, 1, 1, 2, 3);
        view.pasteIntoSelection();
        QCOMPARE(columnTexts(view, 1), (QStringList{u"1,0"_s, u""_s, u""_s, u""_s}));
        QCOMPARE(view.cell(2, 1), u"2,1"_s);
    }

    void pasteRefusedByValidatorChangesNothing() {
        test::ScriptedDialogs dialogs;
        TStringAlignGrid view;
        view.setGrid(numberedGrid(2, 2));
        view.setEditValidator([](int, int, const QString& text) -> std::optional<QString> {
            return text == u"bad"_s ? std::optional(u"Refused"_s) : std::nullopt;
        });
        QApplication::clipboard()->setText(u"ok\tbad\t\r\n"_s);
        selectRange(view, 0, 0, 1, 0);
        view.pasteIntoSelection();
        QCOMPARE(view.cell(0, 0), u"0,0"_s);
        QCOMPARE(dialogs.take(), QStringList{u"error: Refused"_s});
    }

    void fixedCellsAnswerTheFixedColour() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 3, 1, 1));
        const auto painted = [&](int column, int row) {
            return view.model()->index(row, column).data(Qt::BackgroundRole).value<QColor>();
        };
        const QColor button = view.palette().color(QPalette::Button);
        QCOMPARE(view.cellColor(0, 2), button);
        QCOMPARE(view.cellColor(2, 0), button);
        QCOMPARE(painted(0, 2), button);
        QCOMPARE(view.cellColor(1, 1), view.palette().color(QPalette::Base));

        // Until it is set, the fixed colour follows the palette.
        QPalette palette = view.palette();
        palette.setColor(QPalette::Button, QColor(0x40, 0x50, 0x60));
        view.setPalette(palette);
        QCOMPARE(view.cellColor(0, 1), QColor(0x40, 0x50, 0x60));
        QCOMPARE(painted(0, 1), QColor(0x40, 0x50, 0x60));
        view.setFixedColor(Qt::gray);
        palette.setColor(QPalette::Button, Qt::yellow);
        view.setPalette(palette);
        QCOMPARE(view.cellColor(0, 1), QColor(Qt::gray));
        QCOMPARE(view.FixedColor(), QColor(Qt::gray));
        // A fixed cell's own colour, a swatch, comes first.
        view.setCellColor(0, 2, Qt::red);
        QCOMPARE(view.cellColor(0, 2), QColor(Qt::red));
    }

    void doubleClickEditsOrAsksForTheRowsDialog() {
        TStringAlignGrid view;
        view.setGrid(numberedGrid(3, 3, 0, 1));
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy opened(&view, &TStringAlignGrid::openRequested);
        const QPoint cell = view.visualRect(view.model()->index(2, 1)).center();

        doubleClick(view, cell);
        QVERIFY(view.isEditing());
        QCOMPARE(opened.count(), 0);
        QTest::keyClick(cellEditor(view), Qt::Key_Escape);

        view.setDoubleClickEdits(false);
        doubleClick(view, cell);
        QVERIFY(!view.isEditing());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(view.currentRow(), 2);
        // Typing and F2 still edit; Alt+Enter asks for the dialog from the keyboard.
        QTest::keyClick(&view, Qt::Key_F2);
        QVERIFY(view.isEditing());
        QTest::keyClick(cellEditor(view), Qt::Key_Escape);
        QTest::keyClick(&view, Qt::Key_Return, Qt::AltModifier);
        QCOMPARE(opened.count(), 2);
    }

    void ctrlTabLeavesTheGrid() {
        QWidget window;
        auto* before = new QLineEdit(&window);
        auto* view = new TStringAlignGrid(&window);
        auto* after = new QLineEdit(&window);
        view->setGrid(numberedGrid(2, 2));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        view->setFocus();
        view->setCurrentCell(1, 1);
        // Tab wraps round the cells and keeps the focus in the grid.
        QTest::keyClick(view, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), view);
        QCOMPARE(view->currentRow(), 0);
        QTest::keyClick(view, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), after);
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), before);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::StringAlignGridTest)
#include "tst_string_align_grid.moc"
