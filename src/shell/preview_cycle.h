#pragma once

#include <QObject>

namespace tivora {

class GraphDocumentModel;
class MoviePlayer;

// The live preview: every refresh writes the whole graph to the preview variables file
// Data/Slide0.txt and makes the player load the engine movie afresh, which reads that file. An
// incomplete graph leaves the file as it was and shows the no-information movie instead.
class PreviewCycle : public QObject {
    Q_OBJECT

public:
    PreviewCycle(GraphDocumentModel& model, MoviePlayer& player, QObject* parent = nullptr);

    // The one entry point for every change to the graph. Does nothing while a graph is read.
    void RefreshPreview();

    // Holds back the refreshes that changes to the graph ask for while a command that makes
    // several changes runs; the command refreshes once, at its end.
    class Hold {
    public:
        explicit Hold(PreviewCycle& cycle);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        PreviewCycle& m_cycle;
        bool m_wasHeld;
    };

Q_SIGNALS:
    // The main window's player has reloaded; other players of the graph follow it.
    void previewReloaded();

private:
    void documentChanged();
    void ReloadPreviewMovie(bool graphIncomplete);

    GraphDocumentModel& m_model;
    MoviePlayer& m_player;
    // Writing can fill in defaults and so announce a change; that change is already in the
    // text being written and needs no refresh of its own.
    bool m_refreshing = false;
    bool m_held = false;
};

} // namespace tivora
