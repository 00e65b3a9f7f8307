#pragma once

#include <QObject>

namespace tivora {

class TfrmLumara;

// The "&Edit" menu of the main window: undo and redo of the graph's changes. Each change is kept
// with the editing page it was made on, and undoing or redoing it brings that page to front.
class EditCommands : public QObject {
    Q_OBJECT

public:
    explicit EditCommands(TfrmLumara& window);

private:
    void noteOrigin();
    void updateMenu();
    // Brings the editing page named origin to front, if the graph shows it.
    void showEditedPage(const QString& origin);

    TfrmLumara& m_window;
};

} // namespace tivora
