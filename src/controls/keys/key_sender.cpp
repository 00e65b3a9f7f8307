#include "controls/keys/key_sender.h"

#include "controls/keys/focused_widget_key_sink.h"
#include "controls/keys/keyboard_layout.h"

#include <array>
#include <limits>
#include <optional>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

constexpr int kWaitAfterKey = 50;

struct NamedKey {
    QStringView name;
    int virtualKey;
};

// Searched in this order; a name is matched by its first three letters in upper case.
constexpr std::array<NamedKey, 22> kNamedKeys{{
    {u"BAC", vk::Backspace}, {u"BS", vk::Backspace},   {u"BKS", vk::Backspace},
    {u"BRE", vk::Break},     {u"CAP", vk::CapsLock},   {u"DEL", vk::Delete},
    {u"DOW", vk::Down},      {u"END", vk::End},        {u"ENT", vk::Enter},
    {u"ESC", vk::Escape},    {u"HEL", vk::Help},       {u"HOM", vk::Home},
    {u"INS", vk::Insert},    {u"LEF", vk::Left},       {u"NUM", vk::NumLock},
    {u"PGD", vk::PageDown},  {u"PGU", vk::PageUp},     {u"PRT", vk::PrintScreen},
    {u"RIG", vk::Right},     {u"SCR", vk::ScrollLock}, {u"TAB", vk::Tab},
    {u"UP", vk::Up},
}};

KeySink*& installedSink() {
    static KeySink* sink = nullptr;
    return sink;
}

std::optional<int> namedKey(QStringView name) {
    const QString shortName = name.left(3).toString().toUpper();
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == shortName)
            return key.virtualKey;
    }
    return std::nullopt;
}

// A run of decimal digits as a number; a run too long for an int counts as the largest one.
std::optional<int> digitsValue(QStringView digits) {
    if (digits.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (const QChar digit : digits) {
        if (!digit.isDigit() || digit.unicode() > u'9')
            return std::nullopt;
        value =
            std::min<long long>(value * 10 + digit.digitValue(), std::numeric_limits<int>::max());
    }
    return int(value);
}

// One key to press, with the modifiers it needs of its own.
struct KeyPress {
    SentKey key;
    CharacterKey needs;
};

KeyPress characterPress(QChar character) {
    const CharacterKey needs = KeyboardLayout::keyFor(character);
    return {{needs.virtualKey, KeyboardLayout::scanCode(needs.virtualKey), QString(character)},
            needs};
}

KeyPress namedPress(int virtualKey) {
    return {{virtualKey, KeyboardLayout::scanCode(virtualKey), QString()}, {virtualKey}};
}

SentKey modifierKey(int virtualKey) {
    return {virtualKey, KeyboardLayout::scanCode(virtualKey), QString()};
}

// Reads a key text from left to right and sends its keys, keeping the prefixes and the group.
class KeyTextSender {
public:
    explicit KeyTextSender(KeySink& sink)
        : m_sink(sink) {}

    void send(QStringView text) {
        qsizetype at = 0;
        while (at < text.size())
            at = sendElement(text, at);
    }

private:
    // Sends the element that starts at at and gives where the next one starts.
    qsizetype sendElement(QStringView text, qsizetype at) {
        switch (text[at].unicode()) {
        case u'+':
            m_shift = true;
            break;
        case u'^':
            m_control = true;
            break;
        case u'%':
            m_alt = true;
            break;
        case u'(':
            m_group = true;
            break;
        case u')':
            m_group = false;
            clearPrefixes();
            break;
        case u'~':
            press(namedPress(vk::Enter), 1);
            break;
        case u'{':
            return sendBraced(text, at);
        default:
            press(characterPress(text[at]), 1);
            break;
        }
        return at + 1;
    }

    // "{c}", "{c n}", "{name}", "{name n}", "{Fn}" or "{PAUSE n}". The first character inside is
    // taken as it is, so "{}}" types a closing brace. A brace that is never closed types itself.
    qsizetype sendBraced(QStringView text, qsizetype open) {
        const qsizetype close = open + 2 <= text.size() ? text.indexOf(u'}', open + 2) : -1;
        if (close < 0) {
            press(characterPress(text[open]), 1);
            return open + 1;
        }
        const QStringView inside = text.sliced(open + 1, close - open - 1);
        const qsizetype blank = inside.indexOf(u' ', 1);
        const QStringView name = blank < 0 ? inside : inside.first(blank);
        const std::optional<int> count =
            blank < 0 ? std::nullopt : digitsValue(inside.sliced(blank + 1));
        sendNamed(name, count);
        return close + 1;
    }

    void sendNamed(QStringView name, std::optional<int> count) {
        if (name.size() == 1) {
            press(characterPress(name.front()), count.value_or(1));
            return;
        }
        if (name.front().toUpper() == u'F') {
            if (const auto number = digitsValue(name.sliced(1))) {
                if (*number >= 1 && *number <= vk::F24 - vk::F1 + 1)
                    press(namedPress(vk::F1 + *number - 1), count.value_or(1));
                return;
            }
        }
        if (name.left(3).toString().toUpper() == "PAU"_L1) {
            m_sink.wait(count.value_or(1));
            return;
        }
        if (const auto virtualKey = namedKey(name))
            press(namedPress(*virtualKey), count.value_or(1));
    }

    void press(const KeyPress& press, int count) {
        const bool shift = m_shift || press.needs.shift;
        const bool control = m_control || press.needs.control;
        const bool alt = m_alt || press.needs.alt;
        holdModifiers(shift, control, alt, true);
        for (int time = 0; time < count; ++time) {
            m_sink.keyDown(press.key);
            m_sink.keyUp(press.key);
            m_sink.wait(kWaitAfterKey);
        }
        holdModifiers(shift, control, alt, false);
        if (!m_group)
            clearPrefixes();
    }

    // Pressed Shift, Control, Alt; released in the opposite order.
    void holdModifiers(bool shift, bool control, bool alt, bool down) {
        const std::array<std::pair<bool, int>, 3> modifiers{
            {{shift, vk::Shift}, {control, vk::Control}, {alt, vk::Alt}}};
        for (std::size_t index = 0; index < modifiers.size(); ++index) {
            const auto& [held, virtualKey] = modifiers[down ? index : modifiers.size() - 1 - index];
            if (!held)
                continue;
            if (down)
                m_sink.keyDown(modifierKey(virtualKey));
            else
                m_sink.keyUp(modifierKey(virtualKey));
        }
    }

    void clearPrefixes() { m_shift = m_control = m_alt = false; }

    KeySink& m_sink;
    bool m_shift = false;
    bool m_control = false;
    bool m_alt = false;
    bool m_group = false;
};

} // namespace

void SendKeys(const QString& text, KeySink& sink) {
    KeyTextSender(sink).send(text);
}

void SendKeys(const QString& text) {
    if (KeySink* sink = installedSink()) {
        SendKeys(text, *sink);
        return;
    }
    FocusedWidgetKeySink focused;
    SendKeys(text, focused);
}

void installKeySink(KeySink* sink) {
    installedSink() = sink;
}

} // namespace tivora
