#include "editing/reading_tab_order.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QGridLayout>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <numeric>

namespace tivora {
namespace {

bool takesTabFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void collectWidget(QWidget* widget, QList<QWidget*>& order);

// The layout's items in the order they are seen: a grid by row, then column; a box in its own
// direction.
QList<QLayoutItem*> itemsInReadingOrder(QLayout* layout) {
    QList<QLayoutItem*> items;
    for (int index = 0; index < layout->count(); ++index)
        items.append(layout->itemAt(index));
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        const auto cellOf = [grid](int index) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
            return std::pair(row, column);
        };
        QList<int> indexes(items.size());
        std::iota(indexes.begin(), indexes.end(), 0);
        std::stable_sort(indexes.begin(), indexes.end(),
                         [&](int a, int b) { return cellOf(a) < cellOf(b); });
        QList<QLayoutItem*> sorted;
        for (int index : indexes)
            sorted.append(items.at(index));
        return sorted;
    }
    if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
        if (box->direction() == QBoxLayout::RightToLeft ||
            box->direction() == QBoxLayout::BottomToTop)
            std::reverse(items.begin(), items.end());
    }
    return items;
}

void collectLayout(QLayout* layout, QList<QWidget*>& order) {
    for (QLayoutItem* item : itemsInReadingOrder(layout)) {
        if (QWidget* widget = item->widget())
            collectWidget(widget, order);
        else if (QLayout* inner = item->layout())
            collectLayout(inner, order);
    }
}

void collectWidget(QWidget* widget, QList<QWidget*>& order) {
    if (auto* scroll = qobject_cast<QScrollArea*>(widget)) {
        if (scroll->widget())
            collectWidget(scroll->widget(), order);
        return;
    }
    if (auto* pages = qobject_cast<QTabWidget*>(widget)) {
        order.append(pages->tabBar());
        for (int index = 0; index < pages->count(); ++index)
            collectWidget(pages->widget(index), order);
        return;
    }
    // A control that takes the focus is one stop, whatever it is made of (a grid, a spin box).
    if (takesTabFocus(widget) || qobject_cast<QAbstractItemView*>(widget)) {
        order.append(widget);
        return;
    }
    if (widget->layout())
        collectLayout(widget->layout(), order);
}

} // namespace

QList<QWidget*> readingOrder(QWidget* page) {
    QList<QWidget*> order;
    if (page->layout())
        collectLayout(page->layout(), order);
    for (QWidget* child : page->findChildren<QWidget*>()) {
        const bool inner = std::any_of(order.begin(), order.end(), [child](const QWidget* stop) {
            return stop == child || stop->isAncestorOf(child);
        });
        // A dialog the page owns is a window of its own, with its own order.
        if (!inner && child->window() == page->window() && takesTabFocus(child) &&
            !child->focusProxy() && !qobject_cast<QScrollArea*>(child) &&
            !qobject_cast<QTabWidget*>(child))
            order.append(child);
    }
    order.removeIf([](const QWidget* widget) { return !takesTabFocus(widget); });
    return order;
}

void setReadingTabOrder(QWidget* page) {
    const QList<QWidget*> order = readingOrder(page);
    for (qsizetype index = 1; index < order.size(); ++index)
        QWidget::setTabOrder(order.at(index - 1), order.at(index));
}

} // namespace tivora
