#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace tivora {

// Appends the entries of a variable text, "&" + key + "=" + value, encoding values in place as they
// go. Text that the encoding cannot carry is noted, not silently changed; the caller asks at the
// end whether any was met.
class GraphTextBuilder {
public:
    void appendPlain(QByteArrayView key, QByteArrayView value);
    void appendPlainText(QByteArrayView key, QStringView value);
    void appendEncoded(QByteArrayView key, QStringView value);
    void appendEncodedBytes(QByteArrayView key, QByteArrayView value);

    // An encoded "/x/" list of count items, item(i) giving item i (0-based).
    template <typename ItemOf> void appendEncodedList(QByteArrayView key, int count, ItemOf item) {
        startEntry(key);
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                m_text.append("0y0"); // the encoded separator "/x/"
            appendEncodedValue(item(i));
        }
    }

    bool metUnsavableText() const { return m_metUnsavableText; }
    const QByteArray& text() const { return m_text; }

private:
    void startEntry(QByteArrayView key);
    void appendEncodedValue(QStringView value);

    QByteArray m_text;
    bool m_metUnsavableText = false;
};

} // namespace tivora
