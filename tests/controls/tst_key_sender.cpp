// The key sender: the key events each kind of key text produces, in order, and their delivery to
// the focused widget.
#include "controls/keys/focused_widget_key_sink.h"
#include "controls/keys/key_sender.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace tivora;
using namespace Qt::StringLiterals;

namespace {

// Records "down 16", "up 44", "wait 50": the virtual-key codes and pauses in the order sent.
class RecordingSink : public KeySink {
public:
    QStringList events;
    QList<SentKey> keys;

    void keyDown(const SentKey& key) override { record(u"down"_s, key); }
    void keyUp(const SentKey& key) override { record(u"up"_s, key); }
    void wait(int milliseconds) override { events.append(u"wait %1"_s.arg(milliseconds)); }

private:
    void record(const QString& kind, const SentKey& key) {
        events.append(kind + u' ' + QString::number(key.virtualKey));
        keys.append(key);
    }
};

QStringList sent(const QString& text) {
    RecordingSink sink;
    SendKeys(text, sink);
    return sink.events;
}

// A key pressed and released, then the pause after it.
QStringList tap(int virtualKey) {
    return {u"down %1"_s.arg(virtualKey), u"up %1"_s.arg(virtualKey), u"wait 50"_s};
}

const QStringList kShiftDown{u"down 16"_s};
const QStringList kShiftUp{u"up 16"_s};

} // namespace

class TestKeySender : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theSnapshotKeysHoldThreeModifiersAroundPrintScreen() {
        QCOMPARE(sent(u"^+%{PRT}"_s), QStringList({u"down 16"_s, u"down 17"_s, u"down 18"_s}) +
                                          tap(44) +
                                          QStringList({u"up 18"_s, u"up 17"_s, u"up 16"_s}));
    }

    void countsRepeatTheKeyWithAPauseAfterEachPress() {
        QCOMPARE(sent(u"{TAB 3}"_s), tap(9) + tap(9) + tap(9));
        QCOMPARE(sent(u"{a 2}"_s), tap('A') + tap('A'));
        QCOMPARE(sent(u"{ENTER 0}"_s), QStringList());
        QCOMPARE(sent(u"{DOWN  2}"_s), tap(40));
    }

    void aGroupKeepsItsPrefixesUpToTheClosingParenthesis() {
        QCOMPARE(sent(u"+(ab)c"_s),
                 kShiftDown + tap('A') + kShiftUp + kShiftDown + tap('B') + kShiftUp + tap('C'));
        // Outside a group a prefix is used up by the next key.
        QCOMPARE(sent(u"+ab"_s), kShiftDown + tap('A') + kShiftUp + tap('B'));
    }

    void bracesTypeTheSpecialCharactersThemselves() {
        // "+" is Shift with the "=" key on the keyboard typed on, never a Shift prefix.
        QCOMPARE(sent(u"{+}a"_s), kShiftDown + tap(187) + kShiftUp + tap('A'));
        // "~" in braces is the tilde, Shift with the "`" key, not Enter.
        QCOMPARE(sent(u"{~}"_s), kShiftDown + tap(192) + kShiftUp);
        QCOMPARE(sent(u"{}}{{}"_s),
                 kShiftDown + tap(221) + kShiftUp + kShiftDown + tap(219) + kShiftUp);
        QCOMPARE(sent(u"{(}{)}"_s),
                 kShiftDown + tap('9') + kShiftUp + kShiftDown + tap('0') + kShiftUp);
    }

    void aTildeAloneIsEnter() { QCOMPARE(sent(u"~"_s), tap(13)); }

    void anUnknownNameSendsNothingAndTheRestIsSent() {
        QCOMPARE(sent(u"{XYZ}a"_s), tap('A'));
        QCOMPARE(sent(u"{FX}{F0}{F25}b"_s), tap('B'));
    }

    void namesAreReadByTheirFirstThreeLettersInAnyCase() {
        QCOMPARE(sent(u"{ENTER}{Ent}{ent}"_s), tap(13) + tap(13) + tap(13));
        QCOMPARE(sent(u"{BS}{BACKSPACE}{BKSP}"_s), tap(8) + tap(8) + tap(8));
        QCOMPARE(sent(u"{UP}{PGDN}{SCROLLLOCK}{BREAK}"_s), tap(38) + tap(34) + tap(145) + tap(3));
    }

    void functionKeysAreNumbered() {
        QCOMPARE(sent(u"{F1}{f12 2}"_s), tap(112) + tap(123) + tap(123));
    }

    void pausesWaitWithoutAKey() {
        QCOMPARE(sent(u"{PAUSE 250}"_s), QStringList{u"wait 250"_s});
        QCOMPARE(sent(u"{PAUSE}"_s), QStringList{u"wait 1"_s});
        QCOMPARE(sent(u"{pau 7}a"_s), QStringList{u"wait 7"_s} + tap('A'));
    }

    void charactersGetTheModifiersTheLayoutNeeds() {
        QCOMPARE(sent(u"A!"_s),
                 kShiftDown + tap('A') + kShiftUp + kShiftDown + tap('1') + kShiftUp);
        // A Shift prefix and the Shift the character needs are one press.
        QCOMPARE(sent(u"+A"_s), kShiftDown + tap('A') + kShiftUp);
        // A character the layout cannot type is still sent, as its text.
        RecordingSink sink;
        SendKeys(u"é"_s, sink);
        QCOMPARE(sink.keys.size(), 2);
        QCOMPARE(sink.keys.front().text, u"é"_s);
    }

    void keysCarryTheirScanCodesAndText() {
        RecordingSink sink;
        SendKeys(u"q{PRT}"_s, sink);
        QCOMPARE(sink.keys.at(0), (SentKey{'Q', 0x10, u"q"_s}));
        QCOMPARE(sink.keys.at(2), (SentKey{44, 0x37, QString()}));
    }

    void anUnclosedBraceTypesItselfAndTheRest() {
        QCOMPARE(sent(u"{ab"_s), kShiftDown + tap(219) + kShiftUp + tap('A') + tap('B'));
    }

    void theFocusedWidgetReceivesTheKeys() {
        QLineEdit edit;
        edit.show();
        QApplication::setActiveWindow(&edit);
        edit.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&edit));
        FocusedWidgetKeySink sink;
        SendKeys(u"+ab{+}1~"_s, sink);
        QCOMPARE(edit.text(), u"Ab+1"_s);
        SendKeys(u"{BS 2}"_s, sink);
        QCOMPARE(edit.text(), u"Ab"_s);
    }

    void anInstalledSinkReceivesEverySendKeys() {
        RecordingSink sink;
        installKeySink(&sink);
        SendKeys(u"x"_s);
        installKeySink(nullptr);
        QCOMPARE(sink.events, tap('X'));
    }
};

QTEST_MAIN(TestKeySender)
#include "tst_key_sender.moc"
