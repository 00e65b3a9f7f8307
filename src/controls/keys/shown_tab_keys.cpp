#include "controls/keys/shown_tab_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTabBar>
#include <QTabWidget>

namespace tivora {

ShownTabKeys::ShownTabKeys(QTabWidget* pages)
    : QObject(pages)
    , m_pages(pages) {
    pages->installEventFilter(this);
    pages->tabBar()->installEventFilter(this);
}

bool ShownTabKeys::isShown(int page) const {
    return m_pages->isTabVisible(page) && m_pages->isTabEnabled(page);
}

int ShownTabKeys::nextShown(int page, int step, bool wrap) const {
    const int count = m_pages->count();
    for (int moved = 1; moved <= count; ++moved) {
        int candidate = page + moved * step;
        if (candidate < 0 || candidate >= count) {
            if (!wrap)
                return page;
            candidate = (candidate % count + count) % count;
        }
        if (isShown(candidate))
            return candidate;
    }
    return page;
}

int ShownTabKeys::target(const QObject* watched, int key, Qt::KeyboardModifiers modifiers) const {
    const int current = m_pages->currentIndex();
    if (modifiers & Qt::ControlModifier) {
        // Ctrl+Shift+Tab arrives as Backtab.
        if (key == Qt::Key_Tab)
            return nextShown(current, modifiers & Qt::ShiftModifier ? -1 : 1, true);
        if (key == Qt::Key_Backtab)
            return nextShown(current, -1, true);
        return -1;
    }
    if (watched != m_pages->tabBar())
        return -1;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return nextShown(current, -1, false);
    case Qt::Key_Right:
    case Qt::Key_Down:
        return nextShown(current, 1, false);
    case Qt::Key_Home:
        return nextShown(-1, 1, false);
    case Qt::Key_End:
        return nextShown(m_pages->count(), -1, false);
    default:
        return -1;
    }
}

bool ShownTabKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const int page = target(watched, key->key(), key->modifiers());
    if (page < 0)
        return false;
    // Pages within a page: when this widget has no other page to show, Ctrl+Tab turns the pages
    // around it instead. Its own handling, which would go on to a hidden page, is left out.
    if (page == m_pages->currentIndex() && watched == m_pages && m_pages->parentWidget()) {
        QCoreApplication::sendEvent(m_pages->parentWidget(), event);
        return true;
    }
    if (page < m_pages->count() && isShown(page))
        m_pages->setCurrentIndex(page);
    return true;
}

} // namespace tivora
