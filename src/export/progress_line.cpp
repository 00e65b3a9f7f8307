#include "export/progress_line.h"

#include <cstdio>
#include <unistd.h>

namespace tivora::exporting {

ProgressLine::ProgressLine(QString name)
    : m_name(std::move(name))
    , m_shown(isatty(fileno(stderr)) != 0) {}

ProgressLine::~ProgressLine() {
    if (m_written)
        std::fputc('\n', stderr);
}

Progress ProgressLine::callback() {
    if (!m_shown)
        return {};
    return [this](int done, int total) {
        std::fprintf(stderr, "\r%s: %d of %d frames", qPrintable(m_name), done, total);
        std::fflush(stderr);
        m_written = true;
    };
}

} // namespace tivora::exporting
