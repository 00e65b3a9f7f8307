#include "document/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

QString nameOf(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

QString systemReason(const QString& path, int error) {
    return u"%1 cannot be read: %2."_s.arg(nameOf(path),
                                           QString::fromLocal8Bit(std::strerror(error)));
}

// The reason a file with this status is no input; nothing for an ordinary file of a usable size.
std::optional<QString> refusalFor(const QString& path, const struct stat& status) {
    if (S_ISDIR(status.st_mode))
        return u"%1 is a folder, not a file."_s.arg(nameOf(path));
    if (!S_ISREG(status.st_mode))
        return u"%1 is not an ordinary file (it is a device, pipe or socket)."_s.arg(nameOf(path));
    if (status.st_size > kLargestInputFile) {
        return u"%1 is too large: files of more than %2 MB are not read."_s.arg(nameOf(path))
            .arg(kLargestInputFile / (qint64{1024} * 1024));
    }
    return std::nullopt;
}

std::optional<QString> statusOf(const QString& path, struct stat& status) {
    if (path.isEmpty())
        return u"No file was named."_s;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return u"%1 does not exist."_s.arg(nameOf(path));
        return systemReason(path, errno);
    }
    return std::nullopt;
}

QString writeFailure(const QString& path, const QFileDevice& file) {
    // A failed commit may leave no error of its own to tell.
    return file.error() == QFileDevice::NoError
               ? u"%1 could not be written."_s.arg(nameOf(path))
               : u"%1 could not be written: %2"_s.arg(nameOf(path), file.errorString());
}

// Writes every byte to a file opened unbuffered: a write that fails then shows at once, with its
// reason, rather than in a later flush that a commit would not notice. A write may take only part
// of what it is given (the disk fills up, a file size limit is reached); the next one tells why.
bool writeAll(QFileDevice& file, QByteArrayView bytes) {
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 part = file.write(bytes.data() + written, bytes.size() - written);
        if (part <= 0)
            return false;
        written += part;
    }
    return file.flush();
}

// Puts the file at from in the place of the one at to, and the old one at from, in one step.
// Renaming over an existing file would make ext4 start writing the new one to the disk at once
// (so that a crash cannot leave it empty), which for a scratch file rewritten at every change
// costs more than all the rest of the write; exchanging the two does not. False, with errno,
// where there is no file at to or the file system cannot exchange.
bool exchangeFiles(const QByteArray& from, const QByteArray& to) {
    return ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0;
}

QString renameFailure(const QString& path) {
    return u"%1 could not be written: %2."_s.arg(nameOf(path),
                                                 QString::fromLocal8Bit(std::strerror(errno)));
}

std::optional<QString> replaceSynced(const QString& path, QByteArrayView bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeAll(file, bytes) ||
        !file.commit())
        return writeFailure(path, file);
    return std::nullopt;
}

std::optional<QString> replaceUnsynced(const QString& path, QByteArrayView bytes) {
    QTemporaryFile file(path + u".XXXXXX"_s);
    if (!file.open())
        return writeFailure(path, file);
    // The temporary file opens buffered; its bytes go through an unbuffered view of it.
    QFile direct;
    if (!direct.open(file.handle(), QIODevice::WriteOnly | QIODevice::Unbuffered,
                     QFileDevice::DontCloseHandle) ||
        !writeAll(direct, bytes))
        return writeFailure(path, direct);
    // A file replaced keeps its permissions. A new one stays its owner's alone, as the temporary
    // file was made: that is all a scratch file needs, and reading the umask to do otherwise
    // would change it for every thread for a moment.
    const QFileInfo existing(path);
    if (existing.exists() && !file.setPermissions(existing.permissions()))
        return writeFailure(path, file);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return writeFailure(path, file);
    const QByteArray written = QFile::encodeName(file.fileName());
    const QByteArray target = QFile::encodeName(path);
    if (exchangeFiles(written, target)) {
        // The old file now has the temporary name, and goes with the temporary file.
        return std::nullopt;
    }
    if (errno != ENOENT && errno != EINVAL && errno != ENOSYS)
        return renameFailure(path);
    // No old file to exchange with, or a file system that cannot exchange: a plain rename.
    if (::rename(written.constData(), target.constData()) != 0)
        return renameFailure(path);
    // The temporary name is gone with the rename; nothing is left to remove.
    file.setAutoRemove(false);
    return std::nullopt;
}

} // namespace

std::optional<QString> checkInputFile(const QString& path) {
    struct stat status {};
    if (auto error = statusOf(path, status))
        return error;
    if (auto refusal = refusalFor(path, status))
        return refusal;
    if (::access(QFile::encodeName(path).constData(), R_OK) != 0)
        return systemReason(path, errno);
    return std::nullopt;
}

std::optional<QString> readInputFile(const QString& path, QByteArray& bytes) {
    struct stat status {};
    if (auto error = statusOf(path, status))
        return error;
    if (auto refusal = refusalFor(path, status))
        return refusal;
    // Not blocking: should the path have become a pipe since the look above, opening it must not
    // wait for a writer. The open file itself is looked at again before a byte is read.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return systemReason(path, errno);
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return systemReason(path, EIO);
    }
    if (::fstat(descriptor, &status) != 0)
        return systemReason(path, errno);
    if (auto refusal = refusalFor(path, status))
        return refusal;
    bytes = file.read(kLargestInputFile + 1);
    if (file.error() != QFileDevice::NoError)
        return u"%1 cannot be read: %2"_s.arg(nameOf(path), file.errorString());
    if (bytes.size() > kLargestInputFile) {
        bytes.clear();
        status.st_size = kLargestInputFile + 1;
        return refusalFor(path, status);
    }
    return std::nullopt;
}

std::optional<QString> checkOutputFile(const QString& path) {
    if (path.isEmpty())
        return u"No file was named to write."_s;
    struct stat status {};
    // stat follows a link, so a link to a device counts as the device it leads to.
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    if (S_ISDIR(status.st_mode))
        return u"%1 is a folder: name a file to write."_s.arg(nameOf(path));
    if (!S_ISREG(status.st_mode))
        return u"%1 is not an ordinary file (it is a device, pipe or socket) and is not replaced."_s
            .arg(nameOf(path));
    return std::nullopt;
}

std::optional<QString> replaceFile(const QString& path, QByteArrayView bytes,
                                   Durability durability) {
    if (auto refusal = checkOutputFile(path))
        return refusal;
    return durability == Durability::Synced ? replaceSynced(path, bytes)
                                            : replaceUnsynced(path, bytes);
}

} // namespace tivora
