#include "publish/movie_patcher.h"

#include <algorithm>
#include <array>

namespace tivora::publish {
namespace {

constexpr QByteArrayView kSlotMarker = "STRING";
constexpr QByteArrayView kUnfilledFlag = "NOTEMBED";
constexpr QByteArrayView kFilledFlag = "EMBEDDED";

void overwrite(QByteArray& bytes, qsizetype at, QByteArrayView text, qsizetype length) {
    char* target = bytes.data() + at;
    std::copy(text.begin(), text.end(), target);
    std::fill(target + text.size(), target + length, ' ');
}

const std::array<QByteArray, kSlotCount>& slotPlaceholders() {
    static const std::array<QByteArray, kSlotCount> placeholders = [] {
        std::array<QByteArray, kSlotCount> all;
        for (int n = 1; n <= kSlotCount; ++n)
            all[std::size_t(n - 1)] = slotPlaceholder(n);
        return all;
    }();
    return placeholders;
}

// The slot whose placeholder starts at position, if any.
std::optional<int> slotAt(QByteArrayView bytes, qsizetype position) {
    const auto& placeholders = slotPlaceholders();
    for (int n = 1; n <= kSlotCount; ++n) {
        const QByteArray& placeholder = placeholders[std::size_t(n - 1)];
        if (bytes.sliced(position).startsWith(placeholder))
            return n;
    }
    return std::nullopt;
}

} // namespace

QByteArray slotPlaceholder(int n) {
    return kSlotMarker.toByteArray() + QByteArray::number(n) +
           QByteArray("1234567890").repeated(kSlotTextLength / 10);
}

QList<qsizetype> occurrences(QByteArrayView bytes, QByteArrayView placeholder) {
    QList<qsizetype> found;
    for (qsizetype at = bytes.indexOf(placeholder); at >= 0;
         at = bytes.indexOf(placeholder, at + placeholder.size()))
        found.append(at);
    return found;
}

SlotPatch PatchGraphSlots(const QList<QByteArray>& lines, QByteArray& movie) {
    SlotPatch patch;
    const qsizetype lineCount = std::min<qsizetype>(lines.size(), kSlotCount);
    for (int n = 1; n <= lineCount; ++n) {
        const QByteArray& line = lines[n - 1];
        if (line.size() > slotPlaceholders()[std::size_t(n - 1)].size()) {
            patch.overflowingLine = n;
            return patch;
        }
        if (line.size() > kSlotTextLength)
            patch.overloadedLines.append(n);
    }
    // Both searches run over the template as it came, before anything is written.
    const QList<qsizetype> slotStarts = occurrences(movie, kSlotMarker);
    const QList<qsizetype> flags = occurrences(movie, kUnfilledFlag);
    for (const qsizetype start : slotStarts) {
        const auto n = slotAt(movie, start);
        if (n && *n <= lineCount)
            overwrite(movie, start, lines[*n - 1], slotPlaceholders()[std::size_t(*n - 1)].size());
    }
    for (const qsizetype flag : flags)
        overwrite(movie, flag, kFilledFlag, kFilledFlag.size());
    return patch;
}

bool PatchSampleName(QByteArrayView movieName, QByteArray& sample) {
    if (movieName.size() > kSampleNamePlaceholder.size())
        return false;
    for (const qsizetype at : occurrences(sample, kSampleNamePlaceholder))
        overwrite(sample, at, movieName, kSampleNamePlaceholder.size());
    return true;
}

} // namespace tivora::publish
