#include "windows/tfrm_preview.h"

#include "controls/dialogs.h"
#include "controls/keys/key_sender.h"
#include "controls/last_folder.h"
#include "controls/movie_player.h"
#include "controls/skins/skin.h"
#include "document/graph_document_model.h"
#include "document/program_folder.h"
#include "windows/animation_export_job.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

constexpr QSize kMovieArea(700, 475);
constexpr int kPanelHeight = 46;

const QString kCaption = u"Preview"_s;
const QString kPendingCaption = u"SNAPSHOT Pending .... Please wait ...."_s;

} // namespace

TfrmPreview::TfrmPreview(const GraphDocumentModel& model, MoviePlayer& mainPlayer, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , ShockwaveFlash1(new MoviePlayer(this))
    , Panel1(new QWidget(this))
    , btnSaveImage(new QPushButton(u"&Export"_s, Panel1))
    , btnRefresh(new QPushButton(u"&Refresh"_s, Panel1))
    , btnClose(new QPushButton(u"&Close"_s, Panel1))
    , prgExport(new QProgressBar(Panel1))
    , btnCancelExport(new QPushButton(u"Cancel"_s, Panel1))
    , m_model(model)
    , m_mainPlayer(mainPlayer)
    , m_export(new AnimationExportJob(this)) {
    setObjectName(u"frmPreview"_s);
    setWindowTitle(kCaption);
    ShockwaveFlash1->setObjectName(u"ShockwaveFlash1"_s);
    ShockwaveFlash1->setFixedSize(kMovieArea);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFixedSize(kMovieArea.width(), kPanelHeight);
    btnSaveImage->setObjectName(u"btnSaveImage"_s);
    btnSaveImage->setToolTip(u"Save a picture of the graph as it is shown now"_s);
    btnRefresh->setObjectName(u"btnRefresh"_s);
    btnRefresh->setToolTip(u"Play the graph again"_s);
    btnClose->setObjectName(u"btnClose"_s);
    prgExport->setObjectName(u"prgExport"_s);
    prgExport->hide();
    btnCancelExport->setObjectName(u"btnCancelExport"_s);
    btnCancelExport->setToolTip(u"Stop the export; no file is written"_s);
    btnCancelExport->hide();

    auto* buttons = new QHBoxLayout(Panel1);
    buttons->setContentsMargins(10, 8, 10, 8);
    buttons->addWidget(btnSaveImage);
    buttons->addWidget(prgExport);
    buttons->addWidget(btnCancelExport);
    buttons->addStretch();
    buttons->addWidget(btnRefresh);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ShockwaveFlash1);
    layout->addWidget(Panel1);
    setFixedSize(kMovieArea.width(), kMovieArea.height() + kPanelHeight);

    connect(btnSaveImage, &QPushButton::clicked, this, &TfrmPreview::btnSaveImageClick);
    connect(btnRefresh, &QPushButton::clicked, this, &TfrmPreview::btnRefreshClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmPreview::btnCloseClick);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &TfrmPreview::btnCloseClick);
    connect(btnCancelExport, &QPushButton::clicked, this, &TfrmPreview::btnCancelExportClick);
    connect(m_export, &AnimationExportJob::progressed, this, &TfrmPreview::showExportProgress);
    connect(m_export, &AnimationExportJob::finished, this, &TfrmPreview::animationExportFinished);
}

void TfrmPreview::showPreview() {
    show();
    raise();
    activateWindow();
}

void TfrmPreview::followMainPreview() {
    if (isVisible())
        reloadMovie();
}

void TfrmPreview::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmPreview::FormShow() {
    appSkin().skinWindow(*this, allSkinKindsBut(SkinKind::Button));
    placeOverOwner();
    reloadMovie();
    btnSaveImage->setEnabled(true);
}

// Centred on the main window the first time; after that it stays where the user put it.
void TfrmPreview::placeOverOwner() {
    if (m_placed || !parentWidget())
        return;
    m_placed = true;
    move(parentWidget()->frameGeometry().center() - rect().center());
}

void TfrmPreview::btnRefreshClick() {
    reloadMovie();
}

void TfrmPreview::btnCloseClick() {
    close();
}

