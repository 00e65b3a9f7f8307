#include "editing/row_options_keys.h"

#include "controls/grids/string_align_grid.h"

#include <QKeyEvent>

namespace tivora {

RowOptionsKeys::RowOptionsKeys(TStringAlignGrid* grid, int nameColumn)
    : QObject(grid)
    , m_grid(grid)
    , m_nameColumn(nameColumn) {
    grid->installEventFilter(this);
}

bool RowOptionsKeys::eventFilter(QObject* watched, QEvent* event) {
    // A key an open editor passed on (a refused Enter) is the editor's, not a request.
    if (watched != m_grid || event->type() != QEvent::KeyPress || m_grid->isEditing())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plainEnter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool opens = key->key() == Qt::Key_Menu ||
                       (plainEnter && m_grid->currentIndex().column() == m_nameColumn);
    if (!opens || !m_grid->currentIndex().isValid())
        return false;
    Q_EMIT m_grid->openRequested();
    return true;
}

} // namespace tivora
