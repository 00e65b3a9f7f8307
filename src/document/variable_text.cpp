#include "document/variable_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tivora {
namespace {

// Lookup keys are short; names are indexed up to this many bytes, so a key of fewer bytes is
// matched by the index exactly as by a scan of the text.
constexpr qsizetype kIndexedNameLength = 64;

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool startsWithIgnoringCase(QByteArrayView text, qsizetype at, QByteArrayView key) {
    if (at + key.size() > text.size())
        return false;
    for (qsizetype i = 0; i < key.size(); ++i) {
        if (asciiUpper(text[at + i]) != asciiUpper(key[i]))
            return false;
    }
    return true;
}

// Keys are found as plain substrings. A key that begins with "&" can only start at an "&" of the
// text, so the search jumps from one "&" to the next instead of testing every position.
std::optional<qsizetype> findKeyIn(QByteArrayView text, QByteArrayView key) {
    if (key.isEmpty())
        return 0;
    if (key.front() != '&') {
        for (qsizetype at = 0; at + key.size() <= text.size(); ++at) {
            if (startsWithIgnoringCase(text, at, key))
                return at;
        }
        return std::nullopt;
    }
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* at = begin; at < end;) {
        at = static_cast<const char*>(std::memchr(at, '&', std::size_t(end - at)));
        if (!at)
            break;
        if (startsWithIgnoringCase(text, at - begin, key))
            return at - begin;
        ++at;
    }
    return std::nullopt;
}

// The value starts one character after the key (that character is the "=" and is not tested) and
// ends before the next "&"; without a following "&" it is empty.
QByteArray valueFrom(QByteArrayView text, qsizetype keyEnd) {
    const qsizetype start = keyEnd + 1;
    if (start >= text.size())
        return {};
    const qsizetype end = text.indexOf('&', start);
    if (end < 0)
        return {};
    return text.sliced(start, end - start).toByteArray();
}

QByteArray shiftBytes(QByteArrayView value, int delta) {
    QByteArray shifted(value.size(), Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(value.data());
    auto* out = reinterpret_cast<unsigned char*>(shifted.data());
    // A graph's values run to hundreds of kilobytes, so they are shifted eight bytes at a time:
    // the low seven bits of each byte are added apart, so that no carry crosses into the next
    // byte, and the top bit is set from both top bits and that carry.
    constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7FULL;
    constexpr std::uint64_t kTopBits = 0x8080808080808080ULL;
    const std::uint64_t added = 0x0101010101010101ULL * static_cast<std::uint8_t>(delta);
    qsizetype i = 0;
    for (; i + 8 <= value.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + i, sizeof word);
        word = ((word & kLowBits) + (added & kLowBits)) ^ ((word ^ added) & kTopBits);
        std::memcpy(out + i, &word, sizeof word);
    }
    for (; i < value.size(); ++i)
        out[i] = static_cast<unsigned char>(in[i] + delta);
    return shifted;
}

// Blanks are every character up to the space, control characters included.
QByteArrayView trimBlanks(QByteArrayView text) {
    const auto isBlank = [](char c) {
        return static_cast<unsigned char>(c) <= ' ';
    };
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

} // namespace

QByteArray GetValue(QByteArrayView key, QByteArrayView text) {
    const auto at = findKeyIn(text, key);
    return at ? valueFrom(text, *at + key.size()) : QByteArray();
}

QByteArray GetValueAlias(QByteArrayView longKey, QByteArrayView shortKey, QByteArrayView text) {
    return findKeyIn(text, longKey) ? GetValue(longKey, text) : GetValue(shortKey, text);
}

QByteArray GetEncodedValue(QByteArrayView key, QByteArrayView text) {
    return DecodeValue(GetValue(key, text));
}

QByteArray GetEncodedValueAlias(QByteArrayView longKey, QByteArrayView shortKey,
                                QByteArrayView text) {
    return DecodeValue(GetValueAlias(longKey, shortKey, text));
}

QByteArray EncodeValue(QByteArrayView value) {
    return shiftBytes(value, 1);
}

QByteArray DecodeValue(QByteArrayView value) {
    return shiftBytes(value, -1);
}

qsizetype LastAmpersandWithin(QByteArrayView text, qsizetype limit) {
    const qsizetype searchEnd = std::min(limit, text.size());
    if (searchEnd <= 0)
        return 0;
    return text.first(searchEnd).lastIndexOf('&') + 1;
}

int StrToIntOrZero(QByteArrayView text) {
    bool ok = false;
    const int value = text.toByteArray().toInt(&ok);
    return ok ? value : 0;
}

QByteArray ColorToText(WindowColor color) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QByteArray text("0x");
    for (const int channel : {redOf(color), greenOf(color), blueOf(color)}) {
        text.append(kDigits[channel >> 4]);
        text.append(kDigits[channel & 0xF]);
    }
    return text;
}

