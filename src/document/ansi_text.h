#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Every file the program reads or writes is single-byte Windows-1252 text; this is the one place
// where that text meets QString.
namespace tivora {

// Decodes Windows-1252 bytes. Every byte maps to exactly one character (the five bytes the code
// page leaves undefined map to the control characters of the same number), so decoding and
// encoding again gives back the same bytes.
QString ansiToString(QByteArrayView bytes);

// Encodes a string as Windows-1252, or gives nothing when a character has no place in the code
// page.
std::optional<QByteArray> stringToAnsi(QStringView text);

// Appends text to bytes as Windows-1252; false when a character has no place in the code page
// (bytes then holds the characters before it).
bool appendAnsi(QByteArray& bytes, QStringView text);

// Writes text as Windows-1252 to path in one step: the file is replaced whole or left as it was.
// False when a character has no place in the code page or the file could not be written.
[[nodiscard]] bool writeAnsiFile(const QString& path, QStringView text);
// The same, giving why the file was not written, naming it by its file name.
[[nodiscard]] std::optional<QString> saveAnsiFile(const QString& path, QStringView text);

// The first character of text that Windows-1252 cannot carry, if any.
std::optional<QChar> firstUnencodableChar(QStringView text);

} // namespace tivora
