#include "engine/movies/published_slots.h"

#include <QStringBuilder>

namespace tivora::engine {
namespace {

constexpr QByteArrayView kFlagMarker = "flag=";
constexpr QByteArrayView kUnfilledFlag = "NOTEMBED";
constexpr QByteArrayView kFilledFlag = "EMBEDDED";

QByteArray slotMarker(int n) {
    return "slot" + QByteArray::number(n) + '=';
}

} // namespace

QByteArray PublishedSlots::placeholder(int n) {
    return "STRING" + QByteArray::number(n) + QByteArray("1234567890").repeated(48);
}

QByteArray PublishedSlots::templateBody() {
    QByteArray body = kFlagMarker.toByteArray() + kUnfilledFlag.toByteArray() + '\n';
    for (int n = 1; n <= kSlotCount; ++n)
        body += slotMarker(n) + placeholder(n) + '\n';
    return body;
}

PublishedSlots PublishedSlots::read(const QByteArray& body) {
    PublishedSlots slots;
    const qsizetype flag = body.indexOf(kFlagMarker);
    if (flag >= 0)
        slots.embedded = body.sliced(flag + kFlagMarker.size()).startsWith(kFilledFlag);
    qsizetype position = 0;
    for (int n = 1; n <= kSlotCount; ++n) {
        const QByteArray marker = slotMarker(n);
        const qsizetype found = body.indexOf(marker, position);
        const QByteArray unfilled = placeholder(n);
        if (found < 0 || found + marker.size() + unfilled.size() > body.size())
            continue;
        const qsizetype start = found + marker.size();
        position = start + unfilled.size();
        QByteArray line = body.sliced(start, unfilled.size());
        if (line == unfilled)
            continue;
        while (line.endsWith(' '))
            line.chop(1);
        slots.lines.push_back(line);
    }
    return slots;
}

QByteArray PublishedSlots::graphText() const {
    QByteArray text;
    for (const QByteArray& line : lines)
        text += line;
    return text;
}

} // namespace tivora::engine
