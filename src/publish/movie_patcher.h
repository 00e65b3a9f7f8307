#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// Filling a copy of a template movie with a graph. The template holds fixed-size text slots, an
// embed flag and (the sample authoring file) a name placeholder as plain bytes; each is
// overwritten in place by text of exactly its length, so the file keeps its size and structure.
namespace tivora::publish {

// The most characters a graph file's line holds as the writer cuts it; a slot's filler.
inline constexpr int kSlotTextLength = 480;
inline constexpr int kSlotCount = 10;
inline constexpr QByteArrayView kSampleNamePlaceholder =
    "Your_Graph_Name_Would_Replace_This_Graph_Name_String.swf";

// "STRING" + n + the filler: the placeholder of slot n (1..10).
QByteArray slotPlaceholder(int n);

// Every place placeholder occurs in bytes, in one pass, left to right, without overlaps.
QList<qsizetype> occurrences(QByteArrayView bytes, QByteArrayView placeholder);

struct SlotPatch {
    // The first line (counted from 1) longer than its slot. The movie is then left as it was:
    // writing it would run past the placeholder into the movie.
    std::optional<int> overflowingLine;
    // Lines over 480 characters that still fit their slot: the graph text was not cut as the
    // writer cuts it, which the engine may not read as meant.
    QList<int> overloadedLines;
};

// Writes line n of lines (at most ten) over every occurrence of slot n's placeholder, padded with
// blanks, and turns every "NOTEMBED" flag into "EMBEDDED". Only the template's own placeholders
// and flags are replaced: text of the graph that happens to look like one stays as it is.
SlotPatch PatchGraphSlots(const QList<QByteArray>& lines, QByteArray& movie);

// Writes movieName, padded with blanks, over every name placeholder of the sample file. False,
// and the sample unchanged, when the name is longer than the placeholder.
bool PatchSampleName(QByteArrayView movieName, QByteArray& sample);

} // namespace tivora::publish
