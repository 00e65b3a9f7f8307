// Publishing reads graph files from anywhere. Whatever their lines hold, the picture names put
// into the movie carry no folder, and filling a template keeps its length and never writes
// outside a placeholder: the bytes before the first slot stay as they were. The same bytes, taken
// as a file the graph names as its picture, are told a picture or not without fault.
#include "document/variable_text.h"
#include "publish/asp_parameters.h"
#include "publish/graph_preparation.h"
#include "publish/movie_patcher.h"
#include "publish/picture_bytes.h"

#include <cstdint>
#include <cstdlib>

namespace {

const QByteArray& movieTemplate() {
    static const QByteArray movie = [] {
        QByteArray body = "TVMOVIE 1\nkind=published\n--\nflag=NOTEMBED\n";
        for (int n = 1; n <= tivora::publish::kSlotCount; ++n)
            body +=
                "slot" + QByteArray::number(n) + '=' + tivora::publish::slotPlaceholder(n) + '\n';
        return body;
    }();
    return movie;
}

// The picture names written after key (the first occurrence, as written) hold no folder.
void checkBareNames(const QByteArray& line, QByteArrayView key) {
    const qsizetype at = line.indexOf(key);
    if (at < 0)
        return;
    const qsizetype start = at + key.size();
    const qsizetype end = line.indexOf('&', start);
    QByteArray names =
        tivora::DecodeValue(line.sliced(start, (end < 0 ? line.size() : end) - start));
    names.replace(tivora::kListSeparator, "");
    if (names.contains('/') || names.contains('\\'))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tivora::publish;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (isPictureBytes(bytes) && !isPictureBytes(QByteArray(bytes + "trailing bytes")))
        std::abort(); // a picture is told by its first bytes alone
    QList<QByteArray> lines;
    for (const QByteArray& line : bytes.split('\n')) {
        const QByteArray bare = withBarePictureNames(line);
        checkBareNames(bare, "&pieImage=");
        if (!line.contains("&pieImage="))
            checkBareNames(bare, "&BImages=");
        lines.append(bare);
    }
    const tivora::VariableText text(lines.join());
    barAspParameters(text);
    pieAspParameters(text);
    QByteArray movie = movieTemplate();
    const SlotPatch patch = PatchGraphSlots(lines.mid(0, kSlotCount), movie);
    const qsizetype firstSlot = movieTemplate().indexOf("slot1=");
    QByteArray head = movieTemplate().first(firstSlot);
    if (!patch.overflowingLine)
        head.replace("NOTEMBED", "EMBEDDED");
    if (movie.size() != movieTemplate().size() || movie.first(firstSlot) != head)
        std::abort();
    return 0;
}
