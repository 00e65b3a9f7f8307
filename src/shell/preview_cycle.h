#pragma once

#include <QByteArray>
#include <QObject>

namespace tivora {

class GraphDocumentModel;
class MoviePlayer;

// The live preview: every refresh writes the whole graph to the preview variables file
// Data/Slide0.txt and makes the player load the engine movie afresh, which reads that file. An
// incomplete graph leaves the file as it was and shows the no-information movie instead.
//
// A refresh that would show exactly what is shown already leaves the movie playing: restarting it
// would blank the graph and replay its opening animation on every tab switch or click. Replaying
// is what the Refresh button is for.
class PreviewCycle : public QObject {
    Q_OBJECT

public:
    PreviewCycle(GraphDocumentModel& model, MoviePlayer& player, QObject* parent = nullptr);

    // The one entry point for every change to the graph. Does nothing while a graph is read.
    void RefreshPreview();
    // The Refresh button: writes the graph and restarts the movie even when nothing changed.
    void btnRefreshClick();

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
    enum class Reload { WhenChanged, Always };

    void documentChanged();
    void refresh(Reload reload);
    void ReloadPreviewMovie(bool graphIncomplete);
    QString moviePath(bool graphIncomplete) const;

    GraphDocumentModel& m_model;
    MoviePlayer& m_player;
    // Writing can fill in defaults and so announce a change; that change is already in the
    // text being written and needs no refresh of its own.
    bool m_refreshing = false;
    bool m_held = false;
    // The graph text the engine movie was last started on.
    QByteArray m_shownText;
};

} // namespace tivora
