// Every window of the designer, shown in every shipped skin: no text of a label or button is
// squeezed below the size it needs (a skin's padding can do that in the fixed-size windows), and
// every text, in the program's windows and in what Qt shows of its own (message boxes, the file,
// folder, colour and input dialogs, tooltips, menus, the grids' cell editors), reads against its
// ground. With TIVORA_SKIN_SHOTS naming a folder, each window is also saved there as a picture,
// for a skin author to look at.
#include "../shell/shell_environment.h"
#include "controls/grids/string_align_grid.h"
#include "controls/qt_dialogs.h"
#include "controls/skins/skin.h"
#include "editing/tdlg_add_graph.h"
#include "editing/tdlg_new_note.h"
#include "editing/tdlg_series_opt.h"
#include "editing/tfrm_pie_slice_opt.h"
#include "publish/wizard/tfrm_publish.h"
#include "shell/file_commands.h"
#include "shell/tfrm_lumara.h"
#include "shipped_skins.h"
#include "text_contrast.h"
#include "windows/help_pages.h"
#include "windows/tfrm_about.h"
#include "windows/tfrm_help.h"
#include "windows/tfrm_preview.h"
#include "windows/tfrm_tutorial.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

using test::shippedSkins;

// The room the widget's style leaves for its text: a skin's border and padding come off it.
QRect textRoom(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (qobject_cast<const QCheckBox*>(&button))
        return button.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &button);
    if (qobject_cast<const QRadioButton*>(&button))
        return button.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &button);
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
}

// Labels and buttons of window whose text does not fit in the room they are shown with.
QStringList squeezedTexts(const QWidget& window) {
    QStringList squeezed;
    const auto widgets = window.findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        if (!widget->isVisible())
            continue;
        QString text;
        QRect room;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->wordWrap() || label->textFormat() == Qt::RichText)
                continue;
            text = label->text();
            room = label->contentsRect();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = button->text().remove(u'&');
            room = textRoom(*button);
        }
        if (text.isEmpty())
            continue;
        const QFontMetrics metrics(widget->font());
        const QSize needed = metrics.size(0, text);
        // A glyph's cell is taller than its ink: a line one pixel short still shows whole.
        if (room.width() < needed.width() || room.height() < needed.height() - 2)
            squeezed.append(u"%1 '%2' has %3x%4 of %5x%6"_s.arg(widget->objectName(), text)
                                .arg(room.width())
                                .arg(room.height())
                                .arg(needed.width())
                                .arg(needed.height()));
    }
    return squeezed;
}

// A window manager sets the title in a bold face beside the window's icon and its buttons; a
// window narrower than that has its title cut short.
QStringList cutTitle(const QWidget& window) {
    constexpr int kIconAndButtons = 100;
    QFont titleFont = window.font();
    titleFont.setBold(true);
    const QString title = QString(window.windowTitle()).remove(u"[*]"_s);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(title) + kIconAndButtons;
    if (window.width() >= needed)
        return {};
    return {u"title '%1' needs %2 of %3"_s.arg(title).arg(needed).arg(window.width())};
}

class Gallery {
public:
    explicit Gallery(const QString& skinPath)
        : m_skin(QFileInfo(skinPath).completeBaseName())
        , m_folder(qEnvironmentVariable("TIVORA_SKIN_SHOTS")) {}

    // Settles window's layout, checks its texts and keeps its picture.
    void look(QWidget& window, const QString& name) {
        window.show();
        QCoreApplication::processEvents();
        window.adjustSize();
        QCoreApplication::processEvents();
        note(name, squeezedTexts(window));
        note(name, cutTitle(window));
        lookAtColours(window, name);
    }
    // Checks that the texts of a window as it stands read against their grounds, and keeps its
    // picture. Qt's own windows are looked at this way only: their layout is Qt's.
    void lookAtColours(QWidget& window, const QString& name) {
        note(name, test::unreadableTexts(window));
        keep(window, name);
    }
    void keep(QWidget& widget, const QString& name) {
        if (m_folder.isEmpty())
            return;
        QDir().mkpath(m_folder);
        picture(widget).save(u"%1/%2-%3.png"_s.arg(m_folder, m_skin, name));
    }
    const QStringList& faults() const { return m_faults; }

private:
    // On a real display the picture is taken from the screen, with the window manager's frame and
    // title; elsewhere it is the window's own drawing.
    static QPixmap picture(QWidget& widget) {
        if (QGuiApplication::platformName() != u"xcb"_s)
            return widget.grab();
        // A tooltip may go while the screen catches up: nothing of it is used after the wait.
        const QRect frame = widget.frameGeometry();
        QScreen* screen = widget.screen();
        widget.raise();
        QTest::qWait(250);
        return screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    void note(const QString& name, const QStringList& faults) {
        if (!faults.isEmpty())
            m_faults.append(m_skin + u' ' + name + u": "_s + faults.join(u"; "_s));
    }

    QString m_skin;
    QString m_folder;
    QStringList m_faults;
};

// Opens a modal window with open; once it shows, looks at its colours and closes it again.
template <typename Open> void lookAtModal(Gallery& gallery, const QString& name, Open&& open) {
    QTimer::singleShot(0, qApp, [&gallery, name] {
        QWidget* modal = nullptr;
        for (int wait = 0; wait < 100 && !modal; ++wait) {
            QTest::qWait(20);
            modal = QApplication::activeModalWidget();
        }
        QVERIFY2(modal, qPrintable(name));
        // The file dialogs fill their lists from a thread of their own.
        QTest::qWait(300);
        gallery.lookAtColours(*modal, name);
        qobject_cast<QDialog*>(modal)->reject();
    });
    open();
}

QWidget* shownToolTip() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->inherits("QTipLabel"))
            return widget;
    return nullptr;
}

