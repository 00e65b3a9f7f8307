#include "controls/grids/string_align_grid.h"

#include "controls/dialogs.h"
#include "controls/grids/grid_text.h"
#include "controls/window_qcolor.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <cmath>

namespace tivora {

TStringAlignGrid::TStringAlignGrid(QWidget* parent)
    : QTableView(parent) {
    setModel(&m_model);
    // Row 0 and the fixed columns are cells of the grid itself, so the view's own headers stay
    // hidden and indices in the view are indices in the grid.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(std::max(16, fontMetrics().height() + 4));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    m_model.setFixedColor(palette().color(QPalette::Button));
    connect(&m_model, &GridModel::cellEdited, this, [this] {
        if (!m_programChange)
            Q_EMIT gridEdited();
    });
}

void TStringAlignGrid::setGrid(const Grid& grid) {
    const QPoint current(currentColumn(), currentRow());
    m_model.setGrid(grid);
    if (current.x() >= 0 && current.x() < grid.columnCount() && current.y() < grid.rowCount())
        setCurrentCell(current.x(), current.y());
}

void TStringAlignGrid::setCell(int column, int row, const QString& text) {
    const QScopedValueRollback guard(m_programChange, true);
    m_model.growTo(column, row);
    m_model.setCellText(column, row, text);
}

void TStringAlignGrid::setColumnAlignment(int column, Qt::Alignment alignment) {
    m_model.setColumnAlignment(column, alignment);
}

QColor TStringAlignGrid::FixedColor() const {
    return m_model.fixedColor();
}

void TStringAlignGrid::setFixedColor(const QColor& color) {
    m_fixedColorSet = true;
    m_model.setFixedColor(color);
    viewport()->update();
}

QColor TStringAlignGrid::cellColor(int column, int row) const {
    if (const auto own = grid().cellColor(column, row))
        return toQColor(*own);
    return m_model.isFixed(column, row) ? FixedColor() : palette().color(QPalette::Base);
}

void TStringAlignGrid::setDoubleClickEdits(bool edits) {
    m_doubleClickEdits = edits;
    setEditTriggers(edits ? editTriggers() | DoubleClicked : editTriggers() & ~DoubleClicked);
}

void TStringAlignGrid::setCellColor(int column, int row, const QColor& color) {
    const QScopedValueRollback guard(m_programChange, true);
    m_model.setCellColor(column, row, color);
}

void TStringAlignGrid::insertRow(int row) {
    m_model.insertRow(row);
}

void TStringAlignGrid::deleteRow(int row) {
    m_model.deleteRow(row);
}

void TStringAlignGrid::fitColumn(int column) {
    if (column < 0 || column >= m_model.columnCount())
        return;
    // Text is laid out at fractional widths, and the item views keep a text margin on each side
    // of a cell and draw a grid line; a column any narrower elides its widest text.
    const QFontMetricsF metrics(font());
    const int margin =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    int widest = 0;
    for (int row = 0; row < m_model.rowCount(); ++row) {
        const QString text = grid().cell(column, row);
        if (!text.isEmpty())
            widest = std::max(widest, int(std::ceil(metrics.horizontalAdvance(text))) + margin);
    }
    setColumnWidth(column, widest);
}

void TStringAlignGrid::setCurrentCell(int column, int row) {
    setCurrentIndex(m_model.index(row, column));
}

QRect TStringAlignGrid::selectedRange() const {
    const QItemSelection selection = selectionModel()->selection();
    if (selection.isEmpty()) {
        const QModelIndex current = currentIndex();
        return current.isValid() ? QRect(current.column(), current.row(), 1, 1) : QRect();
    }
    QRect range;
    for (const QItemSelectionRange& part : selection) {
        range |= QRect(QPoint(part.left(), part.top()), QPoint(part.right(), part.bottom()));
    }
    return range;
}

void TStringAlignGrid::copySelection() {
    const QRect range = selectedRange();
    if (range.isValid())
        QApplication::clipboard()->setText(grid_text::fromRange(grid(), range));
}

void TStringAlignGrid::cutSelection() {
    const QRect range = selectedRange();
    if (!range.isValid())
        return;
    copySelection();
    {
        const QScopedValueRollback guard(m_programChange, true);
        for (int row = range.top(); row <= range.bottom(); ++row) {
            for (int column = range.left(); column <= range.right(); ++column) {
                if (m_model.isEditable(column, row))
                    m_model.setCellText(column, row, QString());
            }
        }
    }
    Q_EMIT gridEdited();
}

void TStringAlignGrid::pasteIntoSelection() {
    const QRect range = selectedRange();
    if (!range.isValid())
        return;
    const auto rows =
        grid_text::toRows(QApplication::clipboard()->text(), range.height(), range.width());
    // Pasted cells are stored only once all of them pass the validator, so a refused text
    // leaves the whole range as it was.
    std::vector<std::tuple<int, int, QString>> accepted;
    for (int line = 0; line < int(rows.size()) && range.top() + line <= range.bottom(); ++line) {
        const QStringList& cells = rows[std::size_t(line)];
        for (int item = 0; item < cells.size() && range.left() + item <= range.right(); ++item) {
            const int column = range.left() + item;
            const int row = range.top() + line;
            if (!m_model.isEditable(column, row))
                continue;
            if (m_validator) {
                if (const auto refusal = m_validator(column, row, cells[item])) {
                    appDialogs().showError(*refusal);
                    return;
                }
            }
            accepted.emplace_back(column, row, cells[item]);
        }
    }
    {
        const QScopedValueRollback guard(m_programChange, true);
        for (const auto& [column, row, text] : accepted)
            m_model.setCellText(column, row, text);
    }
    Q_EMIT gridEdited();
}

bool TStringAlignGrid::clipboardShortcut(QKeyEvent* event) {
    // The standard sequences include Control+Insert, Shift+Delete and Shift+Insert.
    if (event->matches(QKeySequence::Copy))
        copySelection();
    else if (event->matches(QKeySequence::Cut))
        cutSelection();
    else if (event->matches(QKeySequence::Paste))
        pasteIntoSelection();
    else
        return false;
    return true;
}

// Tab and Shift+Tab move from cell to cell and wrap round, so Ctrl+Tab and Ctrl+Shift+Tab are
// the keys that leave the grid for the controls beside it, as in any text area. They call
// QWidget's focusNextPrevChild on purpose: the item view's own moves to the next cell instead.
bool TStringAlignGrid::leavingShortcut(QKeyEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    if (event->key() == Qt::Key_Backtab ||
        (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier)))
        QWidget::focusNextPrevChild(false); // NOLINT(bugprone-parent-virtual-call)
    else if (event->key() == Qt::Key_Tab)
        QWidget::focusNextPrevChild(true); // NOLINT(bugprone-parent-virtual-call)
    else
        return false;
    return true;
}

