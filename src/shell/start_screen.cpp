#include "shell/start_screen.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// A button that runs command and is enabled exactly while the command is.
QPushButton* commandButton(const QString& caption, QAction* command) {
    auto* button = new QPushButton(caption);
    button->setEnabled(command->isEnabled());
    QObject::connect(command, &QAction::changed, button,
                     [button, command] { button->setEnabled(command->isEnabled()); });
    QObject::connect(button, &QPushButton::clicked, command, &QAction::trigger);
    return button;
}

QPushButton* recentLink(const QString& path) {
    // The file name leads; the folder is there for two files of one name. A "&" is shown as it is.
    const QFileInfo file(path);
    auto* link = new QPushButton(
        QString(file.fileName() + u"  \u2014  "_s + file.path()).replace(u'&', u"&&"_s));
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setToolTip(path);
    link->setObjectName(u"recentLink"_s);
    // The colour is the palette's link colour, which a skin may replace; a colour in the link's
    // own sheet would outrank every skin.
    QPalette palette = link->palette();
    palette.setColor(QPalette::ButtonText, palette.color(QPalette::Link));
    link->setPalette(palette);
    // The focus frame is a border the link always has room for, so that focus takes no room
    // from the text.
    link->setStyleSheet(u"QPushButton { text-align: left; text-decoration: underline; "
                        "padding: 1px 3px; border: 1px solid transparent; border-radius: 3px; }"
                        "QPushButton:focus { border-color: palette(highlight); }"_s);
    return link;
}

} // namespace

StartScreen::StartScreen(QAction* newCommand, QAction* openCommand, QWidget* parent)
    : QWidget(parent)
    , btnNewGraph(commandButton(u"New graph..."_s, newCommand))
    , btnOpen(commandButton(u"Open..."_s, openCommand))
    , m_recentTitle(new QLabel(u"Recent graphs:"_s))
    , m_recentLayout(new QVBoxLayout) {
    setObjectName(u"startScreen"_s);
    btnNewGraph->setObjectName(u"btnNewGraph"_s);
    btnOpen->setObjectName(u"btnOpen"_s);
    auto* intro = new QLabel(u"Start a new graph from a template, or open a graph file "
                             u"(.TVX) to edit it."_s);
    intro->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNewGraph);
    buttons->addWidget(btnOpen);
    buttons->addStretch();
    m_recentLayout->setSpacing(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->addWidget(intro);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->addSpacing(16);
    layout->addWidget(m_recentTitle);
    layout->addLayout(m_recentLayout);
    layout->addStretch();
}

void StartScreen::showRecentFiles(const QStringList& paths) {
    // A link may be the one being clicked, so the old ones go once its click is over.
    for (QPushButton* link : std::as_const(m_recentLinks)) {
        link->hide();
        link->deleteLater();
    }
    m_recentLinks.clear();
    for (int index = 0; index < paths.size(); ++index) {
        if (paths[index].trimmed().isEmpty())
            continue;
        QPushButton* link = recentLink(paths[index]);
        connect(link, &QPushButton::clicked, this, [this, index] { Q_EMIT recentChosen(index); });
        m_recentLayout->addWidget(link, 0, Qt::AlignLeft);
        m_recentLinks.append(link);
    }
    m_recentTitle->setVisible(!m_recentLinks.isEmpty());
}

} // namespace tivora
