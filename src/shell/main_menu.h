#pragma once

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QMenuBar;

namespace tivora {

// The menu bar MainMenu1 of the main window: its menus and items, named as the window's handlers
// know them.
class MainMenu : public QObject {
    Q_OBJECT

public:
    explicit MainMenu(QMenuBar* MainMenu1);

    QAction* mnuNew;
    QAction* Open1;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    // Ctrl+S for a graph that has no file yet, while "&Save" is greyed out: it asks for a name
    // as Save As does. It sits in no menu; the window carries it.
    QAction* untitledSave;
    QAction* mnuCloseFile;
    QAction* Exit1;
    QMenu* Recent1;
    std::array<QAction*, 4> mnuRecent;
    QMenu* Edit1;
    QAction* mnuUndo;
    QAction* mnuRedo;
    QAction* mnuPublish;
    QAction* mnuChangeSkin;
    QAction* mnuHelp;
    QAction* mnuAbout;

    // Shows the recent paths as the captions of the recent items; a blank one hides its item.
    void showRecentFiles(const QStringList& paths);
    // The recent paths the items open.
    QStringList recentFiles() const;

private:
    void buildFileMenu(QMenuBar* bar);
    void buildEditMenu(QMenuBar* bar);
    void buildOtherMenus(QMenuBar* bar);
};

} // namespace tivora