// Opens the in-place editor on the first value of the series data grid.
void editFirstValue(TfrmLumara& window) {
    auto* grid = window.findChild<TStringAlignGrid*>(u"sgrdData"_s);
    QVERIFY(grid);
    for (int index = 0; index < window.pageControl1->count(); ++index)
        if (window.pageControl1->widget(index)->isAncestorOf(grid))
            window.pageControl1->setCurrentIndex(index);
    QCoreApplication::processEvents();
    const QModelIndex cell = grid->model()->index(1, 2);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    QCoreApplication::processEvents();
    QVERIFY(grid->findChild<QLineEdit*>());
}

} // namespace

// Shows the main window in each shipped skin, in a program folder of its own, and has look go
// round it with a gallery of the skin; gives every fault the galleries found.
template <typename Look> QStringList inEverySkin(Look&& look) {
    const QStringList skins = shippedSkins();
    if (skins.size() < 3)
        return {u"fewer than three skins ship"_s};
    QStringList faults;
    for (const QString& skin : skins) {
        Gallery gallery(skin);
        {
            test::ShellEnvironment environment;
            environment.store(u"Skin"_s, skin);
            TfrmLumara window;
            window.show();
            if (!QTest::qWaitForWindowExposed(&window))
                return {skin + u": the main window never showed"_s};
            if (appSkin().path() != skin)
                return {skin + u": not loaded"_s};
            look(gallery, environment, window);
        }
        faults.append(gallery.faults());
    }
    return faults;
}

class TstSkinWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyWindowShowsItsTextsWholeInEverySkin();
    void everyControlOfTheMainWindowIsDrawnByTheSkin();
    void whatQtShowsOfItsOwnReadsInEverySkin();
};

void TstSkinWindows::whatQtShowsOfItsOwnReadsInEverySkin() {
    const QStringList faults = inEverySkin([](Gallery& gallery, test::ShellEnvironment& environment,
                                              TfrmLumara& window) {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QtDialogs qtDialogs;
        Dialogs& qt = qtDialogs;
        lookAtModal(gallery, u"error-box"_s, [&] {
            qt.showError(u"File I/O error."_s, environment.folder() + u"sales.TVX"_s);
        });
        lookAtModal(gallery, u"message-box"_s, [&] {
            qt.showMessage(u"Please restart the application to activate your changes !"_s);
        });
        lookAtModal(gallery, u"question-box"_s,
                    [&] { qt.askYesNoCancel(u"The graph has changed. Save the changes?"_s); });
        lookAtModal(gallery, u"open-dialog"_s, [&] {
            qt.openFileName(u"Open"_s, u"Templates (*.dat)"_s, programDataPath({}));
        });
        lookAtModal(gallery, u"save-dialog"_s,
                    [&] { qt.saveFileName(u"Save As"_s, u"Tivora graphs (*.TVX)"_s, u"TVX"_s); });
        lookAtModal(gallery, u"folder-dialog"_s,
                    [&] { qt.chooseFolder(u"Choose the folder"_s, environment.folder()); });
        lookAtModal(gallery, u"colour-dialog"_s, [&] { qt.chooseColor(QColor(0xD4, 0x8B, 0x39)); });
        // A box with no window to belong to meets no rule of the skin, only its colours.
        lookAtModal(gallery, u"ownerless-box"_s,
                    [&] { QMessageBox::information(nullptr, u"Tivora Designer"_s, u"Done."_s); });
        lookAtModal(gallery, u"input-box"_s, [&] {
            QInputDialog::getText(&window, u"Tivora Designer"_s, u"Name of the series:"_s,
                                  QLineEdit::Normal, u"Sales"_s);
        });

        QToolTip::showText(window.mapToGlobal(QPoint(60, 60)), u"Rectangular/square shaped note."_s,
                           &window);
        QWidget* tip = shownToolTip();
        QVERIFY(tip);
        gallery.lookAtColours(*tip, u"tooltip"_s);
        QToolTip::hideText();

        QMenu* file = window.menuBar()->actions().first()->menu();
        file->popup(window.mapToGlobal(QPoint(10, 30)));
        QCoreApplication::processEvents();
        gallery.lookAtColours(*file, u"menu"_s);
        file->hide();

        environment.dialogs.fileNames.push_back(
            environment.writeGraph(u"sales.TVX"_s, test::ShellEnvironment::seriesGraph(3, 6)));
        window.fileCommands().Open1Click();
        environment.dialogs.take();
        editFirstValue(window);
        gallery.lookAtColours(window, u"grid-editor"_s);
    });
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

// A control with a style of its own set before the skin was installed is drawn by that style,
// and no rule of the skin reaches it.
void TstSkinWindows::everyControlOfTheMainWindowIsDrawnByTheSkin() {
    test::ShellEnvironment environment;
    environment.store(u"Skin"_s, shippedSkins().first());
    TfrmLumara window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList unskinned;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->style()->inherits("QStyleSheetStyle"))
            unskinned.append(widget->objectName() + u' ' +
                             QString::fromLatin1(widget->metaObject()->className()));
    }
    QVERIFY2(unskinned.isEmpty(), qPrintable(unskinned.join(u", "_s)));
}

