#pragma once

#include <QString>
#include <functional>

namespace tivora::exporting {

using Progress = std::function<void(int done, int total)>;

// "name: 40 of 120 frames" kept up to date on one line of stderr while frames are written, only
// when stderr is a terminal (a log file gets no carriage returns).
class ProgressLine {
public:
    explicit ProgressLine(QString name);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    Progress callback();

private:
    QString m_name;
    bool m_shown;
    bool m_written = false;
};

} // namespace tivora::exporting
