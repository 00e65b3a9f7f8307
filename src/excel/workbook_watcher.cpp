#include "excel/workbook_watcher.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace tivora::excel {

FileStamp FileStamp::of(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {true, quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

WorkbookWatcher::WorkbookWatcher(QObject* parent)
    : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    m_retry.setSingleShot(true);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &WorkbookWatcher::noticeChange);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &WorkbookWatcher::noticeChange);
    connect(&m_settle, &QTimer::timeout, this, &WorkbookWatcher::settle);
    connect(&m_retry, &QTimer::timeout, this, &WorkbookWatcher::changed);
}

void WorkbookWatcher::watch(const QString& path) {
    if (path == m_path)
        return;
    m_settle.stop();
    m_retry.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path;
    m_stamp = FileStamp::of(path);
    rewatch();
}

void WorkbookWatcher::rewatch() {
    if (m_path.isEmpty())
        return;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher.directories().contains(folder))
        m_watcher.addPath(folder);
    // A file renamed over, or deleted and written again, has to be watched afresh.
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

void WorkbookWatcher::noticeChange() {
    rewatch();
    // Other files of the folder change too; only this one counts. Every change restarts the wait,
    // so a file being written is read once its writer has paused.
    if (FileStamp::of(m_path) != m_stamp || m_settle.isActive())
        m_settle.start();
}

void WorkbookWatcher::settle() {
    const FileStamp now = FileStamp::of(m_path);
    if (now == m_stamp)
        return;
    m_stamp = now;
    m_retry.stop();
    Q_EMIT changed();
}

void WorkbookWatcher::retryLater(int delayMs) {
    m_retry.start(delayMs);
}

} // namespace tivora::excel