std::optional<WindowColor> TextToColor(QByteArrayView text) {
    const QByteArrayView trimmed = trimBlanks(text);
    if (trimmed.isEmpty() || trimmed == "..")
        return kSilver;
    // Digits in the order BB GG RR, taken from characters 7-8, 5-6 and 3-4 (counted from 1) of the
    // untrimmed text; the first two characters are not looked at.
    WindowColor value = 0;
    bool anyDigit = false;
    for (const qsizetype pairStart : {6, 4, 2}) {
        for (qsizetype i = pairStart; i < pairStart + 2 && i < text.size(); ++i) {
            const auto digit = hexDigit(text[i]);
            if (!digit)
                return std::nullopt;
            value = value * 16 + WindowColor(*digit);
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    return value;
}

ListReader::ListReader(QByteArray list)
    : m_list(std::move(list)) {}

QByteArray ListReader::NextListItem() {
    const QByteArrayView item = nextItem();
    if (!m_atLastItem)
        return item.toByteArray();
    if (!m_lastItem)
        m_lastItem = item.toByteArray();
    return *m_lastItem;
}

QByteArrayView ListReader::nextItem() {
    const QByteArrayView list(m_list);
    // Once no separator is left the last item is given again without searching it again: a
    // short list may fill thousands of rows from one long item.
    if (m_atLastItem)
        return list.sliced(m_position);
    // A list holds thousands of short items: a plain search for the separator's first byte
    // costs far less per item than a general substring search.
    const std::string_view items(list.data(), std::size_t(list.size()));
    const std::size_t found =
        items.find(std::string_view(kListSeparator.data(), std::size_t(kListSeparator.size())),
                   std::size_t(m_position));
    const qsizetype separator = found == std::string_view::npos ? -1 : qsizetype(found);
    if (separator < 0) {
        m_atLastItem = true;
        return list.sliced(m_position);
    }
    const QByteArrayView item = list.sliced(m_position, separator - m_position);
    m_position = separator + kListSeparator.size();
    return item;
}

QByteArray joinList(const std::vector<QByteArray>& items) {
    QByteArray list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            list.append(kListSeparator);
        list.append(items[i]);
    }
    return list;
}

VariableText::VariableText(QByteArray text)
    : m_text(std::move(text)) {
    indexEntries();
}

void VariableText::indexEntries() {
    const char* begin = m_text.constData();
    const char* end = begin + m_text.size();
    for (const char* at = static_cast<const char*>(std::memchr(begin, '&', m_text.size())); at;) {
        const char* name = at + 1;
        const char* nameEnd = name;
        const char* limit = std::min(end, name + kIndexedNameLength);
        while (nameEnd < limit && *nameEnd != '&' && *nameEnd != '=')
            ++nameEnd;
        if (nameEnd < limit && *nameEnd == '=')
            ++nameEnd;
        if (nameEnd > name) {
            const qsizetype start = m_names.size();
            for (const char* c = name; c < nameEnd; ++c)
                m_names.append(asciiUpper(*c));
            m_index.push_back({start, nameEnd - name, at - begin});
        }
        at = static_cast<const char*>(std::memchr(nameEnd, '&', std::size_t(end - nameEnd)));
    }
    // Sorted by name and, within a name, by position: the first of each name is the one kept.
    std::sort(m_index.begin(), m_index.end(), [this](const EntryName& a, const EntryName& b) {
        const int order = nameText(a).compare(nameText(b));
        return order != 0 ? order < 0 : a.entry < b.entry;
    });
    const auto duplicates =
        std::unique(m_index.begin(), m_index.end(), [this](const EntryName& a, const EntryName& b) {
            return nameText(a) == nameText(b);
        });
    m_index.erase(duplicates, m_index.end());
}

// The first entry whose name starts with name (or, exact, is name).
std::optional<qsizetype> VariableText::findIndexed(QByteArrayView name, bool exact) const {
    auto it = std::lower_bound(
        m_index.begin(), m_index.end(), name,
        [this](const EntryName& entry, QByteArrayView wanted) { return nameText(entry) < wanted; });
    std::optional<qsizetype> first;
    for (; it != m_index.end() && nameText(*it).startsWith(name); ++it) {
        if (exact && it->length != name.size())
            break;
        if (!first || it->entry < *first)
            first = it->entry;
    }
    return first;
}

std::optional<qsizetype> VariableText::findKey(QByteArrayView key) const {
    // Only keys of an "&" and a name without "=" or "&" match an entry exactly when its name
    // starts with theirs; anything else is searched for in the text itself.
    const QByteArrayView name = key.isEmpty() ? key : key.sliced(1);
    if (key.isEmpty() || key.front() != '&' || name.isEmpty() ||
        name.size() >= kIndexedNameLength || name.contains('=') || name.contains('&'))
        return findKeyIn(m_text, key);
    return findIndexed(name.toByteArray().toUpper(), false);
}

bool VariableText::contains(QByteArrayView key) const {
    return findKey(key).has_value();
}

QByteArray VariableText::value(QByteArrayView key) const {
    const auto at = findKey(key);
    return at ? valueFrom(m_text, *at + key.size()) : QByteArray();
}

QByteArray VariableText::valueAlias(QByteArrayView longKey, QByteArrayView shortKey) const {
    return contains(longKey) ? value(longKey) : value(shortKey);
}

QByteArray VariableText::exactValue(QByteArrayView key) const {
    if (key.isEmpty() || key.front() != '&' || key.size() >= kIndexedNameLength)
        return {};
    QByteArray name = key.sliced(1).toByteArray().toUpper();
    name.append('=');
    const auto at = findIndexed(name, true);
    return at ? valueFrom(m_text, *at + key.size()) : QByteArray();
}

QByteArray VariableText::encodedValue(QByteArrayView key) const {
    return DecodeValue(value(key));
}

QByteArray VariableText::encodedValueAlias(QByteArrayView longKey, QByteArrayView shortKey) const {
    return DecodeValue(valueAlias(longKey, shortKey));
}

} // namespace tivora
