#include "shell/edit_commands.h"

#include "shell/main_menu.h"
#include "shell/tfrm_lumara.h"

#include <QAction>
#include <QTabWidget>

namespace tivora {

EditCommands::EditCommands(TfrmLumara& window)
    : m_window(window) {
    GraphDocumentModel& model = m_window.model();
    MainMenu& menu = m_window.menu();
    connect(menu.mnuUndo, &QAction::triggered, &model, &GraphDocumentModel::undo);
    connect(menu.mnuRedo, &QAction::triggered, &model, &GraphDocumentModel::redo);
    connect(&model, &GraphDocumentModel::historyChanged, this, &EditCommands::updateMenu);
    connect(&model, &GraphDocumentModel::restored, this, &EditCommands::showEditedPage);
    connect(m_window.pageControl1, &QTabWidget::currentChanged, this, &EditCommands::noteOrigin);
    noteOrigin();
    updateMenu();
}

void EditCommands::noteOrigin() {
    // Every change is made on the page shown (its dialogs included), so that page is where an
    // undo shows it again.
    if (const QWidget* page = m_window.pageControl1->currentWidget())
        m_window.model().setEditOrigin(page->objectName());
}

void EditCommands::updateMenu() {
    m_window.menu().mnuUndo->setEnabled(m_window.model().canUndo());
    m_window.menu().mnuRedo->setEnabled(m_window.model().canRedo());
}

void EditCommands::showEditedPage(const QString& origin) {
    QTabWidget* pages = m_window.pageControl1;
    for (int index = 0; index < pages->count(); ++index) {
        if (pages->widget(index)->objectName() == origin && pages->isTabVisible(index))
            pages->setCurrentIndex(index);
    }
}

} // namespace tivora
