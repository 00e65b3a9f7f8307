#pragma once

#include "document/grid.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <functional>

namespace tivora {

// A Grid shown in a table view, cell for cell: row 0 is row 0 of the grid, fixed rows and
// columns are ordinary cells that cannot be selected or edited and are painted in the fixed
// colour. The view's own notion of what is shown never differs from the grid's.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // What is wrong with a cell's text for the graph, or an empty text when nothing is.
    using CellWarning = std::function<QString(int column, int row, const QString& text)>;

    explicit GridModel(QObject* parent = nullptr);

    const Grid& grid() const { return m_grid; }
    void setGrid(const Grid& grid);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    bool isFixed(int column, int row) const;
    bool isEditable(int column, int row) const;
    void setEditable(bool editable);
    void setColumnEditable(int column, bool editable);
    void setAlignment(Qt::Alignment alignment);
    void setColumnAlignment(int column, Qt::Alignment alignment);
    QColor fixedColor() const { return m_fixedColor; }
    void setFixedColor(const QColor& color);
    // Cells that warning finds fault with are painted red, with the warning as their tooltip.
    void setCellWarning(CellWarning warning);

    void setCellText(int column, int row, const QString& text);
    // The colour the cell is painted in: its own colour, else the fixed colour for a fixed cell;
    // an invalid colour means the view's base colour.
    QColor cellColor(int column, int row) const;
    void setCellColor(int column, int row, const QColor& color);
    // Grows the grid so that (column, row) lies inside it.
    void growTo(int column, int row);

    int insertRow(int row);
    bool deleteRow(int row);
    void appendRow();

Q_SIGNALS:
    // The user changed a cell (not emitted by setGrid).
    void cellEdited(int column, int row);

private:
    void cellChanged(int column, int row);
    QString warning(const QModelIndex& index) const;

    Grid m_grid;
    bool m_editable = true;
    QHash<int, bool> m_columnEditable;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    QHash<int, Qt::Alignment> m_columnAlignment;
    QColor m_fixedColor;
    CellWarning m_cellWarning;
};

} // namespace tivora
