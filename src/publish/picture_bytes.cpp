#include "publish/picture_bytes.h"

#include <QtEndian>
#include <array>

namespace tivora::publish {
namespace {

// How far into a file the "<svg" element may start, after an XML declaration, comments and a
// document type.
constexpr qsizetype kSvgStartWithin = 4096;

bool isBmp(QByteArrayView bytes) {
    // "BM", then the header size of one of the known bitmap headers at offset 14.
    constexpr std::array<quint32, 6> kHeaderSizes{12, 40, 52, 56, 108, 124};
    if (bytes.size() < 26 || !bytes.startsWith("BM"))
        return false;
    const quint32 headerSize = qFromLittleEndian<quint32>(bytes.data() + 14);
    return std::find(kHeaderSizes.begin(), kHeaderSizes.end(), headerSize) != kHeaderSizes.end();
}

bool isSvg(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    qsizetype start = 0;
    while (start < bytes.size() && QChar::isSpace(uchar(bytes[start])))
        ++start;
    if (start == bytes.size() || bytes[start] != '<')
        return false;
    const QByteArrayView head =
        bytes.sliced(start).first(std::min(bytes.size() - start, kSvgStartWithin));
    return head.contains("<svg");
}

} // namespace

bool isPictureBytes(QByteArrayView bytes) {
    return bytes.startsWith("\x89PNG\r\n\x1A\n") || bytes.startsWith("\xFF\xD8\xFF") ||
           bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a") || isBmp(bytes) || isSvg(bytes);
}

} // namespace tivora::publish
