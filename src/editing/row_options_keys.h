#pragma once

#include <QObject>

namespace tivora {

class TStringAlignGrid;

// Keys that open a grid row's option dialog, besides a double-click and Alt+Enter: Enter on a
// cell of the row's name column, and the context-menu key on any cell. Enter elsewhere keeps its
// usual meaning, and a cell being edited takes its keys itself, so typing is never interrupted.
class RowOptionsKeys : public QObject {
    Q_OBJECT

public:
    RowOptionsKeys(TStringAlignGrid* grid, int nameColumn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TStringAlignGrid* m_grid;
    int m_nameColumn;
};

} // namespace tivora
