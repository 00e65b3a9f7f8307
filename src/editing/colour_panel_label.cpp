#include "editing/colour_panel_label.h"

#include "controls/dialogs.h"
#include "document/variable_text.h"

#include <QKeyEvent>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

QColor toQColor(WindowColor color) {
    return QColor(redOf(color), greenOf(color), blueOf(color));
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
    // The dialog opens on the colour the panel shows, so that OK alone keeps it.
    const auto chosen = appDialogs().chooseColor(toQColor(m_panel.color));
    if (!chosen || !chosen->isValid())
        return std::nullopt;
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

void ColourPanelLabel::setPickedByItself() {
    setFocusPolicy(Qt::StrongFocus);
}

void ColourPanelLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (focusPolicy() == Qt::StrongFocus &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        Q_EMIT clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ColourPanelLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    repaintPanel();
}

void ColourPanelLabel::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    repaintPanel();
}

void ColourPanelLabel::repaintPanel() {
    setText(m_panel.caption);
    // A panel reached by the keyboard shows it has the focus by a heavier border.
    const bool focused = hasFocus() && focusPolicy() == Qt::StrongFocus;
    setStyleSheet(u"QLabel { background-color: %1; color: %2; border: %3; }"_s.arg(
        toQColor(m_panel.color).name(), m_textColour.name(),
        focused ? u"2px solid palette(highlight)"_s : u"1px solid gray"_s));
}

} // namespace tivora
