#include "windows/tfrm_tutorial.h"

#include "controls/clock.h"
#include "controls/movie_player.h"
#include "controls/skins/skin.h"
#include "document/program_folder.h"
#include "windows/tutorial_page_dots.h"

#include <QGridLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr QSize kClientSize(580, 491);
constexpr QSize kPlayerSize(580, 450);
// How often the dots catch up with the page the movie has turned to by itself.
constexpr int kPageWatchInterval = 200;

} // namespace

TfrmTutorial::TfrmTutorial(QWidget* parent)
    : QDialog(parent)
    , ShockwaveFlash1(new MoviePlayer)
    , dotsPages(new TutorialPageDots)
    , btnOK(new QPushButton(u"&OK"_s))
    , m_pageWatch(appClock().createTimer(this)) {
    setObjectName(u"frmTutorial"_s);
    setWindowTitle(u"Tutorial"_s);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setFixedSize(kClientSize);
    ShockwaveFlash1->setObjectName(u"ShockwaveFlash1"_s);
    ShockwaveFlash1->setFixedSize(kPlayerSize);
    btnOK->setObjectName(u"btnOK"_s);
    btnOK->setDefault(true);

    // The dots at the left, the button in the middle of the panel.
    auto* bottom = new QWidget;
    bottom->setObjectName(u"Panel1"_s);
    auto* buttons = new QGridLayout(bottom);
    buttons->setContentsMargins(10, 4, 10, 4);
    buttons->addWidget(dotsPages, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    buttons->addWidget(btnOK, 0, 1, Qt::AlignCenter);
    buttons->setColumnStretch(0, 1);
    buttons->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ShockwaveFlash1);
    layout->addWidget(bottom);
    connect(btnOK, &QPushButton::clicked, this, &TfrmTutorial::btnOKClick);
    connect(dotsPages, &TutorialPageDots::pageChosen, this, &TfrmTutorial::showPage);
    // Shortcuts rather than key handling, so the arrows turn pages whichever control has focus.
    connect(new QShortcut(Qt::Key_Left, this), &QShortcut::activated, this,
            [this] { showPage(currentPage() - 1); });
    connect(new QShortcut(Qt::Key_Right, this), &QShortcut::activated, this,
            [this] { showPage(currentPage() + 1); });
    m_pageWatch->setInterval(kPageWatchInterval);
    connect(m_pageWatch, &ClockTimer::timeout, this, &TfrmTutorial::followPage);
}

void TfrmTutorial::showPage(int page) {
    const int count = m_pages.count();
    if (count == 0)
        return;
    page = (page % count + count) % count;
    ShockwaveFlash1->seek(m_pages.startOf(page));
    dotsPages->setCurrentPage(page);
}

int TfrmTutorial::currentPage() const {
    return m_pages.pageAt(ShockwaveFlash1->currentTime());
}

void TfrmTutorial::followPage() {
    dotsPages->setCurrentPage(currentPage());
}

void TfrmTutorial::btnOKClick() {
    hide();
}

void TfrmTutorial::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmTutorial::hideEvent(QHideEvent* event) {
    m_pageWatch->stop();
    QDialog::hideEvent(event);
}

void TfrmTutorial::FormShow() {
    appSkin().skinWindow(*this, allSkinKindsBut(SkinKind::Button));
    ShockwaveFlash1->Stop();
    ShockwaveFlash1->setMovie(programDataPath(u"flGraph.swf"_s));
    ShockwaveFlash1->Play();
    ShockwaveFlash1->Stop();
    ShockwaveFlash1->setMovie(tutorialMovie);
    ShockwaveFlash1->Zoom(100);
    ShockwaveFlash1->Play();
    m_pages = TutorialPages::of(tutorialMovie);
    dotsPages->setPageCount(m_pages.count());
    // One page needs no turning.
    dotsPages->setVisible(m_pages.count() > 1);
    m_pageWatch->start();
}

} // namespace tivora
