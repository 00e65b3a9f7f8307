#include "shell/designer_settings.h"

#include "controls/user_store.h"

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

const QString kWindowSize = u"WindowSize"_s;
const QString kWindowMaximized = u"WindowMaximized"_s;
const QString kReloadOnWorkbookChange = u"ReloadOnWorkbookChange"_s;

QString recentKey(int index) {
    return u"Recent"_s + QString::number(index + 1);
}

} // namespace

DesignerSettings::DesignerSettings() {
    UserStore store = openUserStore();
    m_settings = std::move(store.settings);
    m_problem = std::move(store.problem);
}

DesignerSettings::~DesignerSettings() = default;

QVariant DesignerSettings::value(const QString& key) const {
    return m_settings ? m_settings->value(key) : m_kept.value(key);
}

void DesignerSettings::setValues(const QVariantMap& values) {
    for (auto value = values.begin(); value != values.end(); ++value) {
        if (m_settings)
            m_settings->setValue(value.key(), value.value());
        else
            m_kept.insert(value.key(), value.value());
    }
    if (m_settings)
        m_settings->sync();
}

QString DesignerSettings::skin() const {
    return value(u"Skin"_s).toString();
}

void DesignerSettings::setSkin(const QString& path) {
    setValues({{u"Skin"_s, path}});
}

QStringList DesignerSettings::recentFiles() const {
    QStringList paths;
    for (int index = 0; index < kRecentCount; ++index)
        paths.append(value(recentKey(index)).toString());
    return paths;
}

void DesignerSettings::setRecentFiles(const QStringList& paths) {
    QVariantMap values;
    for (int index = 0; index < kRecentCount; ++index)
        values.insert(recentKey(index), paths.value(index));
    setValues(values);
}

std::optional<QSize> DesignerSettings::windowSize() const {
    const QSize size = value(kWindowSize).toSize();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    return size;
}

bool DesignerSettings::windowMaximized() const {
    return value(kWindowMaximized).toBool();
}

void DesignerSettings::setWindowState(QSize size, bool maximized) {
    setValues({{kWindowSize, size}, {kWindowMaximized, maximized}});
}

bool DesignerSettings::reloadOnWorkbookChange() const {
    return value(kReloadOnWorkbookChange).toBool();
}

void DesignerSettings::setReloadOnWorkbookChange(bool on) {
    setValues({{kReloadOnWorkbookChange, on}});
}

} // namespace tivora
