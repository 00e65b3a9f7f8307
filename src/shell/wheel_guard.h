#pragma once

#include <QObject>

class QWidget;

namespace tivora {

// Keeps the mouse wheel from changing values by accident: over a slider, spin box or combo box
// that does not have the focus, the wheel scrolls the page the control lies on instead. Once the
// user has clicked or tabbed into the control, the wheel changes it as usual. Installed on the
// application, it covers every window and every control created later.
class WheelGuard : public QObject {
    Q_OBJECT

public:
    explicit WheelGuard(QObject* parent = nullptr);

    // Whether the wheel would change widget's value.
    static bool isValueControl(const QObject* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Hands the wheel to the nearest scrolling area around control, if there is one.
    static void scrollAround(QWidget* control, QEvent* wheel);
};

} // namespace tivora
