#include "../shell/scripted_dialogs.h"
#include "controls/num_edit.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivora {

class NumEditTest : public QObject {
    Q_OBJECT

private:
    // An edit in a window beside another field, so that focus can leave it.
    struct Field {
        Field() {
            auto* layout = new QVBoxLayout(&window);
            layout->addWidget(edit);
            layout->addWidget(other);
            window.show();
            QApplication::setActiveWindow(&window);
        }
        // Gives the edit the focus, types keys, and leaves the field.
        void typeAndLeave(const QString& keys) {
            edit->setFocus();
            QTest::keyClicks(edit, keys);
            other->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
        }
        QWidget window;
        TNumEdit* edit = new TNumEdit;
        QLineEdit* other = new QLineEdit;
    };

private Q_SLOTS:
    void formatsOnExit_data() {
        QTest::addColumn<int>("places");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("leading zeros") << 0 << u"007"_s << u"7"_s;
        QTest::newRow("rounds up") << 0 << u"3.6"_s << u"4"_s;
        QTest::newRow("half away from zero") << 0 << u"2.5"_s << u"3"_s;
        QTest::newRow("negative half away from zero") << 0 << u"-2.5"_s << u"-3"_s;
        QTest::newRow("not a number") << 0 << u"12-"_s << u"0"_s;
        QTest::newRow("four decimals") << 4 << u"2"_s << u"2.0000"_s;
        QTest::newRow("negative four decimals") << 4 << u"-1.5"_s << u"-1.5000"_s;
        QTest::newRow("two decimals") << 2 << u".125"_s << u"0.13"_s;
        QTest::newRow("negative zero") << 0 << u"-0.4"_s << u"0"_s;
        QTest::newRow("empty stays empty") << 4 << QString() << QString();
    }
    void formatsOnExit() {
        QFETCH(int, places);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Field field;
        field.edit->setDecimalPlaces(places);
        field.typeAndLeave(typed);
        QCOMPARE(field.edit->text(), shown);
    }

    void exponentAndBlanksParse() {
        QCOMPARE(TNumEdit::formatNumber(u"  1e2"_s, 0), u"100"_s);
        QCOMPARE(TNumEdit::formatNumber(u"+4.25E-1"_s, 2), u"0.43"_s);
        QCOMPARE(TNumEdit::formatNumber(u"1,5"_s, 1), u"0.0"_s);
    }

    // The rounding works on the digits as typed: binary doubles just below a half ("1.005" is
    // 1.00499999...) must still round up, and carries run through every 9.
    void roundsTheDecimalText_data() {
        QTest::addColumn<int>("places");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("half below in binary") << 2 << u"1.005"_s << u"1.01"_s;
        QTest::newRow("negative half below in binary") << 2 << u"-1.005"_s << u"-1.01"_s;
        QTest::newRow("2.675") << 2 << u"2.675"_s << u"2.68"_s;
        QTest::newRow("1.0005 to four") << 4 << u"1.00005"_s << u"1.0001"_s;
        QTest::newRow("just under a half") << 2 << u"1.00499999"_s << u"1.00"_s;
        QTest::newRow("carry through nines") << 2 << u"9.995"_s << u"10.00"_s;
        QTest::newRow("carry to a new digit") << 0 << u"-99.5"_s << u"-100"_s;
        QTest::newRow("exponent moves the point") << 1 << u"1.5e-1"_s << u"0.2"_s;
        QTest::newRow("exponent past the digits") << 0 << u"25e2"_s << u"2500"_s;
        QTest::newRow("tiny negative is zero") << 2 << u"-1e-9"_s << u"0.00"_s;
        QTest::newRow("far below zero") << 2 << u"5e-2147483647"_s << u"0.00"_s;
        QTest::newRow("beyond a double") << 0 << u"1e400"_s << u"0"_s;
        QTest::newRow("point only before digits") << 0 << u".5"_s << u"1"_s;
        QTest::newRow("trailing point") << 1 << u"7."_s << u"7.0"_s;
        QTest::newRow("leading zeros go") << 2 << u"000.125"_s << u"0.13"_s;
    }
    void roundsTheDecimalText() {
        QFETCH(int, places);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(TNumEdit::formatNumber(typed, places), shown);
    }

    void keyFilterDropsOtherCharacters() {
        TNumEdit edit;
        QTest::keyClicks(&edit, u"1a,2 x.5-+"_s);
        QCOMPARE(edit.text(), u"12.5-+"_s);

        edit.setAllowNegative(false);
        edit.clear();
        QTest::keyClicks(&edit, u"-3"_s);
        QCOMPARE(edit.text(), u"3"_s);

        edit.setPermittedAlpha(u"ab"_s);
        QTest::keyClicks(&edit, u"abc"_s);
        QCOMPARE(edit.text(), u"3ab"_s);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), u"3a"_s);
    }

    void permittedAlphaSkipsFormatting() {
        Field field;
        field.edit->setPermittedAlpha(u"A"_s);
        QSignalSpy exited(field.edit, &TNumEdit::exited);
        field.typeAndLeave(u"1.5A"_s);
        QCOMPARE(field.edit->text(), u"1.5A"_s);
        QCOMPARE(exited.count(), 1);
    }

    void exitFiresBeforeFormattingAndChangeOnlyWhenDifferent() {
        Field field;
        QString textAtExit;
        connect(field.edit, &TNumEdit::exited, this, [&] { textAtExit = field.edit->text(); });
        field.typeAndLeave(u"3.6"_s);
        QCOMPARE(textAtExit, u"3.6"_s);
        QCOMPARE(field.edit->text(), u"4"_s);

        QSignalSpy changed(field.edit, &QLineEdit::textChanged);
        field.typeAndLeave(QString());
        QCOMPARE(field.edit->text(), u"4"_s);
        QCOMPARE(changed.count(), 0);
    }

    void minimumLengthRefusesShortText() {
        test::ScriptedDialogs dialogs;
        Field field;
        field.edit->setMinLength(3);
        QSignalSpy exited(field.edit, &TNumEdit::exited);
        field.typeAndLeave(u"12"_s);
        QCOMPARE(dialogs.take(),
                 QStringList{u"error: A minimum of 3 character(s) must be entered."_s});
        QCOMPARE(exited.count(), 0);
        QCOMPARE(field.edit->text(), u"12"_s);
        QTRY_COMPARE(QApplication::focusWidget(), field.edit);

        field.typeAndLeave(u"3"_s);
        QVERIFY(dialogs.take().isEmpty());
        QCOMPARE(exited.count(), 1);
    }
};

} // namespace tivora

QTEST_MAIN(tivora::NumEditTest)
#include "tst_num_edit.moc"
