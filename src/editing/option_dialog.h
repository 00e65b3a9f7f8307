#pragma once

#include "editing/option_sample.h"

#include <QDialog>

class QPushButton;
class QVBoxLayout;

namespace tivora {

class GraphDocumentModel;
class MoviePlayer;

// What the series and slice option dialogs share: the sample player on the left, their controls
// with "OK" beneath on the right, the graph whose grids they edit and the row they work on. They
// have nothing to cancel: every change is in the graph as soon as it is made.
class OptionDialog : public QDialog {
    Q_OBJECT

public:
    OptionDialog(GraphDocumentModel& model, QSize sampleSize, QWidget* parent = nullptr);

    QPushButton* btnOK;
    MoviePlayer* ShockwaveFlash1;

    // Runs at every showing: shows the row in the controls and its sample.
    virtual void FormShow() = 0;

protected:
    void showEvent(QShowEvent* event) override;
    // Places the player and controls, "OK" under the controls, and fixes the dialog's size.
    void layOut(QVBoxLayout* controls);

    GraphDocumentModel& m_model;
    OptionSample m_sample;
    int m_row = 1;
    // Set while the dialog puts the row into its controls, whose change handlers then write
    // nothing: showing what the graph holds never changes it.
    bool m_loading = false;
};

} // namespace tivora
