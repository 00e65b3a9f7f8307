// Movie files come from the Data folder and from published folders a user may have edited: the
// parser must refuse or accept any bytes without fault, and what it accepts must survive a
// serialise-and-parse round trip unchanged. A tutorial's pages must read whatever the body holds,
// each within what a stage can show.
#include "engine/movies/movie_file.h"
#include "engine/movies/tutorial_script.h"

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
    using tivora::engine::TutorialScript;
    const TutorialScript script = TutorialScript::parse(movie->body);
    for (std::size_t index : {std::size_t(0), script.pageCount() - 1}) {
        if (index >= script.pageCount())
            continue;
        const auto page = script.page(index);
        if (page.steps.size() > TutorialScript::kMostSteps)
            std::abort();
    }
    return 0;
}
