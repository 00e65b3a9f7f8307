#include "excel/isolated_call.h"

#include <QDeadlineTimer>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define TIVORA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TIVORA_ADDRESS_SANITIZER 1
#endif
#endif

namespace tivora::excel {
namespace {

// The child's answer can be no larger than the values of the largest range an import reads.
constexpr qsizetype kMostAnswerBytes = qsizetype(512) * 1024 * 1024;

[[noreturn]] void runChild(int output, const std::function<QByteArray()>& work) {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
#ifndef TIVORA_ADDRESS_SANITIZER
    // The address sanitizer reserves far more address space than this for its own use.
    const rlimit memory{rlim_t(kIsolatedMemory), rlim_t(kIsolatedMemory)};
    setrlimit(RLIMIT_AS, &memory);
#endif
    const QByteArray answer = work();
    const char* data = answer.constData();
    qsizetype left = answer.size();
    while (left > 0) {
        const ssize_t written = ::write(output, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            _exit(2);
        data += written;
        left -= written;
    }
    _exit(0);
}

// Reads the child's answer until it closes its end; false on timeout or an oversized answer.
bool readAnswer(int input, QByteArray& answer, std::chrono::milliseconds timeLimit) {
    const QDeadlineTimer deadline(timeLimit);
    char buffer[65536];
    for (;;) {
        pollfd ready{input, POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(deadline.remainingTime()));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return false;
        const ssize_t got = ::read(input, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (answer.size() + got > kMostAnswerBytes)
            return false;
        answer.append(buffer, qsizetype(got));
    }
}

} // namespace

std::optional<QByteArray> runIsolated(const std::function<QByteArray()>& work,
                                      std::chrono::milliseconds timeLimit) {
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        runChild(pipe[1], work);
    }
    ::close(pipe[1]);
    if (child < 0) {
        ::close(pipe[0]);
        return std::nullopt;
    }
    QByteArray answer;
    const bool complete = readAnswer(pipe[0], answer, timeLimit);
    ::close(pipe[0]);
    if (!complete)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return answer;
}

} // namespace tivora::excel
