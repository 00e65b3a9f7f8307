#include "document/graph_text_builder.h"

#include "document/ansi_text.h"
#include "document/variable_text.h"

#include <algorithm>

namespace tivora {

void GraphTextBuilder::startEntry(QByteArrayView key) {
    m_text.append(key).append('=');
}

void GraphTextBuilder::appendPlain(QByteArrayView key, QByteArrayView value) {
    startEntry(key);
    m_text.append(value);
}

void GraphTextBuilder::appendPlainText(QByteArrayView key, QStringView value) {
    startEntry(key);
    if (!appendAnsi(m_text, value))
        m_metUnsavableText = true;
}

void GraphTextBuilder::appendEncoded(QByteArrayView key, QStringView value) {
    startEntry(key);
    appendEncodedValue(value);
}

void GraphTextBuilder::appendEncodedBytes(QByteArrayView key, QByteArrayView value) {
    startEntry(key);
    m_text.append(EncodeValue(value));
}

void GraphTextBuilder::appendEncodedValue(QStringView value, QByteArrayView prefix) {
    // Nearly every value is plain ASCII: it is encoded straight into the text, one byte for each
    // character; any other character takes the conversion to the code page first.
    const qsizetype start = m_text.size() + prefix.size();
    m_text.resize(start + value.size());
    std::copy(prefix.begin(), prefix.end(), m_text.data() + start - prefix.size());
    char* out = m_text.data() + start;
    for (const QChar character : value) {
        const char16_t code = character.unicode();
        if (code >= 0x80) {
            m_text.truncate(start);
            appendEncodedAnsi(value);
            return;
        }
        noteUnsavable(char(code));
        *out++ = char(code + 1);
    }
}

void GraphTextBuilder::appendEncodedAnsi(QStringView value) {
    const qsizetype start = m_text.size();
    if (!appendAnsi(m_text, value))
        m_metUnsavableText = true;
    char* bytes = m_text.data();
    for (qsizetype i = start; i < m_text.size(); ++i) {
        noteUnsavable(bytes[i]);
        bytes[i] = char(static_cast<unsigned char>(bytes[i]) + 1);
    }
}

void GraphTextBuilder::noteUnsavable(char byte) {
    // "%" would encode to the "&" that ends the value; tab and form feed to line breaks.
    if (byte == '%' || byte == '\t' || byte == '\f')
        m_metUnsavableText = true;
}

} // namespace tivora
