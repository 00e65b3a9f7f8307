// The indexed lookups of VariableText must give exactly what the free lookups give, for any key
// and any text; the list reader, the encoding and the colour conversion must take any bytes.
#include "document/variable_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace tivora;

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

void compareLookups(QByteArrayView key, QByteArrayView otherKey, const VariableText& indexed) {
    const QByteArrayView text = indexed.text();
    require(indexed.value(key) == GetValue(key, text));
    require(indexed.encodedValue(key) == GetEncodedValue(key, text));
    require(indexed.valueAlias(key, otherKey) == GetValueAlias(key, otherKey, text));
    require(indexed.encodedValueAlias(otherKey, key) == GetEncodedValueAlias(otherKey, key, text));
}

void checkList(const QByteArray& list) {
    ListReader items(list);
    QByteArray joined;
    // Taking more items than the list holds gives the last one again; the items joined with the
    // separator give the list back.
    qsizetype separators = 0;
    for (qsizetype at = list.indexOf(kListSeparator); at >= 0;
         at = list.indexOf(kListSeparator, at + kListSeparator.size()))
        ++separators;
    for (qsizetype i = 0; i <= separators; ++i) {
        if (i > 0)
            joined.append(kListSeparator);
        joined.append(items.NextListItem());
    }
    require(items.NextListItem() == items.NextListItem());
    require(joined == list);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // First byte: lengths of two keys taken from the front of the input; the rest is the text.
    const std::size_t keyLength = std::min<std::size_t>(data[0] & 0x0F, size - 1);
    const std::size_t otherLength = std::min<std::size_t>(data[0] >> 4, size - 1 - keyLength);
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const QByteArray key = QByteArray("&").append(bytes, qsizetype(keyLength));
    const QByteArray otherKey = QByteArray("&").append(bytes + keyLength, qsizetype(otherLength));
    const QByteArray text(bytes + keyLength + otherLength,
                          qsizetype(size - 1 - keyLength - otherLength));
    const VariableText indexed(text);
    compareLookups(key, otherKey, indexed);
    compareLookups(key.sliced(1), otherKey.sliced(1), indexed);
    require(DecodeValue(EncodeValue(text)) == text);
    checkList(text);
    const qsizetype cut = LastAmpersandWithin(text, 480);
    require(cut == 0 || (cut <= 480 && text[cut - 1] == '&'));
    if (const auto color = TextToColor(text))
        require(*color <= 0xFFFFFF);
    (void)StrToIntOrZero(text);
    return 0;
}
