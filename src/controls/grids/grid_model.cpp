#include "controls/grids/grid_model.h"

#include "controls/window_qcolor.h"

namespace tivora {

namespace {

// A cell whose text the graph cannot use: pale red, its text dark red.
const QColor kWarningBackground(0xFF, 0xD6, 0xD6);
const QColor kWarningText(0xA0, 0x00, 0x00);

} // namespace

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void GridModel::setGrid(const Grid& grid) {
    const bool sameShape = grid.rowCount() == m_grid.rowCount() &&
                           grid.columnCount() == m_grid.columnCount() &&
                           grid.fixedRowCount() == m_grid.fixedRowCount() &&
                           grid.fixedColumnCount() == m_grid.fixedColumnCount();
    if (!sameShape || grid.rowCount() == 0 || grid.columnCount() == 0) {
        beginResetModel();
        m_grid = grid;
        endResetModel();
        return;
    }
    // A grid of the same shape is shown in place, so the selection and an open cell editor
    // survive a change made elsewhere (a dialog, the graph being refreshed).
    m_grid = grid;
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid.rowCount();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid.columnCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_grid.cell(index.column(), index.row());
    case Qt::BackgroundRole: {
        const QColor color = cellColor(index.column(), index.row());
        if (color.isValid())
            return color;
        return warning(index).isEmpty() ? QVariant() : QVariant(kWarningBackground);
    }
    case Qt::ToolTipRole: {
        const QString text = warning(index);
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case Qt::ForegroundRole: {
        // Colour swatches hold their colour text: keep it readable on dark colours.
        const QColor color = cellColor(index.column(), index.row());
        if (!color.isValid())
            return warning(index).isEmpty() ? QVariant() : QVariant(kWarningText);
        const int luma = (299 * color.red() + 587 * color.green() + 114 * color.blue()) / 1000;
        return QColor(luma < 140 ? Qt::white : Qt::black);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columnAlignment.value(index.column(), m_alignment) |
                                   Qt::AlignVCenter);
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (text != m_grid.cell(index.column(), index.row())) {
        m_grid.setCell(index.column(), index.row(), text);
        cellChanged(index.column(), index.row());
    }
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isFixed(index.column(), index.row()))
        return Qt::ItemIsEnabled;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditable(index.column(), index.row()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool GridModel::isFixed(int column, int row) const {
    return column < m_grid.fixedColumnCount() || row < m_grid.fixedRowCount();
}

bool GridModel::isEditable(int column, int row) const {
    return !isFixed(column, row) && m_columnEditable.value(column, m_editable);
}

void GridModel::setEditable(bool editable) {
    m_editable = editable;
}

void GridModel::setColumnEditable(int column, bool editable) {
    m_columnEditable.insert(column, editable);
}

void GridModel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment;
    if (m_grid.rowCount() > 0 && m_grid.columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void GridModel::setColumnAlignment(int column, Qt::Alignment alignment) {
    m_columnAlignment.insert(column, alignment);
    if (m_grid.rowCount() > 0 && column < m_grid.columnCount())
        Q_EMIT dataChanged(index(0, column), index(rowCount() - 1, column));
}

void GridModel::setFixedColor(const QColor& color) {
    m_fixedColor = color;
}

void GridModel::setCellWarning(CellWarning warning) {
    m_cellWarning = std::move(warning);
}

QString GridModel::warning(const QModelIndex& index) const {
    if (!m_cellWarning)
        return {};
    return m_cellWarning(index.column(), index.row(), m_grid.cell(index.column(), index.row()));
}

void GridModel::setCellText(int column, int row, const QString& text) {
    setData(index(row, column), text, Qt::EditRole);
}

QColor GridModel::cellColor(int column, int row) const {
    if (const auto own = m_grid.cellColor(column, row))
        return toQColor(*own);
    return isFixed(column, row) ? m_fixedColor : QColor();
}

void GridModel::setCellColor(int column, int row, const QColor& color) {
    m_grid.setCellColor(column, row, toWindowColor(color));
    cellChanged(column, row);
}

void GridModel::growTo(int column, int row) {
    if (row >= m_grid.rowCount()) {
        beginInsertRows({}, m_grid.rowCount(), row);
        m_grid.setRowCount(row + 1);
        endInsertRows();
    }
    if (column >= m_grid.columnCount()) {
        beginInsertColumns({}, m_grid.columnCount(), column);
        m_grid.setColumnCount(column + 1);
        endInsertColumns();
    }
}

int GridModel::insertRow(int row) {
    const int at = std::clamp(row, m_grid.fixedRowCount(), m_grid.rowCount());
    beginInsertRows({}, at, at);
    m_grid.insertRow(at);
    endInsertRows();
    return at;
}

bool GridModel::deleteRow(int row) {
    Grid changed = m_grid;
    if (!changed.deleteRow(row))
        return false;
    beginRemoveRows({}, row, row);
    m_grid = std::move(changed);
    endRemoveRows();
    return true;
}

void GridModel::appendRow() {
    growTo(0, m_grid.rowCount());
}

void GridModel::cellChanged(int column, int row) {
    const QModelIndex changed = index(row, column);
    Q_EMIT dataChanged(changed, changed);
    Q_EMIT cellEdited(column, row);
}

} // namespace tivora
