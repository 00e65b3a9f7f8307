#include "controls/keys/focused_widget_key_sink.h"

#include "controls/keys/keyboard_layout.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QThread>
#include <algorithm>

namespace tivora {

void FocusedWidgetKeySink::keyDown(const SentKey& key) {
    follow(true, key.virtualKey);
    deliver(true, key);
}

void FocusedWidgetKeySink::keyUp(const SentKey& key) {
    deliver(false, key);
    follow(false, key.virtualKey);
}

// Sending is synchronous, as typing into a busy window would be: the receiver has already handled
// each event when it returns, so the wait only keeps the pace between keys.
void FocusedWidgetKeySink::wait(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(std::max(milliseconds, 0)));
}

void FocusedWidgetKeySink::follow(bool down, int virtualKey) {
    Qt::KeyboardModifier modifier = Qt::NoModifier;
    if (virtualKey == vk::Shift)
        modifier = Qt::ShiftModifier;
    else if (virtualKey == vk::Control)
        modifier = Qt::ControlModifier;
    else if (virtualKey == vk::Alt)
        modifier = Qt::AltModifier;
    m_held.setFlag(modifier, down);
}

void FocusedWidgetKeySink::deliver(bool down, const SentKey& key) {
    QObject* receiver = QGuiApplication::focusObject();
    if (!receiver)
        return;
    // A Shift held for a prefix changes what a character key types, as on a real keyboard.
    QString text = key.text;
    if (m_held.testFlag(Qt::ShiftModifier) && text.size() == 1)
        text = KeyboardLayout::typedWithShift(text.front());
    const QChar typed = text.isEmpty() ? QChar() : text.front();
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease,
                    KeyboardLayout::qtKey(key.virtualKey, typed), m_held, quint32(key.scanCode),
                    quint32(key.virtualKey), 0, text);
    QCoreApplication::sendEvent(receiver, &event);
}

} // namespace tivora
