#pragma once

#include "controls/keys/key_sender.h"

#include <Qt>

namespace tivora {

// Delivers sent keys as key events to the widget of this program that has the input focus,
// with the modifiers the sent Shift, Control and Alt keys hold at that moment.
class FocusedWidgetKeySink : public KeySink {
public:
    void keyDown(const SentKey& key) override;
    void keyUp(const SentKey& key) override;
    void wait(int milliseconds) override;

private:
    void deliver(bool down, const SentKey& key);
    void follow(bool down, int virtualKey);

    Qt::KeyboardModifiers m_held;
};

} // namespace tivora
