#include "shell/designer_settings.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

const QString kOrganization = u"Orvanta"_s;
const QString kApplication = u"Tivora"_s;
const QString kWindowSize = u"WindowSize"_s;
const QString kWindowMaximized = u"WindowMaximized"_s;
const QString kReloadOnWorkbookChange = u"ReloadOnWorkbookChange"_s;

QString recentKey(int index) {
    return u"Recent"_s + QString::number(index + 1);
}

// The files the store reads for the program: the user's and the system's, each for the program
// and for its organisation. Their folders are learnt from a store of names no program uses, so
// that learning them reads none of the files themselves.
QStringList storeFiles() {
    const QString probeName = u"tivora-settings-probe"_s;
    QStringList files;
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
        const QFileInfo probe(
            QSettings(QSettings::NativeFormat, scope, probeName, probeName).fileName());
        const QString folder = QFileInfo(probe.path()).path() + u'/';
        const QString suffix = probe.suffix().isEmpty() ? QString() : u'.' + probe.suffix();
        files << folder + kOrganization + u'/' + kApplication + suffix
              << folder + kOrganization + suffix;
    }
    return files;
}

// Reading a pipe would wait for a writer for ever, and a folder or a device is no store.
std::optional<QString> storeProblem() {
    for (const QString& file : storeFiles()) {
        const QFileInfo info(file);
        if (info.exists() && !info.isFile()) {
            return u"The settings file %1 is not an ordinary file (it is a folder, pipe or "
                   "device). The designer starts without its stored settings and keeps none "
                   "this time."_s.arg(file);
        }
    }
    return std::nullopt;
}

} // namespace

DesignerSettings::DesignerSettings()
    : m_problem(storeProblem()) {
    if (!m_problem) {
        m_settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                 kOrganization, kApplication);
    }
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
