#pragma once

#include <QSettings>
#include <QStringList>

namespace tivora {

// The settings kept between runs: the skin file and the four recent graph files, newest first.
// They live in the user's own store, which an ordinary user can always write.
class DesignerSettings {
public:
    static constexpr int kRecentCount = 4;

    DesignerSettings();

    QString skin() const;
    void setSkin(const QString& path);
    // Always kRecentCount entries; a missing value reads as empty text.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& paths);

private:
    QSettings m_settings;
};

} // namespace tivora
