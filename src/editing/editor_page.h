#pragma once

#include <QWidget>

namespace tivora {

// One page of the main window's editing page control. Each page is its own widget class that
// binds its controls to the graph; the window only decides which pages the graph's type shows.
class EditorPage : public QWidget {
public:
    using QWidget::QWidget;

    // The tab caption ("Type", "Data", "x-Axis", ...).
    virtual QString caption() const = 0;
    // Whether the page belongs to a graph loaded or created with base type baseType.
    virtual bool shownFor(const QString& baseType) const = 0;
};

} // namespace tivora
