#include "document/ansi_text.h"

#include "document/regular_file.h"

#include <QFileInfo>
#include <algorithm>
#include <array>

namespace tivora {
namespace {

// The characters of bytes 0x80..0x9F; all other bytes stand for the Unicode character of the same
// number. Bytes the code page leaves undefined keep their own number.
constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> ansiByteOf(QChar character) {
    const char16_t code = character.unicode();
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == code)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString ansiToString(QByteArrayView bytes) {
    // Outside 0x80..0x9F the code page and Latin-1 agree, and Latin-1 converts fastest.
    const bool latin1 = std::none_of(bytes.begin(), bytes.end(), [](char byte) {
        const auto code = static_cast<unsigned char>(byte);
        return code >= 0x80 && code < 0xA0;
    });
    if (latin1)
        return QString::fromLatin1(bytes);
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code < 0xA0) ? QChar(kHighControlRange[code - 0x80])
                                               : QChar(char16_t(code));
    }
    return text;
}

bool appendAnsi(QByteArray& bytes, QStringView text) {
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            bytes.append(char(character.unicode()));
            continue;
        }
        const auto byte = ansiByteOf(character);
        if (!byte)
            return false;
        bytes.append(*byte);
    }
    return true;
}

std::optional<QByteArray> stringToAnsi(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    if (!appendAnsi(bytes, text))
        return std::nullopt;
    return bytes;
}

std::optional<QChar> firstUnencodableChar(QStringView text) {
    for (const QChar character : text) {
        if (!ansiByteOf(character))
            return character;
    }
    return std::nullopt;
}

bool writeAnsiFile(const QString& path, QStringView text) {
    return !saveAnsiFile(path, text);
}

std::optional<QString> saveAnsiFile(const QString& path, QStringView text) {
    const QString name = QFileInfo(path).fileName();
    const auto bytes = stringToAnsi(text);
    if (!bytes)
        return QStringLiteral("%1 cannot hold a character of the text.").arg(name);
    return replaceFile(path, *bytes);
}

} // namespace tivora
