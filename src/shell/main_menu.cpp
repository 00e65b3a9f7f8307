#include "shell/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace tivora {

MainMenu::MainMenu(QMenuBar* MainMenu1)
    : QObject(MainMenu1) {
    MainMenu1->setObjectName(u"MainMenu1"_s);
    buildFileMenu(MainMenu1);
    buildEditMenu(MainMenu1);
    buildOtherMenus(MainMenu1);
}

void MainMenu::buildFileMenu(QMenuBar* bar) {
    QMenu* file = bar->addMenu(u"&File"_s);
    mnuNew = file->addAction(u"&New"_s);
    Open1 = file->addAction(u"&Open"_s);
    mnuSave = file->addAction(u"&Save"_s);
    mnuSaveAs = file->addAction(u"Save &As"_s);
    file->addSeparator();
    mnuCloseFile = file->addAction(u"Close File"_s);
    file->addSeparator();
    Exit1 = file->addAction(u"Exit"_s);
    Recent1 = file->addMenu(u"&Recent"_s);
    for (std::size_t index = 0; index < mnuRecent.size(); ++index) {
        mnuRecent[index] = Recent1->addAction(QString());
        mnuRecent[index]->setObjectName(u"mnuRecent"_s + QString::number(index + 1));
        mnuRecent[index]->setVisible(false);
    }
    mnuNew->setObjectName(u"mnuNew"_s);
    Open1->setObjectName(u"Open1"_s);
    mnuSave->setObjectName(u"mnuSave"_s);
    mnuSaveAs->setObjectName(u"mnuSaveAs"_s);
    mnuCloseFile->setObjectName(u"mnuCloseFile"_s);
    Exit1->setObjectName(u"Exit1"_s);
    Recent1->setObjectName(u"Recent1"_s);
    mnuNew->setShortcut(Qt::CTRL | Qt::Key_N);
    Open1->setShortcut(Qt::CTRL | Qt::Key_O);
    mnuSave->setShortcut(Qt::CTRL | Qt::Key_S);
    mnuSaveAs->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    Exit1->setShortcut(Qt::CTRL | Qt::Key_Q);
    untitledSave = new QAction(this);
    untitledSave->setObjectName(u"untitledSave"_s);
    untitledSave->setShortcut(mnuSave->shortcut());
    mnuSave->setEnabled(false);
    mnuSaveAs->setEnabled(false);
    untitledSave->setEnabled(false);
    mnuCloseFile->setEnabled(false);
}

void MainMenu::buildEditMenu(QMenuBar* bar) {
    Edit1 = bar->addMenu(u"&Edit"_s);
    Edit1->setObjectName(u"Edit1"_s);
    mnuUndo = Edit1->addAction(u"&Undo"_s);
    mnuUndo->setObjectName(u"mnuUndo"_s);
    mnuUndo->setShortcut(QKeySequence::Undo);
    mnuRedo = Edit1->addAction(u"&Redo"_s);
    mnuRedo->setObjectName(u"mnuRedo"_s);
    mnuRedo->setShortcuts({QKeySequence(u"Ctrl+Shift+Z"_s), QKeySequence(u"Ctrl+Y"_s)});
    mnuUndo->setEnabled(false);
    mnuRedo->setEnabled(false);
}

void MainMenu::buildOtherMenus(QMenuBar* bar) {
    mnuPublish = bar->addAction(u"&Publish"_s);
    mnuPublish->setObjectName(u"mnuPublish"_s);
    QMenu* tools = bar->addMenu(u"&Tools"_s);
    mnuChangeSkin = tools->addAction(u"Change Skin"_s);
    mnuChangeSkin->setObjectName(u"mnuChangeSkin"_s);
    QMenu* help = bar->addMenu(u"&Help"_s);
    mnuHelp = help->addAction(u"&Help"_s);
    mnuHelp->setObjectName(u"mnuHelp"_s);
    mnuHelp->setShortcut(Qt::Key_F1);
    help->addSeparator();
    mnuAbout = help->addAction(u"&About"_s);
    mnuAbout->setObjectName(u"mnuAbout"_s);
}

void MainMenu::showRecentFiles(const QStringList& paths) {
    for (std::size_t index = 0; index < mnuRecent.size(); ++index) {
        const QString path = paths.value(int(index));
        // The item keeps the path itself; its caption doubles every "&" so that a path holding
        // one is shown, and opened, as it is rather than read as an access key.
        mnuRecent[index]->setData(path);
        mnuRecent[index]->setText(QString(path).replace(u'&', u"&&"_s));
        mnuRecent[index]->setVisible(!path.trimmed().isEmpty());
    }
}

QStringList MainMenu::recentFiles() const {
    QStringList paths;
    for (const QAction* item : mnuRecent)
        paths.append(item->data().toString());
    return paths;
}

} // namespace tivora
