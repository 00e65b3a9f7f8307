#pragma once

class QMainWindow;

namespace tivora {

class DesignerSettings;
class ExcelLinkTab;

// Keeps "Reload when the workbook changes" of the link tab in the user's settings (the link
// options file keeps its format) and shows the tab's reload messages in the window's status bar.
void bindLiveReload(ExcelLinkTab& tab, DesignerSettings& settings, QMainWindow& window);

} // namespace tivora
