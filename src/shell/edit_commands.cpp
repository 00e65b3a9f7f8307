#include "shell/edit_commands.h"

#include "shell/file_commands.h"
#include "shell/focus_return.h"
#include "shell/main_menu.h"
#include "shell/tfrm_lumara.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>

namespace tivora {

EditCommands::EditCommands(TfrmLumara& window)
    : m_window(window) {
    GraphDocumentModel& model = m_window.model();
    MainMenu& menu = m_window.menu();
    connect(menu.mnuUndo, &QAction::triggered, this, &EditCommands::mnuUndoClick);
    connect(menu.mnuRedo, &QAction::triggered, this, &EditCommands::mnuRedoClick);
    connect(&model, &GraphDocumentModel::historyChanged, this, &EditCommands::updateMenu);
    connect(&model, &GraphDocumentModel::restored, this, &EditCommands::showEditedPage);
    connect(m_window.pageControl1, &QTabWidget::currentChanged, this, &EditCommands::noteOrigin);
    noteOrigin();
    updateMenu();
    qApp->installEventFilter(this);
}

QWidget* EditCommands::commitTyping() {
    // A field that merely holds the focus is left alone: leaving it tidies its text (a number
    // gets its decimals), which would be a change of its own, made again before every undo.
    const auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!QApplication::focusWidget() || (line && !line->isModified()))
        return nullptr;
    return m_window.fileCommands().commitPendingEdits();
}

void EditCommands::mnuUndoClick() {
    const FocusReturn focusReturn(commitTyping());
    m_window.model().undo();
}

void EditCommands::mnuRedoClick() {
    const FocusReturn focusReturn(commitTyping());
    m_window.model().redo();
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    const MainMenu& menu = m_window.menu();
    for (const QAction* action : {menu.mnuUndo, menu.mnuRedo}) {
        if (action->isEnabled() && action->shortcuts().contains(pressed)) {
            // Not taken here, so the key goes on to the menu's shortcut.
            event->ignore();
            return true;
        }
    }
    return false;
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
