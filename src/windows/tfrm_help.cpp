#include "windows/tfrm_help.h"

#include "controls/dialogs.h"
#include "controls/skins/skin.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

constexpr QSize kFirstSize(900, 680);

// The guide's paper and ink (those of its style sheet, which the text view cannot read itself):
// the same in every skin, and its links readable on the paper.
const QString kPaperLook = u"QTextBrowser { background-color: #ffffff; color: #1d2733;"
                           " selection-background-color: #1f6fbf; selection-color: #ffffff; }"_s;
const QString kLinkLook = u"a { color: #1a5fa8; }"_s;

bool isGuidePage(const QUrl& link) {
    return link.isLocalFile() || link.scheme().isEmpty();
}

} // namespace

TfrmHelp::TfrmHelp(QWidget* parent)
    : QDialog(parent)
    , txtGuide(new QTextBrowser)
    , btnBack(new QPushButton(u"&Back"_s))
    , btnForward(new QPushButton(u"&Forward"_s))
    , btnContents(new QPushButton(u"&Contents"_s))
    , btnClose(new QPushButton(u"Close"_s)) {
    setObjectName(u"frmHelp"_s);
    setWindowTitle(u"Tivora Designer Help"_s);
    setWindowFlags(Qt::Window);
    setModal(false);
    resize(kFirstSize);

    txtGuide->setObjectName(u"txtGuide"_s);
    txtGuide->setOpenLinks(false);
    txtGuide->setStyleSheet(kPaperLook);
    txtGuide->document()->setDefaultStyleSheet(kLinkLook);

    btnBack->setObjectName(u"btnBack"_s);
    btnBack->setShortcut(QKeySequence::Back);
    btnBack->setEnabled(false);
    btnForward->setObjectName(u"btnForward"_s);
    btnForward->setShortcut(QKeySequence::Forward);
    btnForward->setEnabled(false);
    btnContents->setObjectName(u"btnContents"_s);
    btnClose->setObjectName(u"btnClose"_s);
    // Enter follows the link in focus in the guide, never closes the window.
    for (QPushButton* button : {btnBack, btnForward, btnContents, btnClose})
        button->setAutoDefault(false);

    auto* bar = new QWidget;
    bar->setObjectName(u"pnlButtons"_s);
    auto* buttons = new QHBoxLayout(bar);
    buttons->setContentsMargins(6, 6, 6, 6);
    buttons->addWidget(btnBack);
    buttons->addWidget(btnForward);
    buttons->addWidget(btnContents);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(txtGuide, 1);

    connect(txtGuide, &QTextBrowser::anchorClicked, this, &TfrmHelp::txtGuideAnchorClicked);
    connect(txtGuide, &QTextBrowser::backwardAvailable, btnBack, &QWidget::setEnabled);
    connect(txtGuide, &QTextBrowser::forwardAvailable, btnForward, &QWidget::setEnabled);
    connect(btnBack, &QPushButton::clicked, txtGuide, &QTextBrowser::backward);
    connect(btnForward, &QPushButton::clicked, txtGuide, &QTextBrowser::forward);
    connect(btnContents, &QPushButton::clicked, this, [this] { txtGuide->setSource(m_home); });
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    setTabOrder(txtGuide, btnBack);
    setTabOrder(btnBack, btnForward);
    setTabOrder(btnForward, btnContents);
    setTabOrder(btnContents, btnClose);
}

void TfrmHelp::showPage(const QUrl& page) {
    m_home = page;
    txtGuide->setSource(page);
    show();
    raise();
    activateWindow();
    txtGuide->setFocus();
}

void TfrmHelp::txtGuideAnchorClicked(const QUrl& link) {
    const QUrl target = txtGuide->source().resolved(link);
    if (isGuidePage(link)) {
        txtGuide->setSource(target);
        return;
    }
    if (!QDesktopServices::openUrl(target)) {
        appDialogs().showError(u"The link could not be opened."_s,
                               u"No web browser opened %1."_s.arg(target.toString()));
    }
}

void TfrmHelp::showEvent(QShowEvent* event) {
    appSkin().skinWindow(*this, kAllSkinKinds);
    QDialog::showEvent(event);
}

} // namespace tivora
