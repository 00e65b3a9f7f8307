#include "excel/isolated_call.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

// Between fork and exec only calls that are safe in a copy of a process with threads are made:
// no allocation, no locks, nothing of Qt.
[[noreturn]] void execChild(const char* program, char* const* argv, int output) {
    const int input = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (input < 0 || ::dup2(input, STDIN_FILENO) < 0 || ::dup2(output, STDOUT_FILENO) < 0)
        _exit(127);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
#ifndef TIVORA_ADDRESS_SANITIZER
    // The address sanitizer reserves far more address space than this for its own use.
    const rlimit memory{rlim_t(kIsolatedMemory), rlim_t(kIsolatedMemory)};
    setrlimit(RLIMIT_AS, &memory);
#endif
    ::execv(program, argv);
    _exit(127);
}

// Reads the child's answer until it closes its end; false on timeout, a stop request or an
// oversized answer. The wait is cut into slices so that a stop request is seen in time.
bool readAnswer(int input, QByteArray& answer, std::chrono::milliseconds timeLimit,
                const std::stop_token& stop) {
    const QDeadlineTimer deadline(timeLimit);
    char buffer[65536];
    for (;;) {
        if (stop.stop_requested() || deadline.hasExpired())
            return false;
        pollfd ready{input, POLLIN, 0};
        const qint64 slice = std::min<qint64>(deadline.remainingTime(), kStopLatency.count());
        const int polled = ::poll(&ready, 1, int(slice));
        if (polled == 0 || (polled < 0 && errno == EINTR))
            continue;
        if (polled < 0)
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

std::optional<QByteArray> runIsolated(const QString& program, const QByteArrayList& arguments,
                                      std::chrono::milliseconds timeLimit, std::stop_token stop) {
    // Everything the child needs is made before the fork.
    const QByteArray encodedProgram = QFile::encodeName(program);
    QByteArrayList argumentCopies = arguments;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(encodedProgram.constData()));
    for (QByteArray& argument : argumentCopies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0)
        execChild(encodedProgram.constData(), argv.data(), pipe[1]);
    ::close(pipe[1]);
    if (child < 0) {
        ::close(pipe[0]);
        return std::nullopt;
    }
    QByteArray answer;
    const bool complete = readAnswer(pipe[0], answer, timeLimit, stop);
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

QString isolatedJobProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/tivora");
}

std::optional<QByteArray> runIsolatedJob(const QByteArray& job, const QByteArrayList& arguments,
                                         std::chrono::milliseconds timeLimit,
                                         std::stop_token stop) {
    return runIsolated(isolatedJobProgram(), QByteArrayList{kIsolatedJobCommand, job} + arguments,
                       timeLimit, std::move(stop));
}

} // namespace tivora::excel
