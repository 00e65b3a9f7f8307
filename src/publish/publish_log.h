#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tivora::publish {

// Where a publish run reports: every log line as it is written, and the failures (a file that
// could not be read, copied or written), which are logged too and counted for the summary.
class PublishLog {
public:
    using Sink = std::function<void(const QString& line)>;

    explicit PublishLog(Sink sink)
        : m_sink(std::move(sink)) {}

    void line(const QString& text) {
        if (m_sink)
            m_sink(text);
    }
    void failure(const QString& text) {
        m_failures.append(text);
        line(text);
    }
    const QStringList& failures() const { return m_failures; }

private:
    Sink m_sink;
    QStringList m_failures;
};

} // namespace tivora::publish
