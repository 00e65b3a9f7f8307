#pragma once

#include <QSettings>
#include <QSize>
#include <QStringList>
#include <QVariantMap>
#include <memory>
#include <optional>

namespace tivora {

// The settings kept between runs: the skin file, the four recent graph files (newest first), the
// main window's size and whether a linked graph reloads its workbook when that changes.
// They live in the user's own store, which an ordinary user can always write.
class DesignerSettings {
public:
    static constexpr int kRecentCount = 4;

    DesignerSettings();
    ~DesignerSettings();

    // Why the stored settings are not used this time: a file of the store is no ordinary file (a
    // pipe, which reading would wait on for ever, a folder or a device). The settings then start
    // empty and are kept for this run only; nothing is written into the store.
    [[nodiscard]] const std::optional<QString>& problem() const { return m_problem; }

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
    // "Reload when the workbook changes"; off until the user ticks it.
    bool reloadOnWorkbookChange() const;
    void setReloadOnWorkbookChange(bool on);

private:
    QVariant value(const QString& key) const;
    void setValues(const QVariantMap& values);

    std::optional<QString> m_problem;
    // The store; none while it is refused, when the values live in m_kept.
    std::unique_ptr<QSettings> m_settings;
    QVariantMap m_kept;
};

} // namespace tivora
