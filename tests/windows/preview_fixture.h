#pragma once

// The preview window over a main window's player, in a program folder of the test's own, with
// dialogs that can look at the window while the save dialog is open.
#include "../shell/shell_environment.h"
#include "controls/movie_player.h"
#include "document/graph_document_model.h"
#include "engine/movies/movie.h"
#include "windows/tfrm_preview.h"

#include <QImage>
#include <QPainter>
#include <functional>

namespace tivora::test {

class SnapshotDialogs : public ScriptedDialogs {
public:
    // Runs when the save dialog opens, before it is answered.
    std::function<void()> whileSaving;

    QString saveFileName(const QString& title, const QString& filter, const QString& suffix,
                         const QString& startFolder) override {
        if (whileSaving)
            whileSaving();
        return ScriptedDialogs::saveFileName(title, filter, suffix, startFolder);
    }
};

struct PreviewFixture {
    PreviewFixture() {
        mainPlayer.setFixedSize(337, 231);
        writeSlide0(ShellEnvironment::seriesGraph(3, 6));
    }

    void writeSlide0(GraphDocument document) const {
        writeTestGraph(std::move(document), programDataPath(u"Slide0.txt"_s));
    }
    void setIncomplete(bool incomplete) {
        model.edit(
            [incomplete](GraphDocument& document) { document.graphIncomplete = incomplete; });
    }
    QString path(const QString& name) const { return environment.folder() + name; }

    // The engine's own frame of movie at time, painted as the player paints a 700 x 475 area.
    QImage engineFrame(const QString& movie, engine::Millis time) const {
        QImage frame(QSize(700, 475), QImage::Format_RGB32);
        frame.fill(preview.ShockwaveFlash1->palette().color(QPalette::Window));
        const auto loaded = engine::Movie::load(movie);
        QPainter painter(&frame);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        painter.setClipRect(QRectF(QPointF(0, 0), loaded->stageSize()));
        loaded->paint(painter, time);
        return frame;
    }

    ShellEnvironment environment;
    SnapshotDialogs dialogs;
    GraphDocumentModel model;
    MoviePlayer mainPlayer;
    TfrmPreview preview{model, mainPlayer};
};

} // namespace tivora::test
