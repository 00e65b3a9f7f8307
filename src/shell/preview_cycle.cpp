#include "shell/preview_cycle.h"

#include "controls/dialogs.h"
#include "controls/movie_player.h"
#include "document/graph_document_model.h"
#include "document/program_folder.h"
#include "shell/error_detail.h"

#include <QScopedValueRollback>

using namespace Qt::StringLiterals;

namespace tivora {

PreviewCycle::PreviewCycle(GraphDocumentModel& model, MoviePlayer& player, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_player(player) {
    connect(&m_model, &GraphDocumentModel::changed, this, &PreviewCycle::documentChanged);
}

PreviewCycle::Hold::Hold(PreviewCycle& cycle)
    : m_cycle(cycle)
    , m_wasHeld(cycle.m_held) {
    m_cycle.m_held = true;
}

PreviewCycle::Hold::~Hold() {
    m_cycle.m_held = m_wasHeld;
}

void PreviewCycle::documentChanged() {
    if (!m_held)
        RefreshPreview();
}

void PreviewCycle::RefreshPreview() {
    refresh(Reload::WhenChanged);
}

void PreviewCycle::btnRefreshClick() {
    refresh(Reload::Always);
}

void PreviewCycle::refresh(Reload reload) {
    if (m_refreshing || m_model.document().loadingGraph)
        return;
    const QScopedValueRollback guard(m_refreshing, true);
    const QString previewFile = programDataPath(u"Slide0.txt"_s);
    // The preview file is rewritten at every change and read only by the player: the rename
    // keeps the player from seeing half a file, and waiting for the disk would only slow editing.
    const GraphWriteResult result = m_model.write(previewFile, Durability::Unsynced);
    // A failed write is reported, and the engine then shows what the file held before.
    if (result.status == GraphWriteResult::Status::Failed)
        appDialogs().showError(result.message, errorDetail(previewFile, result.detail));
    const bool graphIncomplete = result.status == GraphWriteResult::Status::Incomplete;
    const QByteArray& text = result.text;
    // A stopped player (a snapshot halts it) is started again even when nothing changed.
    const bool sameAsShown = result.status != GraphWriteResult::Status::Failed &&
                             text == m_shownText &&
                             m_player.movie() == moviePath(graphIncomplete) && m_player.isPlaying();
    if (reload == Reload::WhenChanged && sameAsShown)
        return;
    m_shownText = text;
    ReloadPreviewMovie(graphIncomplete);
}

QString PreviewCycle::moviePath(bool graphIncomplete) const {
    return programDataPath(graphIncomplete ? u"NoInfo.swf"_s : u"Tivorav32.swf"_s);
}

void PreviewCycle::ReloadPreviewMovie(bool graphIncomplete) {
    m_player.Stop();
    // The blank movie in between makes the engine start afresh and re-read the variables even
    // when its path is the same as before.
    m_player.setMovie(programDataPath(u"flGraph.swf"_s));
    m_player.Play();
    m_player.Stop();
    m_player.setMovie(moviePath(graphIncomplete));
    m_player.Zoom(100);
    m_player.Play();
    Q_EMIT previewReloaded();
}

} // namespace tivora
