#pragma once

#include "document/window_color.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <vector>

// Variable text: entries "&" + key + "=" + value, in single-byte text. These are the helpers every
// reader and writer of such text shares. They work on bytes; see ansi_text.h for QString.
namespace tivora {

// The separator of "/x/" lists.
inline constexpr QByteArrayView kListSeparator = "/x/";

// The plain value of the first entry whose text starts with key (compared without regard to letter
// case; key carries its leading "&"). The character right after the key is taken to be the "=".
// The value ends at the next "&"; a value that no "&" follows reads as empty, as does a missing
// key.
QByteArray GetValue(QByteArrayView key, QByteArrayView text);
// The long key's value when the long key occurs at all (even when that value is empty), else the
// short key's.
QByteArray GetValueAlias(QByteArrayView longKey, QByteArrayView shortKey, QByteArrayView text);
QByteArray GetEncodedValue(QByteArrayView key, QByteArrayView text);
QByteArray GetEncodedValueAlias(QByteArrayView longKey, QByteArrayView shortKey,
                                QByteArrayView text);

// Every byte plus one (EncodeValue) or minus one (DecodeValue), wrapping within 0..255.
QByteArray EncodeValue(QByteArrayView value);
QByteArray DecodeValue(QByteArrayView value);

// Position, counted from 1, of the last "&" at or before limit; 0 when there is none.
qsizetype LastAmpersandWithin(QByteArrayView text, qsizetype limit);

// A whole number, or 0 for an empty or unconvertible text. Never fails.
int StrToIntOrZero(QByteArrayView text);

// "0x" + RRGGBB in upper-case hexadecimal.
QByteArray ColorToText(WindowColor color);
// The colour of a colour text: an empty or ".." text (after trimming blanks) is silver; otherwise
// characters 3-8 are RRGGBB, characters missing at the end simply drop out of the number. A text
// whose characters 3-8 are not hexadecimal gives nothing.
std::optional<WindowColor> TextToColor(QByteArrayView text);

// Takes the items of a "/x/" list one by one. Once no separator is left, every further request
// gives the last item again, so a short list fills any number of rows.
class ListReader {
public:
    explicit ListReader(QByteArray list);
    QByteArray NextListItem();
    // The same item as NextListItem, as a view into the list that stays valid while the reader
    // lives.
    QByteArrayView nextItem();
    // Whether the item just taken was the last: every further request gives it again.
    bool atLastItem() const { return m_atLastItem; }

private:
    QByteArray m_list;
    qsizetype m_position = 0;
    bool m_atLastItem = false;
    // The last item, once reached: every further request shares this one copy.
    std::optional<QByteArray> m_lastItem;
};

// Joins items with the "/x/" separator.
QByteArray joinList(const std::vector<QByteArray>& items);

// A variable text indexed once for many lookups. Gives exactly what the free lookups above give
// on the same text, but each lookup costs a binary search of the distinct keys instead of a scan
// of every entry: readers of large graphs look up hundreds of keys, and a damaged or hostile text
// may hold millions of entries.
class VariableText {
public:
    explicit VariableText(QByteArray text);

    const QByteArray& text() const { return m_text; }
    bool contains(QByteArrayView key) const;
    QByteArray value(QByteArrayView key) const;
    QByteArray valueAlias(QByteArrayView longKey, QByteArrayView shortKey) const;
    QByteArray encodedValue(QByteArrayView key) const;
    QByteArray encodedValueAlias(QByteArrayView longKey, QByteArrayView shortKey) const;
    // The value of the first entry whose key is exactly key (followed by "="), for short keys that
    // the substring lookup would find inside longer keys ("&gs" in "&GScale"). key is "&" and a
    // name of fewer than 64 bytes without "=" or "&", as every key of a graph text is.
    QByteArray exactValue(QByteArrayView key) const;

private:
    // The name of an entry: its bytes after the "&" in upper case, up to and with the "=" (or up
    // to the next "&"), at most kIndexedNameLength bytes. Kept as a span of m_names.
    struct EntryName {
        qsizetype start;
        qsizetype length;
        qsizetype entry; // position of the first entry of that name
    };

    QByteArrayView nameText(const EntryName& name) const {
        return QByteArrayView(m_names).sliced(name.start, name.length);
    }
    void indexEntries();
    std::optional<qsizetype> findKey(QByteArrayView key) const;
    std::optional<qsizetype> findIndexed(QByteArrayView name, bool exact) const;

    QByteArray m_text;
    QByteArray m_names;             // the names of every entry, one after another
    std::vector<EntryName> m_index; // one for each distinct name, sorted by name
};

// Items of a list longer than this are refused by the reader and cut by the engine: no cell of a
// graph needs more, and a short list repeats its last item into every further row.
inline constexpr qsizetype kLongestListItem = qsizetype{64} * 1024;

} // namespace tivora
