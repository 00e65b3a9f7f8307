#include "document/graph_text_builder.h"

#include "document/ansi_text.h"
#include "document/variable_text.h"

namespace tivora {

void GraphTextBuilder::startEntry(QByteArrayView key) {
    m_text.append('&').append(key).append('=');
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

void GraphTextBuilder::appendEncodedValue(QStringView value) {
    const qsizetype start = m_text.size();
    if (!appendAnsi(m_text, value))
        m_metUnsavableText = true;
    for (qsizetype i = start; i < m_text.size(); ++i) {
        const char byte = m_text[i];
        // "%" would encode to the "&" that ends the value; tab and form feed to line breaks.
        if (byte == '%' || byte == '\t' || byte == '\f')
            m_metUnsavableText = true;
        m_text[i] = char(static_cast<unsigned char>(byte) + 1);
    }
}

} // namespace tivora
