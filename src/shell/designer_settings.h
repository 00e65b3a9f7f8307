#pragma once

#include <QSettings>
#include <QSize>
#include <QStringList>
#include <optional>

namespace tivora {

// The settings kept between runs: the skin file, the four recent graph files (newest first) and
// the main window's size.
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
    // The main window's size when it was last closed (not maximised), and whether it was
    // maximised; nothing before the first close.
    std::optional<QSize> windowSize() const;
    bool windowMaximized() const;
    void setWindowState(QSize size, bool maximized);

private:
    QSettings m_settings;
};

} // namespace tivora
