#pragma once

#include <QDialog>

class QFrame;
class QRadioButton;

namespace tivora {

// "Add a New Note to the Graph": asks for the shape of a note about to be added. The window keeps
// one dialog for as long as it lives, so the shape chosen last is offered again. The dialog is
// as wide as its title needs, which a window manager would otherwise cut short.
class TdlgNewNote : public QDialog {
public:
    explicit TdlgNewNote(QWidget* parent = nullptr);

    // The shape chosen: 0 for "Oval", 1 for "Rectangular", as the notes grid stores it.
    int shape() const;

    QRadioButton* rdoOval;
    QRadioButton* rdoRect;
    QFrame* pnlOval;
    QFrame* pnlRect;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Fixes the size to what the controls need, and wide enough for the whole title.
    void fitContentsAndTitle();
};

} // namespace tivora
