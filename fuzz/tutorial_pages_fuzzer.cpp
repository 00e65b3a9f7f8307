// The tutorial window turns pages by the times a tutorial movie gives them; a movie may be any
// bytes a user put in the Data folder. Whatever they hold, every page must be reachable: the
// page shown at a page's start is that page, and every time shows one of the pages.
#include "windows/tutorial_pages.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const tivora::TutorialPages pages = tivora::TutorialPages::fromMovie(bytes);
    if (pages.count() < 0)
        std::abort();
    for (int page = 0; page < pages.count(); ++page) {
        if (pages.pageAt(pages.startOf(page)) != page)
            std::abort();
    }
    for (const double time : {-1.0, 0.0, 999.5, 123456789.0, 1e300}) {
        const int page = pages.pageAt(time);
        if (page < 0 || (pages.count() > 0 && page >= pages.count()))
            std::abort();
    }
    return 0;
}
