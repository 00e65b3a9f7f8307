#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace tivora::excel {

// What tells one version of a file from another: a file replaced by a rename has a new inode, one
// written in place a new size or modification time.
struct FileStamp {
    bool exists = false;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    static FileStamp of(const QString& path);
    bool operator==(const FileStamp&) const = default;
};

// Tells when a workbook on disk has changed and then stayed as it is for a moment, so that a
// program still writing it is not read half-way. Its folder is watched too: editors save by
// writing a new file and renaming it over the old one, which ends a watch on the file alone.
class WorkbookWatcher : public QObject {
    Q_OBJECT

public:
    // How long a changed file must stay unchanged before changed() is emitted.
    static constexpr int kSettleMs = 250;

    explicit WorkbookWatcher(QObject* parent = nullptr);

    // Watches path (empty: nothing) from its present state on.
    void watch(const QString& path);
    const QString& path() const { return m_path; }
    // The file's state when changed() was last emitted, or when the watch began.
    const FileStamp& stamp() const { return m_stamp; }
    // Emits changed() again after delayMs, for a read that found the file unreadable.
    void retryLater(int delayMs);

Q_SIGNALS:
    void changed();

private:
    void noticeChange();
    void settle();
    void rewatch();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTimer m_retry;
    QString m_path;
    FileStamp m_stamp;
};

} // namespace tivora::excel
