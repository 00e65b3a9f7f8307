#include "controls/keys/keyboard_layout.h"

#include <QHash>
#include <array>
#include <string_view>
#include <utility>

namespace tivora {

namespace {

// The punctuation keys of a US keyboard: each key types the first character alone and the second
// with Shift.
struct PunctuationKey {
    int virtualKey;
    char plain;
    char shifted;
    int scanCode;
};

constexpr std::array<PunctuationKey, 11> kPunctuation{{
    {186, ';', ':', 0x27},
    {187, '=', '+', 0x0D},
    {188, ',', '<', 0x33},
    {189, '-', '_', 0x0C},
    {190, '.', '>', 0x34},
    {191, '/', '?', 0x35},
    {192, '`', '~', 0x29},
    {219, '[', '{', 0x1A},
    {220, '\\', '|', 0x2B},
    {221, ']', '}', 0x1B},
    {222, '\'', '"', 0x28},
}};

// Shift with the digit keys 0 to 9.
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

// Row by row as the keys lie, so the scan codes count up along each row.
constexpr std::string_view kLetterRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr int kLetterRowStart[] = {0x10, 0x1E, 0x2C};

const QHash<int, int>& namedScanCodes() {
    static const QHash<int, int> codes{
        {vk::Break, 0x46},  {vk::Backspace, 0x0E}, {vk::Tab, 0x0F},         {vk::Enter, 0x1C},
        {vk::Shift, 0x2A},  {vk::Control, 0x1D},   {vk::Alt, 0x38},         {vk::CapsLock, 0x3A},
        {vk::Escape, 0x01}, {vk::Space, 0x39},     {vk::PageUp, 0x49},      {vk::PageDown, 0x51},
        {vk::End, 0x4F},    {vk::Home, 0x47},      {vk::Left, 0x4B},        {vk::Up, 0x48},
        {vk::Right, 0x4D},  {vk::Down, 0x50},      {vk::PrintScreen, 0x37}, {vk::Insert, 0x52},
        {vk::Delete, 0x53}, {vk::NumLock, 0x45},   {vk::ScrollLock, 0x46},
    };
    return codes;
}

const QHash<int, int>& namedQtKeys() {
    static const QHash<int, int> keys{
        {vk::Break, Qt::Key_Cancel},      {vk::Backspace, Qt::Key_Backspace},
        {vk::Tab, Qt::Key_Tab},           {vk::Enter, Qt::Key_Return},
        {vk::Shift, Qt::Key_Shift},       {vk::Control, Qt::Key_Control},
        {vk::Alt, Qt::Key_Alt},           {vk::CapsLock, Qt::Key_CapsLock},
        {vk::Escape, Qt::Key_Escape},     {vk::Space, Qt::Key_Space},
        {vk::PageUp, Qt::Key_PageUp},     {vk::PageDown, Qt::Key_PageDown},
        {vk::End, Qt::Key_End},           {vk::Home, Qt::Key_Home},
        {vk::Left, Qt::Key_Left},         {vk::Up, Qt::Key_Up},
        {vk::Right, Qt::Key_Right},       {vk::Down, Qt::Key_Down},
        {vk::PrintScreen, Qt::Key_Print}, {vk::Insert, Qt::Key_Insert},
        {vk::Delete, Qt::Key_Delete},     {vk::Help, Qt::Key_Help},
        {vk::NumLock, Qt::Key_NumLock},   {vk::ScrollLock, Qt::Key_ScrollLock},
    };
    return keys;
}

int letterScanCode(char letter) {
    for (std::size_t row = 0; row < std::size(kLetterRows); ++row) {
        if (const auto column = kLetterRows[row].find(letter); column != std::string_view::npos)
            return kLetterRowStart[row] + int(column);
    }
    return 0;
}

} // namespace

CharacterKey KeyboardLayout::keyFor(QChar character) {
    const char16_t code = character.unicode();
    if (code >= u'a' && code <= u'z')
        return {int(code - u'a' + 'A')};
    if (code >= u'A' && code <= u'Z')
        return {int(code), true};
    if (code >= u'0' && code <= u'9')
        return {int(code)};
    if (code == u' ')
        return {vk::Space};
    if (code == u'\t')
        return {vk::Tab};
    if (code == u'\r' || code == u'\n')
        return {vk::Enter};
    for (int digit = 0; digit < 10; ++digit) {
        if (code == char16_t(kShiftedDigits[digit]))
            return {'0' + digit, true};
    }
    for (const PunctuationKey& key : kPunctuation) {
        if (code == char16_t(key.plain))
            return {key.virtualKey};
        if (code == char16_t(key.shifted))
            return {key.virtualKey, true};
    }
    return {};
}

QChar KeyboardLayout::typedWithShift(QChar character) {
    const char16_t code = character.unicode();
    if (code >= u'a' && code <= u'z')
        return character.toUpper();
    if (code >= u'0' && code <= u'9')
        return QLatin1Char(kShiftedDigits[code - u'0']);
    for (const PunctuationKey& key : kPunctuation) {
        if (code == char16_t(key.plain))
            return QLatin1Char(key.shifted);
    }
    return character;
}

int KeyboardLayout::scanCode(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return letterScanCode(char(virtualKey));
    if (virtualKey >= '1' && virtualKey <= '9')
        return 0x02 + virtualKey - '1';
    if (virtualKey == '0')
        return 0x0B;
    // F1 to F10 lie together; F11 and F12 were added later, elsewhere.
    if (virtualKey >= vk::F1 && virtualKey < vk::F1 + 10)
        return 0x3B + virtualKey - vk::F1;
    if (virtualKey == vk::F1 + 10)
        return 0x57;
    if (virtualKey == vk::F1 + 11)
        return 0x58;
    for (const PunctuationKey& key : kPunctuation) {
        if (key.virtualKey == virtualKey)
            return key.scanCode;
    }
    return namedScanCodes().value(virtualKey, 0);
}

int KeyboardLayout::qtKey(int virtualKey, QChar typed) {
    if (virtualKey >= vk::F1 && virtualKey <= vk::F24)
        return Qt::Key_F1 + virtualKey - vk::F1;
    if (const auto named = namedQtKeys().find(virtualKey); named != namedQtKeys().end())
        return *named;
    // Qt names a character key after the character it types, letters in upper case.
    if (!typed.isNull() && typed.unicode() < 0x100)
        return typed.toUpper().unicode();
    return Qt::Key_unknown;
}

} // namespace tivora
