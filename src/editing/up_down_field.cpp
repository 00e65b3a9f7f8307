#include "editing/up_down_field.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tivora {
namespace {

QToolButton* arrowButton(Qt::ArrowType arrow) {
    auto* button = new QToolButton;
    button->setArrowType(arrow);
    button->setFixedSize(16, 11);
    button->setAutoRepeat(true);
    // Taking the focus on a click makes a field being typed in write its text before the step.
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

} // namespace

UpDownField::UpDownField(const QString& editName, const QString& upDownName, int minimum,
                         int maximum, QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit)
    , m_up(arrowButton(Qt::UpArrow))
    , m_down(arrowButton(Qt::DownArrow))
    , m_minimum(minimum)
    , m_maximum(maximum) {
    m_edit->setObjectName(editName);
    m_edit->setReadOnly(true);
    m_edit->setFixedWidth(36);
    auto* upDown = new QWidget;
    upDown->setObjectName(upDownName);
    auto* buttons = new QVBoxLayout(upDown);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    layout->addWidget(upDown);
    layout->addStretch();
    m_edit->installEventFilter(this);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDownField::setText(const QString& text) {
    if (m_edit->text() != text)
        m_edit->setText(text);
}

bool UpDownField::eventFilter(QObject* watched, QEvent* event) {
    // The buttons take no focus, so the keyboard steps the number from the edit itself.
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownField::step(int delta) {
    // A text read from a file may lie outside the range; the first step brings it back inside.
    const int position = std::clamp(m_edit->text().toInt() + delta, m_minimum, m_maximum);
    const QString text = QString::number(position);
    if (text == m_edit->text())
        return;
    m_edit->setText(text);
    Q_EMIT stepped(position);
}

} // namespace tivora
