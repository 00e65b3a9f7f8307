#pragma once

#include "windows/tutorial_pages.h"

#include <QDialog>

class QPushButton;

namespace tivora {

class ClockTimer;
class MoviePlayer;
class TutorialPageDots;

// The tutorial window: plays the tutorial movie its caller chose (after a PowerPoint publish, how
// to put the published graphs into a presentation). It is shown beside other windows, not
// modally, and is hidden rather than closed, so one window serves the program's whole life. The
// left and right arrow keys and the row of page dots turn to the tutorial's other pages.
class TfrmTutorial : public QDialog {
    Q_OBJECT

public:
    explicit TfrmTutorial(QWidget* parent = nullptr);

    // The full path of the movie to play; set before the window is shown.
    QString tutorialMovie;

    MoviePlayer* ShockwaveFlash1;
    TutorialPageDots* dotsPages;
    QPushButton* btnOK;

    void btnOKClick();
    // Turns to page (from 0); before the first page is the last, after the last the first, as
    // the movie itself goes round.
    void showPage(int page);
    // The page (from 0) the movie shows.
    int currentPage() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Loads the tutorial afresh on every showing, so it always starts from its beginning.
    void FormShow();
    void followPage();

    TutorialPages m_pages;
    ClockTimer* m_pageWatch;
};

} // namespace tivora
