// Movie files come from the Data folder and from published folders a user may have edited: the
// parser must refuse or accept any bytes without fault, and what it accepts must survive a
// serialise-and-parse round trip unchanged.
#include "engine/movies/movie_file.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto movie = tivora::engine::MovieFile::parse(bytes);
    if (!movie)
        return 0;
    const auto again = tivora::engine::MovieFile::parse(movie->serialize());
    if (!again || again->kind != movie->kind || again->body != movie->body)
        std::abort();
    return 0;
}
