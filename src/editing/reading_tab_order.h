#pragma once

#include <QList>

class QWidget;

namespace tivora {

// The controls of page that take the focus by Tab, in reading order: the order of its layouts
// (rows top to bottom, each left to right), group by group, the tab bar of a page control before
// its pages. Controls outside any layout follow at the end in the order they were made.
QList<QWidget*> readingOrder(QWidget* page);

// Makes Tab visit the page's controls in reading order, so that the keyboard path follows what
// the eye sees rather than the order the controls happened to be made in.
void setReadingTabOrder(QWidget* page);

} // namespace tivora
