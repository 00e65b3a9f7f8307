#include "shell/link_options_live_reload.h"

#include "excel/widgets/excel_link_tab.h"
#include "shell/designer_settings.h"

#include <QCheckBox>
#include <QMainWindow>
#include <QStatusBar>

namespace tivora {

void bindLiveReload(ExcelLinkTab& tab, DesignerSettings& settings, QMainWindow& window) {
    tab.chkReloadOnChange->setChecked(settings.reloadOnWorkbookChange());
    QObject::connect(tab.chkReloadOnChange, &QCheckBox::toggled, &window,
                     [&settings](bool on) { settings.setReloadOnWorkbookChange(on); });
    QObject::connect(&tab, &ExcelLinkTab::statusMessage, &window,
                     [&window](const QString& text) { window.statusBar()->showMessage(text); });
}

} // namespace tivora
