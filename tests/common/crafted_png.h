#pragma once

#include <QByteArray>
#include <QtEndian>
#include <zlib.h>

namespace tivora::test {

namespace detail {

inline void appendPngChunk(QByteArray& png, const char* type, const QByteArray& data) {
    const QByteArray typed = QByteArray(type) + data;
    char number[4];
    qToBigEndian(quint32(data.size()), number);
    png.append(number, 4).append(typed);
    const auto crc =
        crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()));
    qToBigEndian(quint32(crc), number);
    png.append(number, 4);
}

} // namespace detail

// A PNG of width x height pixels, grey (channels 1) or colour (3), every row the same stripes:
// a file of a few megabytes at most, however many pixels it holds, written a row at a time so
// that making it needs no more memory than the file. For inputs that are costly to decode.
inline QByteArray craftedPng(int width, int height, int channels) {
    QByteArray row(1 + qsizetype(channels) * width, '\0');
    for (qsizetype i = 1; i < row.size(); ++i)
        row[i] = char((i * 7) % 251);
    z_stream stream{};
    deflateInit(&stream, 6);
    QByteArray compressed;
    QByteArray buffer(1 << 16, '\0');
    for (int y = 0; y < height; ++y) {
        stream.next_in = reinterpret_cast<Bytef*>(row.data());
        stream.avail_in = uInt(row.size());
        const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
            stream.avail_out = uInt(buffer.size());
            deflate(&stream, flush);
            compressed.append(buffer.constData(), buffer.size() - qsizetype(stream.avail_out));
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    QByteArray header(13, '\0');
    qToBigEndian(quint32(width), header.data());
    qToBigEndian(quint32(height), header.data() + 4);
    header[8] = 8;                           // bits per sample
    header[9] = char(channels == 1 ? 0 : 2); // grey or RGB
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    detail::appendPngChunk(png, "IHDR", header);
    detail::appendPngChunk(png, "IDAT", compressed);
    detail::appendPngChunk(png, "IEND", {});
    return png;
}

} // namespace tivora::test
