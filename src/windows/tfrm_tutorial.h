#pragma once

#include <QDialog>

class QPushButton;

namespace tivora {

class MoviePlayer;

// The tutorial window: plays the tutorial movie its caller chose (after a PowerPoint publish, how
// to put the published graphs into a presentation). It is shown beside other windows, not
// modally, and is hidden rather than closed, so one window serves the program's whole life.
class TfrmTutorial : public QDialog {
    Q_OBJECT

public:
    explicit TfrmTutorial(QWidget* parent = nullptr);

    // The full path of the movie to play; set before the window is shown.
    QString tutorialMovie;

    MoviePlayer* ShockwaveFlash1;
    QPushButton* btnOK;

    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Loads the tutorial afresh on every showing, so it always starts from its beginning.
    void FormShow();
};

} // namespace tivora
