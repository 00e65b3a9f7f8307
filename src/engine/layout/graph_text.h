#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <optional>
#include <vector>

namespace tivora {
class VariableText;
}

namespace tivora::engine {

// Typed reading of a graph text's entries. Every reader gives a usable value for a missing or
// malformed entry (a hand-edited file draws what it can), so layout never fails on bad input.
// longKey, when given, is looked up first, as every reader of graph texts does.
class GraphText {
public:
    explicit GraphText(const VariableText& text);

    // The decoded bytes of an encoded entry.
    QByteArray bytes(QByteArrayView key, QByteArrayView longKey = {}) const;
    QByteArray plainBytes(QByteArrayView key, QByteArrayView longKey = {}) const;
    QString string(QByteArrayView key, QByteArrayView longKey = {}) const;
    std::optional<double> number(QByteArrayView key) const;
    double number(QByteArrayView key, double fallback, double min, double max) const;
    QColor color(QByteArrayView key, const QColor& fallback, QByteArrayView longKey = {}) const;
    // count items of an encoded "/x/" list; a short list repeats its last item.
    std::vector<QByteArray> list(QByteArrayView key, int count, QByteArrayView longKey = {}) const;
    // The same items as views into one decoded copy of the list, which the result keeps: a row
    // of a thousand values costs no string per value.
    struct ListViews {
        QByteArray decoded;
        std::vector<QByteArrayView> items;
        // Whether item i is the one before it again (a short list's last item, repeated): a
        // reader can reuse what it made of that one.
        bool repeats(std::size_t i) const {
            return i > 0 && items[i].data() == items[i - 1].data() &&
                   items[i].size() == items[i - 1].size();
        }
    };
    ListViews listViews(QByteArrayView key, int count, QByteArrayView longKey = {}) const;

    // A number as graph texts write them; blanks around it are allowed, a comma is taken as the
    // decimal point.
    static std::optional<double> parseNumber(QByteArrayView text);

private:
    const VariableText& m_text;
};

} // namespace tivora::engine
