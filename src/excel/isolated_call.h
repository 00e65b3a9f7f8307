#pragma once

#include <QByteArray>
#include <chrono>
#include <functional>
#include <optional>

namespace tivora::excel {

// Runs work in a child process of its own and gives the bytes work returned; nothing when the
// child could not be started, crashed, exceeded kIsolatedMemory or ran past timeLimit (it is then
// killed). Code that is not to be trusted with hostile input runs here, so that its faults cost
// one failed read instead of the program and the user's unsaved graph. work must not touch
// anything but its own data: it runs in a copy of the process with only the calling thread.
std::optional<QByteArray> runIsolated(const std::function<QByteArray()>& work,
                                      std::chrono::milliseconds timeLimit);

// The most memory the child may take.
inline constexpr qint64 kIsolatedMemory = qint64(2) * 1024 * 1024 * 1024;

} // namespace tivora::excel
