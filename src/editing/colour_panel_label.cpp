#include "editing/colour_panel_label.h"

#include "controls/dialogs.h"
#include "document/variable_text.h"

#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

QColor toQColor(WindowColor color) {
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

// The main window has one colour dialog, and it remembers the colour chosen last.
QColor& lastChosenColour() {
    static QColor colour = Qt::white;
    return colour;
}

} // namespace

ColourPanelLabel::ColourPanelLabel(const QString& name, QWidget* parent)
    : QLabel(parent)
    , m_textColour(toQColor(m_panel.color)) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    // Taking the focus on a click makes a field being typed in write its text before the pick.
    setFocusPolicy(Qt::ClickFocus);
    setFixedSize(68, 20);
    repaintPanel();
}

void ColourPanelLabel::showPanel(const ColorPanel& panel) {
    if (panel == m_panel)
        return;
    m_panel = panel;
    m_textColour = toQColor(panel.color);
    repaintPanel();
}

std::optional<ColorPanel> ColourPanelLabel::pick(bool hideCaption) {
    const auto chosen = appDialogs().chooseColor(lastChosenColour());
    if (!chosen || !chosen->isValid())
        return std::nullopt;
    lastChosenColour() = *chosen;
    const WindowColor color = makeWindowColor(chosen->red(), chosen->green(), chosen->blue());
    m_panel = ColorPanel{QString::fromLatin1(ColorToText(color)), color};
    if (hideCaption)
        m_textColour = *chosen;
    repaintPanel();
    return m_panel;
}

void ColourPanelLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void ColourPanelLabel::repaintPanel() {
    setText(m_panel.caption);
    setStyleSheet(u"QLabel { background-color: %1; color: %2; border: 1px solid gray; }"_s.arg(
        toQColor(m_panel.color).name(), m_textColour.name()));
}

} // namespace tivora
