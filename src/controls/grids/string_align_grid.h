#pragma once

#include "controls/grids/grid_model.h"

#include <QTableView>
#include <functional>
#include <optional>

namespace tivora {

// The string grid of the main window's data, property, slice and note tables: a view of a Grid
// with per-column alignment and editability, cell colours used as colour swatches, row insert
// and delete that keep the current cell, column fitting, in-place editing that can run on to the
// next cell, and copy, cut and paste of cell ranges as Tab / CR LF text.
class TStringAlignGrid : public QTableView {
    Q_OBJECT
    // A property, so that a skin can give the fixed cells its own colour (qproperty-FixedColor).
    Q_PROPERTY(QColor FixedColor READ FixedColor WRITE setFixedColor)

public:
    // Checks an edited cell text before it is stored; gives the message to show when it refuses
    // the text (the editor then stays on the cell).
    using EditValidator =
        std::function<std::optional<QString>(int column, int row, const QString& text)>;

    explicit TStringAlignGrid(QWidget* parent = nullptr);

    const Grid& grid() const { return m_model.grid(); }
    // Shows grid; the current cell stays where it was when it still exists.
    void setGrid(const Grid& grid);

    QString cell(int column, int row) const { return grid().cell(column, row); }
    void setCell(int column, int row, const QString& text);

    void setEditable(bool editable) { m_model.setEditable(editable); }
    void setColumnEditable(int column, bool editable) {
        m_model.setColumnEditable(column, editable);
    }
    void setAlignment(Qt::Alignment alignment) { m_model.setAlignment(alignment); }
    void setColumnAlignment(int column, Qt::Alignment alignment);
    // The colour of fixed cells; it follows the palette's button colour until it is set.
    QColor FixedColor() const;
    void setFixedColor(const QColor& color);
    bool AutoEditNextCell() const { return m_autoEditNextCell; }
    void setAutoEditNextCell(bool on) { m_autoEditNextCell = on; }
    // Whether editing on past the last cell adds a row (the default) or ends there: a grid whose
    // row count is set elsewhere (one row per slice) must not grow by itself.
    void setGrowsPastLastCell(bool grows) { m_growsPastLastCell = grows; }
    void setEditValidator(EditValidator validator) { m_validator = std::move(validator); }
    // Cells whose text the warning finds fault with are shown in red, the warning as their hint.
    void setCellWarning(GridModel::CellWarning warning) {
        m_model.setCellWarning(std::move(warning));
    }
    // Whether a double-click opens the in-place editor (typing and F2 always do). A grid whose
    // rows have a dialog of their own sends the double-click there instead, as openRequested.
    void setDoubleClickEdits(bool edits);

    // The effective colour of a cell: its own, else the fixed colour for a fixed cell and the
    // grid's base colour for any other.
    QColor cellColor(int column, int row) const;
    void setCellColor(int column, int row, const QColor& color);

    void insertRow(int row);
    void deleteRow(int row);
    // Sets the column's width to its widest text; a column of empty cells gets width 0.
    void fitColumn(int column);

    int currentColumn() const { return currentIndex().column(); }
    int currentRow() const { return currentIndex().row(); }
    void setCurrentCell(int column, int row);
    // Whether the in-place editor is open on a cell.
    bool isEditing() const { return state() == EditingState; }

    void copySelection();
    void cutSelection();
    void pasteIntoSelection();

Q_SIGNALS:
    // The user changed the grid: a cell edited, pasted or cut, or a row added by editing on past
    // the last cell. Not emitted by setGrid or by the program's own calls.
    void gridEdited();
    void afterEdit(int column, int row);
    void cancelEdit(int column, int row);
    // The user asked for the dialog of the current row: a double-click on a cell while
    // double-clicks do not edit, or Alt+Enter.
    void openRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QRect selectedRange() const;
    std::optional<QModelIndex> stepCell(QModelIndex from, bool forward) const;
    QModelIndex nextTabCell(QModelIndex from, bool forward) const;
    void editNextCell(QModelIndex from);
    bool clipboardShortcut(QKeyEvent* event);
    bool leavingShortcut(QKeyEvent* event);

    GridModel m_model;
    bool m_autoEditNextCell = false;
    bool m_growsPastLastCell = true;
    EditValidator m_validator;
    bool m_editRefused = false;
    bool m_doubleClickEdits = true;
    bool m_fixedColorSet = false;
    // Set while the program itself changes cells, so that only the user's changes are reported.
    bool m_programChange = false;
};

} // namespace tivora
