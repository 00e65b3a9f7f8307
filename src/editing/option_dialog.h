#pragma once

#include "document/graph_document_model.h"
#include "editing/option_sample.h"

#include <QDialog>
#include <optional>

class QPushButton;
class QVBoxLayout;

namespace tivora {

class MoviePlayer;

// What the series and slice option dialogs share: the sample player on the left, their controls
// with "OK" and "Cancel" beneath on the right, the graph whose grids they edit and the row they
// work on. Every change is in the graph as soon as it is made, so the preview shows it at once;
// "Cancel" (or Escape, or closing the window) puts the graph back as it was when the dialog was
// shown and leaves none of those changes to undo or redo.
class OptionDialog : public QDialog {
    Q_OBJECT

public:
    OptionDialog(GraphDocumentModel& model, QSize sampleSize, QWidget* parent = nullptr);

    QPushButton* btnOK;
    QPushButton* btnCancel;
    MoviePlayer* ShockwaveFlash1;

    // Runs at every showing: shows the row in the controls and its sample.
    virtual void FormShow() = 0;
    // Takes back every change made since the dialog was shown, then closes it.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Places the player and controls, "OK" and "Cancel" under the controls, and fixes the
    // dialog's size.
    void layOut(QVBoxLayout* controls);

    GraphDocumentModel& m_model;
    OptionSample m_sample;
    int m_row = 1;
    // Set while the dialog puts the row into its controls, whose change handlers then write
    // nothing: showing what the graph holds never changes it.
    bool m_loading = false;

private:
    // The graph as it was when the dialog was shown, for "Cancel".
    std::optional<GraphDocumentModel::Checkpoint> m_shownAt;
};

} // namespace tivora
