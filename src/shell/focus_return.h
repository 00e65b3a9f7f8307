#pragma once

#include <QPointer>
#include <QWidget>

namespace tivora {

// Gives the focus back, once a command is done, to the field the user was typing in, or to the grid
// whose cell editor was closed, so that the keyboard stays where it was.
class FocusReturn {
public:
    explicit FocusReturn(QWidget* field)
        : m_field(field) {
        for (QWidget* owner = field ? field->parentWidget() : nullptr; owner && !m_owner;
             owner = owner->parentWidget()) {
            if (owner->focusPolicy() & Qt::TabFocus)
                m_owner = owner;
        }
    }
    ~FocusReturn() {
        for (QWidget* target : {m_field.data(), m_owner.data()}) {
            if (target && target->isVisible()) {
                target->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> m_field;
    QPointer<QWidget> m_owner;
};

} // namespace tivora
