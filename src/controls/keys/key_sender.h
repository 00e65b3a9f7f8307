#pragma once

#include <QString>

namespace tivora {

// One key of a sent key text, as a key-down or key-up event carries it.
struct SentKey {
    int virtualKey = 0; // 16 Shift, 17 Control, 18 Alt, 13 Enter, 'A' the A key, ...
    int scanCode = 0;   // as the keyboard layout gives it; 0 for a key without one
    QString text;       // the character the key types, empty for keys that type none

    bool operator==(const SentKey&) const = default;
};

// Where sent keys go. The program's own sink delivers them to its focused widget; a test
// installs one that records them.
class KeySink {
public:
    virtual ~KeySink() = default;
    virtual void keyDown(const SentKey& key) = 0;
    virtual void keyUp(const SentKey& key) = 0;
    // Gives the receiver time to handle what was sent; returns after milliseconds.
    virtual void wait(int milliseconds) = 0;
};

// Types text as if the user had typed it, into the focused widget of this program, and returns
// when every key has been sent. "+", "^" and "%" hold Shift, Control and Alt for the next key;
// "(...)" holds them for a group of keys; "~" is Enter; "{c}" types c itself, "{c n}" n times;
// "{name}" and "{name n}" send a named key ({TAB}, {ENTER}, {PRT}, ... by the first three letters
// of the name); "{Fn}" is a function key; "{PAUSE n}" waits n milliseconds. Each key press is
// followed by a wait of 50 milliseconds so that the receiver can handle it.
void SendKeys(const QString& text);
// The same, into sink.
void SendKeys(const QString& text, KeySink& sink);

// Installs sink (owned by the caller) for every SendKeys; nullptr goes back to the focused
// widget.
void installKeySink(KeySink* sink);

} // namespace tivora
