// The palette a skin gives whatever Qt draws beyond its rules: taken from the skin's own rules
// for windows, fields and buttons, readable links, and the plain palette back when the skin goes.
#include "controls/skins/skin.h"
#include "controls/skins/skin_palette.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

const char kDarkSkin[] = R"(
[skin="Window"] { background-color: #1f2227; color: #e3e6ea; }
[skin="Window"] QWidget { color: #e3e6ea; }
[skin="Window"] QLabel:disabled { color: #9aa1ab; }
[skin="Window"] QLineEdit { background-color: #15171b; color: #f0f2f4;
    selection-background-color: #3a6fd8; selection-color: #ffffff; }
[skin="Window"] QLineEdit:disabled { color: #8d949e; }
QPushButton[skin="Button"], [skin="Window"] QPushButton { background-color: #30353c;
    color: #e3e6ea; }
)";

QString writeSkin(const QTemporaryDir& folder, const char* sheet) {
    QString path = folder.filePath(u"Dark.skn"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(sheet) < 0)
        return {};
    return path;
}

} // namespace

class TstSkinPalette : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void thePaletteIsTheSkinsOwnColours() {
        qApp->setStyleSheet(QString::fromLatin1(kDarkSkin));
        const QPalette palette = SkinPalette::fromStyleSheet(QApplication::palette());
        qApp->setStyleSheet(QString());
        QCOMPARE(palette.color(QPalette::Active, QPalette::Window), QColor(u"#1f2227"_s));
        QCOMPARE(palette.color(QPalette::Active, QPalette::WindowText), QColor(u"#e3e6ea"_s));
        QCOMPARE(palette.color(QPalette::Active, QPalette::Base), QColor(u"#15171b"_s));
        QCOMPARE(palette.color(QPalette::Active, QPalette::Text), QColor(u"#f0f2f4"_s));
        QCOMPARE(palette.color(QPalette::Active, QPalette::Highlight), QColor(u"#3a6fd8"_s));
        QCOMPARE(palette.color(QPalette::Active, QPalette::HighlightedText), QColor(u"#ffffff"_s));
        QCOMPARE(palette.color(QPalette::Active, QPalette::Button), QColor(u"#30353c"_s));
        QCOMPARE(palette.color(QPalette::Active, QPalette::ButtonText), QColor(u"#e3e6ea"_s));
        QCOMPARE(palette.color(QPalette::Disabled, QPalette::Text), QColor(u"#8d949e"_s));
        QCOMPARE(palette.color(QPalette::Inactive, QPalette::Window), QColor(u"#1f2227"_s));
        // Links, placeholders and tooltips read on the skin's fields too.
        for (const QPalette::ColorRole role : {QPalette::Link, QPalette::PlaceholderText})
            QVERIFY(SkinPalette::contrast(palette.color(role), palette.color(QPalette::Base)) >=
                    4.5);
        QVERIFY(SkinPalette::contrast(palette.color(QPalette::ToolTipText),
                                      palette.color(QPalette::ToolTipBase)) >= 4.5);
    }

    void loadingASkinGivesItsPaletteAndItsGoingGivesThePlainOneBack() {
        const QPalette plain = QApplication::palette();
        QTemporaryDir folder;
        {
            Skin skin;
            QVERIFY(skin.load(writeSkin(folder, kDarkSkin)));
            QCOMPARE(QApplication::palette().color(QPalette::Window), QColor(u"#1f2227"_s));
            // A message box of no skinned window has only the palette to go by.
            QMessageBox box(QMessageBox::Information, u"Tivora Designer"_s, u"Done."_s);
            QCOMPARE(box.palette().color(QPalette::Window), QColor(u"#1f2227"_s));
            QCOMPARE(box.palette().color(QPalette::WindowText), QColor(u"#e3e6ea"_s));
            // A second skin is read against the plain palette, not the first skin's.
            QVERIFY(skin.load(writeSkin(folder, "[skin=\"Window\"] { color: #202020; }")));
            QCOMPARE(QApplication::palette().color(QPalette::Window),
                     plain.color(QPalette::Window));
        }
        QCOMPARE(QApplication::palette(), plain);
    }

    void textsMoveJustFarEnoughToRead() {
        const QColor white(Qt::white);
        const QColor black(Qt::black);
        const QColor darkBlue(0x1A, 0x5F, 0xA8);
        const QColor charcoal(0x15, 0x17, 0x1B);
        QCOMPARE(SkinPalette::readableOn(darkBlue, {white}), darkBlue);
        const QColor onDark = SkinPalette::readableOn(darkBlue, {charcoal});
        QVERIFY(SkinPalette::contrast(onDark, charcoal) >= 4.5);
        QVERIFY(onDark.lightness() > darkBlue.lightness());
        // Every ground counts: grey text on a face and on its lighter shading.
        const QColor grey(0x9A, 0xA1, 0xAB);
        const QColor face(0x30, 0x35, 0x3C);
        const QColor moved = SkinPalette::readableOn(grey, {face, face.lighter(150)});
        QVERIFY(SkinPalette::contrast(moved, face.lighter(150)) >= 4.5);
        QVERIFY(SkinPalette::contrast(moved, face) >= 4.5);
        const QColor onWhite = SkinPalette::readableOn(white, {white});
        QVERIFY(SkinPalette::contrast(onWhite, white) >= 4.5 && onWhite != black);
        QCOMPARE(std::round(SkinPalette::contrast(white, black) * 10) / 10, 21.0);
        QCOMPARE(SkinPalette::contrast(darkBlue, darkBlue), 1.0);
    }

    void disabledTextsOfAPaleSkinStillRead() {
        qApp->setStyleSheet(u"[skin=\"Window\"] QWidget:disabled { color: #cccccc; }"
                            "[skin=\"Window\"] { background-color: #ffffff; color: #000000; }"_s);
        const QPalette palette = SkinPalette::fromStyleSheet(QApplication::palette());
        qApp->setStyleSheet(QString());
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
            QVERIFY(SkinPalette::contrast(palette.color(QPalette::Disabled, role),
                                          palette.color(QPalette::Disabled, QPalette::Window)) >=
                    4.5);
        }
    }
};

} // namespace tivora

QTEST_MAIN(tivora::TstSkinPalette)
#include "tst_skin_palette.moc"
