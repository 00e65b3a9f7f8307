#include "shell/wheel_guard.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>

namespace tivora {

WheelGuard::WheelGuard(QObject* parent)
    : QObject(parent) {}

bool WheelGuard::isValueControl(const QObject* widget) {
    // A scroll bar is a slider too, but scrolling is what it is for.
    return (qobject_cast<const QAbstractSlider*>(widget) &&
            !qobject_cast<const QScrollBar*>(widget)) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget);
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType() || !isValueControl(watched))
        return false;
    auto* control = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Polish) {
        // Qt's own rule would give such a control the focus as soon as the wheel turns over it.
        if (control->focusPolicy() == Qt::WheelFocus)
            control->setFocusPolicy(Qt::StrongFocus);
        return false;
    }
    if (event->type() != QEvent::Wheel || control->hasFocus())
        return false;
    scrollAround(control, event);
    event->accept();
    return true;
}

void WheelGuard::scrollAround(QWidget* control, QEvent* event) {
    QWidget* area = control->parentWidget();
    while (area && !qobject_cast<QAbstractScrollArea*>(area))
        area = area->parentWidget();
    if (!area)
        return;
    QWidget* viewport = static_cast<QAbstractScrollArea*>(area)->viewport();
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const QPointF position = viewport->mapFromGlobal(wheel->globalPosition());
    QWheelEvent scroll(position, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                       wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted(),
                       wheel->source());
    QApplication::sendEvent(viewport, &scroll);
}

} // namespace tivora
