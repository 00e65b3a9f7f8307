#pragma once

#include <QWidget>

class QPushButton;

namespace tivora {

class MoviePlayer;

// Panel9, the right side of the main window: the player that shows the graph as the engine
// draws it, with the "Refresh" and "Preview" buttons below it.
class PreviewPanel : public QWidget {
    Q_OBJECT

public:
    explicit PreviewPanel(QWidget* parent = nullptr);

    MoviePlayer* ShockwaveFlash1;
    QPushButton* btnRefresh;
    // Shows the preview window.
    QPushButton* btnPreview;
};

} // namespace tivora
