#include "controls/num_edit.h"

#include "controls/decimal_rounding.h"
#include "controls/dialogs.h"

#include <QKeyEvent>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tivora {

TNumEdit::TNumEdit(QWidget* parent)
    : QLineEdit(parent) {}

void TNumEdit::setDecimalPlaces(int places) {
    m_decimalPlaces = std::max(places, 0);
}

QString TNumEdit::formatNumber(const QString& text, int places) {
    return roundDecimalText(text, places);
}

bool TNumEdit::acceptsCharacter(QChar character) const {
    if (character == u'-' && !m_allowNegative)
        return false;
    if (character.isDigit() && character.unicode() < 128)
        return true;
    if (character == u'+' || character == u'-' || character == u'.')
        return true;
    return !m_permittedAlpha.isEmpty() && m_permittedAlpha.contains(character);
}

void TNumEdit::keyPressEvent(QKeyEvent* event) {
    // Keys without printable text (Enter, Escape, Backspace, cursor keys, shortcuts such as
    // Ctrl+V, whose pasted text is not filtered) behave as in any edit.
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        for (QChar character : typed) {
            if (!acceptsCharacter(character)) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TNumEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Switching to another window or opening a menu does not leave the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        leaveField();
}

void TNumEdit::leaveField() {
    if (!m_permittedAlpha.isEmpty()) {
        Q_EMIT exited();
        return;
    }
    if (m_minLength > 0 && !text().isEmpty() && text().size() < m_minLength) {
        appDialogs().showError(u"A minimum of "_s + QString::number(m_minLength) +
                               u" character(s) must be entered."_s);
        // Taking the focus back at once would fight the widget that is receiving it.
        QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
        return;
    }
    Q_EMIT exited();
    if (m_formatOnExit && !text().isEmpty()) {
        const QString formatted = formatNumber(text(), m_decimalPlaces);
        if (formatted != text())
            setText(formatted);
    }
}

} // namespace tivora