void TstSkinWindows::everyWindowShowsItsTextsWholeInEverySkin() {
    const QStringList faults =
        inEverySkin([](Gallery& gallery, test::ShellEnvironment& environment, TfrmLumara& window) {
            gallery.look(window, u"start"_s);
            environment.dialogs.fileNames.push_back(
                environment.writeGraph(u"sales.TVX"_s, test::ShellEnvironment::seriesGraph(3, 12)));
            window.fileCommands().Open1Click();
            environment.dialogs.take();
            window.ShowEditor(true);
            for (int index = 0; index < window.pageControl1->count(); ++index) {
                if (!window.pageControl1->isTabVisible(index))
                    continue;
                window.pageControl1->setCurrentIndex(index);
                gallery.look(window, u"main-%1"_s.arg(index));
            }
            window.pageControl1->setCurrentIndex(0);
            auto* seriesOptions = window.findChild<TdlgSeriesOpt*>();
            seriesOptions->setSeriesRow(1);
            gallery.look(*seriesOptions, u"series-options"_s);
            seriesOptions->hide();

            TdlgNewNote note(&window);
            gallery.look(note, u"new-note"_s);
            note.hide();

            auto* addGraph = window.findChild<TdlgAddGraph*>();
            gallery.look(*addGraph, u"new-graph"_s);
            addGraph->PageControl1->setCurrentIndex(0);
            gallery.look(*addGraph, u"new-graph-types"_s);
            addGraph->hide();

            publish::TfrmPublish wizard(window.frmTutorial, &window);
            for (int page = 0; page < wizard.PageControl1->count(); ++page) {
                wizard.PageControl1->setCurrentIndex(page);
                gallery.look(wizard, u"wizard-%1"_s.arg(page));
            }
            wizard.hide();

            gallery.look(*window.frmPreview, u"preview"_s);
            window.frmPreview->hide();
            window.frmTutorial->tutorialMovie = programDataPath(u"PPTutorial.swf"_s);
            gallery.look(*window.frmTutorial, u"tutorial"_s);
            window.frmTutorial->hide();
            gallery.look(*window.frmAbout, u"about"_s);
            window.frmAbout->hide();
            QVERIFY(QDir().mkpath(environment.folder() + u"help"_s));
            QFile guide(environment.folder() + u"help/Index.htm"_s);
            QVERIFY(guide.open(QIODevice::WriteOnly));
            guide.write("<h1>Tivora Designer</h1><p>The <a href=\"#skins\">skins</a>.</p>");
            guide.close();
            HelpPages::open(window);
            auto* help = window.findChild<TfrmHelp*>();
            gallery.look(*help, u"help"_s);
            help->hide();

            environment.dialogs.fileNames.push_back(programDataPath(u"T_Pie.dat"_s));
            window.fileCommands().Open1Click();
            environment.dialogs.take();
            QCoreApplication::processEvents();
            for (int index = 0; index < window.pageControl1->count(); ++index) {
                if (!window.pageControl1->isTabVisible(index))
                    continue;
                window.pageControl1->setCurrentIndex(index);
                gallery.look(window, u"pie-%1"_s.arg(index));
            }
            auto* sliceOptions = window.findChild<TfrmPieSliceOpt*>();
            sliceOptions->loadSlice(1);
            gallery.look(*sliceOptions, u"slice-options"_s);
            sliceOptions->hide();

            window.ShowEditor(false);
            gallery.look(window, u"start-recent"_s);
        });
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

} // namespace tivora

QTEST_MAIN(tivora::TstSkinWindows)
#include "tst_skin_windows.moc"
