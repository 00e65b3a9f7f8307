#include "shell/preview_panel.h"

#include "controls/movie_player.h"
#include "engine/movies/movie.h"

#include <QPushButton>
#include <QResizeEvent>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

constexpr int kGap = 6;
// The player's size in the window as first shown: half the stage, as it always was.
constexpr QSize kFirstPlayerSize(337, 231);

QSize stageSize() {
    return engine::kStageSize.toSize();
}

} // namespace

PreviewPanel::PreviewPanel(QWidget* parent)
    : QWidget(parent)
    , ShockwaveFlash1(new MoviePlayer(this))
    , btnRefresh(new QPushButton(u"Refresh"_s, this))
    , btnPreview(new QPushButton(u"Preview"_s, this)) {
    setObjectName(u"Panel9"_s);
    ShockwaveFlash1->setObjectName(u"ShockwaveFlash1"_s);
    btnRefresh->setObjectName(u"btnRefresh"_s);
    btnRefresh->setToolTip(u"Refresh the preview"_s);
    btnRefresh->setShortcut(Qt::Key_F5);
    btnPreview->setObjectName(u"btnPreview"_s);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

int PreviewPanel::buttonRowHeight() const {
    return btnRefresh->sizeHint().height() + kGap;
}

QSize PreviewPanel::playerSize(QSize panel) const {
    return stageSize().scaled(panel.width(), std::max(0, panel.height() - buttonRowHeight()),
                              Qt::KeepAspectRatio);
}

QSize PreviewPanel::minimumSizeHint() const {
    const int buttons = btnRefresh->sizeHint().width() + kGap + btnPreview->sizeHint().width();
    return {buttons, buttons * stageSize().height() / stageSize().width() + buttonRowHeight()};
}

QSize PreviewPanel::sizeHint() const {
    return {kFirstPlayerSize.width(), kFirstPlayerSize.height() + buttonRowHeight()};
}

void PreviewPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize player = playerSize(size());
    const int left = (width() - player.width()) / 2;
    ShockwaveFlash1->setGeometry(left, 0, player.width(), player.height());
    // The buttons stand under the player's right edge.
    const int top = player.height() + kGap;
    const int right = left + player.width();
    const QSize preview = btnPreview->sizeHint();
    const QSize refresh = btnRefresh->sizeHint();
    btnPreview->setGeometry(right - preview.width(), top, preview.width(), preview.height());
    btnRefresh->setGeometry(right - preview.width() - kGap - refresh.width(), top, refresh.width(),
                            refresh.height());
    // A wider panel would only add empty room beside the player.
    const int widest = (height() - buttonRowHeight()) * stageSize().width() / stageSize().height();
    setMaximumWidth(std::max(widest, minimumSizeHint().width()));
}

} // namespace tivora
