#pragma once

#include <QObject>

class QWidget;

namespace tivora {

class TfrmLumara;

// The "&Edit" menu of the main window: undo and redo of the graph's changes. Each change is kept
// with the editing page it was made on, and undoing or redoing it brings that page to front.
// Their keys (Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y) work wherever the focus is in the window: a text or
// number field does not keep them for its own undo of typing. What the field holds typed is
// written into the graph first, so it is the first change taken back.
class EditCommands : public QObject {
    Q_OBJECT

public:
    explicit EditCommands(TfrmLumara& window);

    void mnuUndoClick();
    void mnuRedoClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes into the graph what the user has typed in the field with the focus and not yet
    // left; gives that field, or nullptr when nothing was typed there.
    QWidget* commitTyping();
    void noteOrigin();
    void updateMenu();
    // Brings the editing page named origin to front, if the graph shows it.
    void showEditedPage(const QString& origin);

    TfrmLumara& m_window;
};

} // namespace tivora
