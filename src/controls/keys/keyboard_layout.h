#pragma once

#include <QChar>
#include <QString>

namespace tivora {

// Virtual-key codes the key sender uses by number: the keys a key text names and the three
// modifiers it holds down.
namespace vk {
constexpr int Break = 3;
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Alt = 18;
constexpr int CapsLock = 20;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int PrintScreen = 44;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Help = 47;
constexpr int F1 = 112;
constexpr int F24 = 135;
constexpr int NumLock = 144;
constexpr int ScrollLock = 145;
} // namespace vk

// The key that types a character and the modifiers it needs for that.
struct CharacterKey {
    int virtualKey = 0; // 0: no key of the layout types it; it is sent as text alone
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The keyboard the key sender types on: a US layout, the one every key text of the program is
// written for. It answers which key and modifiers type a character, the scan code of a key, and
// the key's name among Qt's keys for delivering it to a widget.
class KeyboardLayout {
public:
    static CharacterKey keyFor(QChar character);
    // What the key that types character types while Shift is held ('a' gives 'A', '1' gives '!').
    static QChar typedWithShift(QChar character);
    // The set-1 scan code of a key, 0 for a key with none.
    static int scanCode(int virtualKey);
    // The Qt key of a virtual key; typed is the character it types, if any.
    static int qtKey(int virtualKey, QChar typed);
};

} // namespace tivora
