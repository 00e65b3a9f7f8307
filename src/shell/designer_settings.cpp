#include "shell/designer_settings.h"

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

const QString kWindowSize = u"WindowSize"_s;
const QString kWindowMaximized = u"WindowMaximized"_s;

QString recentKey(int index) {
    return u"Recent"_s + QString::number(index + 1);
}

} // namespace

DesignerSettings::DesignerSettings()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, u"Orvanta"_s, u"Tivora"_s) {}

QString DesignerSettings::skin() const {
    return m_settings.value(u"Skin"_s).toString();
}

void DesignerSettings::setSkin(const QString& path) {
    m_settings.setValue(u"Skin"_s, path);
    m_settings.sync();
}

QStringList DesignerSettings::recentFiles() const {
    QStringList paths;
    for (int index = 0; index < kRecentCount; ++index)
        paths.append(m_settings.value(recentKey(index)).toString());
    return paths;
}

void DesignerSettings::setRecentFiles(const QStringList& paths) {
    for (int index = 0; index < kRecentCount; ++index)
        m_settings.setValue(recentKey(index), paths.value(index));
    m_settings.sync();
}

std::optional<QSize> DesignerSettings::windowSize() const {
    const QSize size = m_settings.value(kWindowSize).toSize();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

bool DesignerSettings::windowMaximized() const {
    return m_settings.value(kWindowMaximized).toBool();
}

void DesignerSettings::setWindowState(QSize size, bool maximized) {
    m_settings.setValue(kWindowSize, size);
    m_settings.setValue(kWindowMaximized, maximized);
    m_settings.sync();
}

} // namespace tivora
