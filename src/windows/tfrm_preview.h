#pragma once

#include "windows/snapshot_formats.h"

#include <QWidget>
#include <optional>

class QProgressBar;
class QPushButton;

namespace tivora {

class AnimationExportJob;
class GraphDocumentModel;
class MoviePlayer;

// The preview window: the graph at its published size, 700 x 475, in a player of its own over a
// row of buttons, and "&Export", which saves a snapshot of the movie area. It is created once
// and kept; closing hides it. While it is visible it follows every refresh of the main window.
class TfrmPreview : public QWidget {
    Q_OBJECT

public:
    // mainPlayer: the main window's player, halted with this one while a snapshot is taken.
    TfrmPreview(const GraphDocumentModel& model, MoviePlayer& mainPlayer,
                QWidget* parent = nullptr);

    MoviePlayer* ShockwaveFlash1;
    QWidget* Panel1;
    QPushButton* btnSaveImage;
    QPushButton* btnRefresh;
    QPushButton* btnClose;
    // Shown only while an animation is being exported.
    QProgressBar* prgExport;
    QPushButton* btnCancelExport;

    // The main window's "Preview" button: shows the window, not modal, and brings it to front.
    void showPreview();
    // Called after every refresh of the main window; reloads only while the window is visible.
    void followMainPreview();

    void btnRefreshClick();
    void btnCloseClick();
    void btnSaveImageClick();
    void btnCancelExportClick();
    bool isExporting() const;

Q_SIGNALS:
    // Closing asks the main window to refresh, which also restarts its player after a snapshot.
    void refreshMainPreview();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void reloadMovie();
    std::optional<Snapshot> takeSnapshot() const;
    void saveSnapshot(const Snapshot& snapshot);
    void placeOverOwner();
    void startAnimationExport(const QString& moviePath, const QString& path);
    void showExportProgress(int framesDone, int frameCount);
    void animationExportFinished(const QString& error, bool cancelled);

    const GraphDocumentModel& m_model;
    MoviePlayer& m_mainPlayer;
    AnimationExportJob* m_export;
    bool m_placed = false;
};

} // namespace tivora
