#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace tivora {

// Appends the entries of a variable text, key + "=" + value (keys carry their leading "&", as in
// graph_keys.h), encoding values in place as they go. Text that the encoding cannot carry is noted,
// not silently changed; the caller asks at the end whether any was met.
class GraphTextBuilder {
public:
    void appendPlain(QByteArrayView key, QByteArrayView value);
    void appendPlainText(QByteArrayView key, QStringView value);
    void appendEncoded(QByteArrayView key, QStringView value);
    void appendEncodedBytes(QByteArrayView key, QByteArrayView value);

    // An encoded "/x/" list of count items, item(i) giving item i (0-based).
    template <typename ItemOf> void appendEncodedList(QByteArrayView key, int count, ItemOf item) {
        startEntry(key);
        for (int i = 0; i < count; ++i)
            appendEncodedValue(item(i), i > 0 ? QByteArrayView("0y0") : QByteArrayView());
    }

    // Makes room for a text of about size bytes at once.
    void reserve(qsizetype size) { m_text.reserve(size); }

    bool metUnsavableText() const { return m_metUnsavableText; }
    const QByteArray& text() const { return m_text; }

private:
    void startEntry(QByteArrayView key);
    // Appends prefix (already encoded, the list separator "0y0") and the encoded value.
    void appendEncodedValue(QStringView value, QByteArrayView prefix = {});
    void appendEncodedAnsi(QStringView value);
    void noteUnsavable(char byte);

    QByteArray m_text;
    bool m_metUnsavableText = false;
};

} // namespace tivora