void TStringAlignGrid::keyPressEvent(QKeyEvent* event) {
    const bool editing = state() == QAbstractItemView::EditingState;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!editing && enter && (event->modifiers() & Qt::AltModifier)) {
        event->accept();
        if (currentIndex().isValid())
            Q_EMIT openRequested();
        return;
    }
    if (leavingShortcut(event) || (!editing && clipboardShortcut(event))) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TStringAlignGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (!m_doubleClickEdits && indexAt(event->position().toPoint()).isValid())
        Q_EMIT openRequested();
}

void TStringAlignGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !m_fixedColorSet)
        m_model.setFixedColor(palette().color(QPalette::Button));
}

std::optional<QModelIndex> TStringAlignGrid::stepCell(QModelIndex from, bool forward) const {
    const Grid& cells = grid();
    int column = from.column() + (forward ? 1 : -1);
    int row = from.row();
    if (column >= cells.columnCount()) {
        column = cells.fixedColumnCount();
        ++row;
    } else if (column < cells.fixedColumnCount()) {
        column = cells.columnCount() - 1;
        --row;
    }
    if (row < cells.fixedRowCount() || row >= cells.rowCount())
        return std::nullopt;
    return m_model.index(row, column);
}

QModelIndex TStringAlignGrid::nextTabCell(QModelIndex from, bool forward) const {
    if (const auto next = stepCell(from, forward))
        return *next;
    const Grid& cells = grid();
    // Past the last cell Tab wraps round to the first, Shift+Tab to the last.
    return forward ? m_model.index(cells.fixedRowCount(), cells.fixedColumnCount())
                   : m_model.index(cells.rowCount() - 1, cells.columnCount() - 1);
}

QModelIndex TStringAlignGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if ((action == MoveNext || action == MovePrevious) && currentIndex().isValid())
        return nextTabCell(currentIndex(), action == MoveNext);
    return QTableView::moveCursor(action, modifiers);
}

void TStringAlignGrid::editNextCell(QModelIndex from) {
    const QModelIndex start = from;
    bool grown = false;
    while (true) {
        auto next = stepCell(from, true);
        if (!next) {
            if (grown || !m_growsPastLastCell)
                return;
            // Past the last cell the grid gets a new row and editing goes on in it.
            m_model.appendRow();
            grown = true;
            Q_EMIT gridEdited();
            next = m_model.index(m_model.rowCount() - 1, grid().fixedColumnCount());
        }
        if (*next == start)
            return;
        if (m_model.isEditable(next->column(), next->row())) {
            setCurrentIndex(*next);
            edit(*next);
            return;
        }
        from = *next;
    }
}

void TStringAlignGrid::commitData(QWidget* editor) {
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (m_validator && line) {
        if (const auto refusal = m_validator(currentColumn(), currentRow(), line->text())) {
            m_editRefused = true;
            appDialogs().showError(*refusal);
            return;
        }
    }
    QTableView::commitData(editor);
}

void TStringAlignGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (m_editRefused) {
        m_editRefused = false;
        editor->setFocus();
        return;
    }
    const QModelIndex edited = currentIndex();
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        QTableView::closeEditor(editor, hint);
        Q_EMIT cancelEdit(edited.column(), edited.row());
        return;
    }
    Q_EMIT afterEdit(edited.column(), edited.row());
    if (hint == QAbstractItemDelegate::SubmitModelCache && m_autoEditNextCell) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        editNextCell(edited);
        return;
    }
    QTableView::closeEditor(editor, hint);
}

} // namespace tivora
