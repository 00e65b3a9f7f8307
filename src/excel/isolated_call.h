#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <chrono>
#include <optional>
#include <stop_token>

namespace tivora::excel {

// Runs program with arguments as a process of its own and gives what it wrote to its standard
// output; nothing when it could not be started, crashed, exited with a failure, exceeded
// kIsolatedMemory or ran past timeLimit (it is then killed). Code that is not to be trusted with
// hostile input runs there, so that its faults cost one failed read instead of the program and
// the user's unsaved graph. The child is a fresh program, not a copy of this one: nothing of this
// process's threads or locks goes with it. Once stop is requested the child is killed as on a
// timeout, within kStopLatency.
std::optional<QByteArray> runIsolated(const QString& program, const QByteArrayList& arguments,
                                      std::chrono::milliseconds timeLimit,
                                      std::stop_token stop = {});

// How long a stop request waits at most before the child is killed.
inline constexpr std::chrono::milliseconds kStopLatency{50};

// The most memory the child may take.
inline constexpr qint64 kIsolatedMemory = qint64(2) * 1024 * 1024 * 1024;

// The command-line program that runs isolated jobs (`tivora`, beside the running program), and
// its internal command for them: `tivora isolated-job JOB ARGUMENTS...`.
QString isolatedJobProgram();
inline constexpr auto kIsolatedJobCommand = "isolated-job";

// Runs an isolated job in `tivora`: runIsolated with the program and command above. The jobs
// are those of the legacy workbook reader (serveLegacyWorkbookJob).
std::optional<QByteArray> runIsolatedJob(const QByteArray& job, const QByteArrayList& arguments,
                                         std::chrono::milliseconds timeLimit,
                                         std::stop_token stop = {});

} // namespace tivora::excel
