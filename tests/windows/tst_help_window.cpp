// The guide in the program's own help window: its pages with their pictures, its links followed
// inside the window, a web link handed to the desktop, and a desktop without a browser said so.
#include "../shell/scripted_dialogs.h"
#include "windows/tfrm_help.h"

#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// Takes the addresses the desktop is asked to open, instead of a browser.
class BrowserStandIn : public QObject {
    Q_OBJECT

public:
    explicit BrowserStandIn(const QString& scheme)
        : m_scheme(scheme) {
        QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~BrowserStandIn() override { QDesktopServices::unsetUrlHandler(m_scheme); }
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }

private:
    QString m_scheme;
};

// A guide of two pages and a picture in a folder of its own.
struct Guide {
    Guide() {
        write(u"Index.htm"_s, "<h1>Guide</h1><p><img src=\"pictures/red.png\" alt=\"red\"></p>"
                              "<p><a href=\"second.htm\">Second page</a></p>"
                              "<p><a href=\"https://example.com/tivora\">On the web</a></p>"
                              "<p><a href=\"tivora-nowhere:guide\">Nowhere</a></p>");
        write(u"second.htm"_s, "<h1>Second</h1>" + QByteArray("<p>A long page.</p>").repeated(80) +
                                   "<p id=\"end\">The end of the guide.</p>");
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QDir(folder.path()).mkpath(u"pictures"_s);
        red.save(folder.filePath(u"pictures/red.png"_s));
    }
    void write(const QString& name, const QByteArray& text) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    QUrl page(const QString& name) const { return QUrl::fromLocalFile(folder.filePath(name)); }

    QTemporaryDir folder;
};

// The help window showing the guide's first page, with scripted dialogs that record its messages.
struct ShownGuide {
    ShownGuide() { help.showPage(home()); }
    QUrl home() const { return guide.page(u"Index.htm"_s); }

    Guide guide;
    test::ScriptedDialogs dialogs;
    TfrmHelp help;
};

bool showsColour(QWidget& widget, QColor colour) {
    const QImage image = widget.grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsTheGuideWithItsPictures() {
        ShownGuide shown;
        TfrmHelp& help = shown.help;
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.windowTitle(), u"Tivora Designer Help"_s);
        QCOMPARE(help.txtGuide->source(), shown.home());
        QVERIFY(help.txtGuide->toPlainText().contains(u"Second page"_s));
        QVERIFY(showsColour(*help.txtGuide, Qt::red));
        QVERIFY(!help.isModal());
        QVERIFY(help.txtGuide->hasFocus());
    }

    void guideLinksAreFollowedInTheWindowAndBackAgain() {
        BrowserStandIn desktop(u"file"_s);
        ShownGuide shown;
        TfrmHelp& help = shown.help;
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QVERIFY(!help.btnBack->isEnabled());
        help.txtGuideAnchorClicked(QUrl(u"second.htm#end"_s));
        QCOMPARE(help.txtGuide->source().fileName(), u"second.htm"_s);
        QVERIFY(help.txtGuide->toPlainText().contains(u"The end of the guide."_s));
        // The guide's sections are found by their ids.
        QVERIFY(help.txtGuide->verticalScrollBar()->value() > 0);
        QVERIFY(help.btnBack->isEnabled());
        QTest::mouseClick(help.btnBack, Qt::LeftButton);
        QCOMPARE(help.txtGuide->source(), shown.home());
        QVERIFY(help.btnForward->isEnabled());
        help.txtGuideAnchorClicked(QUrl(u"second.htm"_s));
        QTest::mouseClick(help.btnContents, Qt::LeftButton);
        QCOMPARE(help.txtGuide->source(), shown.home());
        QVERIFY(desktop.opened.isEmpty());
        QVERIFY(shown.dialogs.shown.isEmpty());
    }

    void webLinksGoToTheDesktopsBrowser() {
        BrowserStandIn desktop(u"https"_s);
        ShownGuide shown;
        TfrmHelp& help = shown.help;
        help.txtGuideAnchorClicked(QUrl(u"https://example.com/tivora"_s));
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl(u"https://example.com/tivora"_s)});
        QCOMPARE(help.txtGuide->source(), shown.home());
        QVERIFY(shown.dialogs.shown.isEmpty());
    }

    void aLinkNoBrowserOpensIsSaidWithItsAddress() {
        ShownGuide shown;
        TfrmHelp& help = shown.help;
        help.txtGuideAnchorClicked(QUrl(u"tivora-nowhere:guide"_s));
        QCOMPARE(shown.dialogs.take(), QStringList{u"error: The link could not be opened."_s});
        QCOMPARE(shown.dialogs.details,
                 QStringList{u"No web browser opened tivora-nowhere:guide."_s});
        QCOMPARE(help.txtGuide->source(), shown.home());
    }

    void escapeClosesTheWindow() {
        ShownGuide shown;
        QTest::keyClick(&shown.help, Qt::Key_Escape);
        QVERIFY(!shown.help.isVisible());
    }
};

} // namespace tivora

QTEST_MAIN(tivora::HelpWindowTest)
#include "tst_help_window.moc"
