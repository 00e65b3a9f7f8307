#pragma once

#include <QWidget>

class QPushButton;

namespace tivora {

class MoviePlayer;

// Panel9, the right side of the main window: the player that shows the graph as the engine
// draws it, with the "Refresh" and "Preview" buttons below it. The player keeps the stage's
// shape at any size of the panel, and the panel asks for no more width than a player as tall as
// it allows, so that the editing pages get the rest of a wide window.
class PreviewPanel : public QWidget {
    Q_OBJECT

public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    MoviePlayer* ShockwaveFlash1;
    QPushButton* btnRefresh;
    // Shows the preview window.
    QPushButton* btnPreview;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int buttonRowHeight() const;
    // The player's size inside a panel of the given size.
    QSize playerSize(QSize panel) const;
};

} // namespace tivora