void TfrmPreview::closeEvent(QCloseEvent* event) {
    // A closed window has no one to tell the export's end to: it stops, leaving no file.
    m_export->cancel();
    m_export->wait();
    // Closed by the button or by the title bar alike: a snapshot leaves the main window's player
    // halted, and its refresh starts it again.
    Q_EMIT refreshMainPreview();
    event->accept();
}

// The same steps as the main window's reload: the blank movie in between makes the engine start
// afresh and read the graph just written.
void TfrmPreview::reloadMovie() {
    ShockwaveFlash1->Stop();
    ShockwaveFlash1->setMovie(programDataPath(u"flGraph.swf"_s));
    ShockwaveFlash1->Play();
    ShockwaveFlash1->Stop();
    const bool incomplete = m_model.document().graphIncomplete;
    ShockwaveFlash1->setMovie(programDataPath(incomplete ? u"NoInfo.swf"_s : u"Tivorav32.swf"_s));
    ShockwaveFlash1->Zoom(100);
    ShockwaveFlash1->Play();
}

void TfrmPreview::btnSaveImageClick() {
    btnSaveImage->setEnabled(false);
    setWindowTitle(kPendingCaption);
    // The picture is taken from the player itself and needs no capture keystroke; the keystroke
    // is still sent as it always was, for anything that listens for it.
    SendKeys(u"^+%{PRT}"_s);
    ShockwaveFlash1->StopPlay();
    m_mainPlayer.StopPlay();
    QCoreApplication::processEvents();

    if (const std::optional<Snapshot> snapshot = takeSnapshot()) {
        saveSnapshot(*snapshot);
    } else {
        appDialogs().showError(u"No picture of the graph could be taken."_s,
                               u"The preview shows no movie area; nothing was saved."_s);
    }
    setWindowTitle(kCaption);
    btnSaveImage->setEnabled(!isExporting());
    reloadMovie();
}

// Exactly the movie area, at one pixel per stage unit, as the player paints it now.
std::optional<Snapshot> TfrmPreview::takeSnapshot() const {
    const QSize area = ShockwaveFlash1->size();
    if (area.isEmpty() || ShockwaveFlash1->movie().isEmpty())
        return std::nullopt;
    QImage picture(area, QImage::Format_RGB32);
    picture.fill(ShockwaveFlash1->palette().color(QPalette::Window));
    ShockwaveFlash1->render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return Snapshot{picture, ShockwaveFlash1->movie(), ShockwaveFlash1->currentTime()};
}

void TfrmPreview::saveSnapshot(const Snapshot& snapshot) {
    const QString path =
        appDialogs().saveFileName(u"Export"_s, SnapshotFormats::filter(),
                                  SnapshotFormats::defaultSuffix(), lastFolder(FileKind::Snapshot));
    rememberFolder(FileKind::Snapshot, path);
    if (path.isEmpty())
        return;
    if (AnimationExportJob::writes(path))
        return startAnimationExport(snapshot.moviePath, path);
    if (const std::optional<QString> error = SnapshotFormats::write(snapshot, path)) {
        appDialogs().showError(u"File I/O error."_s, *error);
        return;
    }
    setWindowTitle(kCaption);
    appDialogs().showMessage(u"Export complete "_s);
}

// An animation takes seconds to paint and encode: it is written on a thread of its own while the
// preview plays on, with its progress and a way to stop it in the button row.
void TfrmPreview::startAnimationExport(const QString& moviePath, const QString& path) {
    btnSaveImage->setEnabled(false);
    prgExport->setRange(0, 0);
    prgExport->show();
    btnCancelExport->show();
    btnCancelExport->setFocus();
    m_export->start(moviePath, path);
}

void TfrmPreview::showExportProgress(int framesDone, int frameCount) {
    prgExport->setRange(0, frameCount);
    prgExport->setValue(framesDone);
}

void TfrmPreview::btnCancelExportClick() {
    m_export->cancel();
}

bool TfrmPreview::isExporting() const {
    return prgExport->isVisibleTo(Panel1);
}

void TfrmPreview::animationExportFinished(const QString& error, bool cancelled) {
    m_export->wait();
    prgExport->hide();
    btnCancelExport->hide();
    btnSaveImage->setEnabled(true);
    if (cancelled || !isVisible())
        return;
    btnSaveImage->setFocus();
    if (!error.isEmpty())
        appDialogs().showError(u"File I/O error."_s, error);
    else
        appDialogs().showMessage(u"Export complete "_s);
}

} // namespace tivora
