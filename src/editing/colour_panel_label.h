#pragma once

#include "document/color_panel.h"

#include <QLabel>
#include <optional>

namespace tivora {

// A colour panel: painted in its colour, its caption the colour text. The caption is hidden by
// giving it the panel's colour; a panel picked by clicking on it keeps its old text colour, so
// that the new colour text shows.
class ColourPanelLabel : public QLabel {
    Q_OBJECT

public:
    explicit ColourPanelLabel(const QString& name, QWidget* parent = nullptr);

    const ColorPanel& panel() const { return m_panel; }
    // Shows panel as loaded from the graph: a panel that differs from the one shown hides its
    // caption again.
    void showPanel(const ColorPanel& panel);
    // Asks for a colour in the colour dialog, which opens on the panel's colour.
    // On OK the panel shows the chosen colour, with its caption hidden when hideCaption is set,
    // and the new panel is given; on Cancel nothing changes.
    std::optional<ColorPanel> pick(bool hideCaption);
    // A panel without a "..." button beside it is picked by itself: it then takes the focus by
    // Tab and is clicked with Enter or Space as well as with the mouse.
    void setPickedByItself();

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void repaintPanel();

    ColorPanel m_panel;
    QColor m_textColour;
};

} // namespace tivora
