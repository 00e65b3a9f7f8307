#pragma once

#include <QByteArray>
#include <vector>

namespace tivora::engine {

// The text slots of a published graph movie. A template movie's body holds an embed flag and ten
// slots, each on a line of its own:
//
//   flag=NOTEMBED
//   slot1=STRING1<filler>
//   ...
//   slot10=STRING10<filler>
//
// where the filler is "1234567890" ten times over 48 times (480 characters). Publishing copies the
// template and overwrites, byte for byte, each slot's placeholder ("STRING" + n + filler) with one
// line of the graph text padded with blanks to the placeholder's length, and the flag with
// "EMBEDDED". The file keeps its length, so a slot is read back as the fixed number of bytes that
// follow its marker, whatever they hold.
struct PublishedSlots {
    static constexpr int kSlotCount = 10;
    static constexpr int kFillerLength = 480;

    bool embedded = false;         // the flag reads "EMBEDDED"
    std::vector<QByteArray> lines; // the filled slots in slot order, trailing blanks trimmed

    // The placeholder of slot n (1..10).
    static QByteArray placeholder(int n);
    // A template body with every slot unfilled and the flag "NOTEMBED".
    static QByteArray templateBody();
    static PublishedSlots read(const QByteArray& body);

    // The graph text: the filled slots joined without separators.
    QByteArray graphText() const;
};

} // namespace tivora::engine
