// The about window: size, texts, the logo and the OK button.
#include "windows/tfrm_about.h"
#include "windows/tivora_logo.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace tivora {

class AboutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWindowShowsNameRightsAndVersion() {
        QWidget owner;
        owner.setGeometry(100, 100, 800, 600);
        TfrmAbout about(&owner);
        QCOMPARE(about.windowTitle(), u"About"_s);
        QCOMPARE(about.size(), QSize(377, 223));
        QCOMPARE(about.ProductName->text(), u"Tivora"_s);
        QCOMPARE(about.Version->text(), u"Version 2.1.1"_s);
        QVERIFY(about.Copyright->text().contains(u"All rights reserved"_s));
        QCOMPARE(about.ProgramIcon->size(), QSize(291, 87));
        QCOMPARE(about.Panel1->frameShadow(), QFrame::Raised);
        QVERIFY(about.OKButton->isDefault());
    }

    void okClosesTheModalWindowWithOk() {
        TfrmAbout about;
        QTimer::singleShot(0, &about, [&about] {
            QVERIFY(about.isModal() || about.isVisible());
            QVERIFY(!about.ProgramIcon->pixmap().isNull());
            QTest::keyClick(&about, Qt::Key_Return);
        });
        QCOMPARE(about.exec(), int(QDialog::Accepted));
        QVERIFY(!about.isVisible());
    }

    void theLogoIsAPictureNotABlank() {
        const QImage logo = TivoraLogo::paint(QSize(291, 87)).toImage();
        QCOMPARE(logo.size(), QSize(291, 87));
        QSet<QRgb> colours;
        for (int y = 0; y < logo.height(); y += 3) {
            for (int x = 0; x < logo.width(); x += 3)
                colours.insert(logo.pixel(x, y));
        }
        QVERIFY(colours.size() > 20);
        // Sharp on dense screens: drawn at twice the pixels, shown at the same size.
        const QPixmap dense = TivoraLogo::paint(QSize(291, 87), 2.0);
        QCOMPARE(dense.size(), QSize(582, 174));
        QCOMPARE(dense.deviceIndependentSize(), QSizeF(291, 87));
    }
};

} // namespace tivora

QTEST_MAIN(tivora::AboutTest)
#include "tst_about.moc"
