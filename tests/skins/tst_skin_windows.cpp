// Every window of the designer, shown in every shipped skin: no text of a label or button is
// squeezed below the size it needs (a skin's padding can do that in the fixed-size windows).
// With TIVORA_SKIN_SHOTS naming a folder, each window is also saved there as a picture, for a
// skin author to look at.
#include "../shell/shell_environment.h"
#include "controls/skin.h"
#include "editing/tdlg_add_graph.h"
#include "editing/tdlg_new_note.h"
#include "editing/tdlg_series_opt.h"
#include "editing/tfrm_pie_slice_opt.h"
#include "publish/wizard/tfrm_publish.h"
#include "shell/file_commands.h"
#include "shell/tfrm_lumara.h"
#include "shipped_skins.h"
#include "windows/tfrm_about.h"
#include "windows/tfrm_preview.h"
#include "windows/tfrm_tutorial.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTest>

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
        const QStringList squeezed = squeezedTexts(window);
        if (!squeezed.isEmpty())
            m_faults.append(m_skin + u' ' + name + u": "_s + squeezed.join(u"; "_s));
        keep(window, name);
    }
    void keep(QWidget& widget, const QString& name) {
        if (m_folder.isEmpty())
            return;
        QDir().mkpath(m_folder);
        widget.grab().save(u"%1/%2-%3.png"_s.arg(m_folder, m_skin, name));
    }
    const QStringList& faults() const { return m_faults; }

private:
    QString m_skin;
    QString m_folder;
    QStringList m_faults;
};

} // namespace

class TstSkinWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyWindowShowsItsTextsWholeInEverySkin();
    void everyControlOfTheMainWindowIsDrawnByTheSkin();
};

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
    const QStringList skins = shippedSkins();
    QVERIFY(skins.size() >= 3);
    QStringList faults;
    for (const QString& skin : skins) {
        Gallery gallery(skin);
        {
            test::ShellEnvironment environment;
            environment.store(u"Skin"_s, skin);
            TfrmLumara window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(appSkin().path(), skin);
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
            QMenu* file = window.menuBar()->actions().first()->menu();
            file->popup(window.mapToGlobal(QPoint(10, 30)));
            QCoreApplication::processEvents();
            gallery.keep(*file, u"menu"_s);
            file->hide();

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
        }
        faults.append(gallery.faults());
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

} // namespace tivora

QTEST_MAIN(tivora::TstSkinWindows)
#include "tst_skin_windows.moc"
