#include "document/graph_keys.h"
#include "document/grid_layouts.h"
#include "document/variable_text.h"

#include <QTest>
#include <set>

using namespace Qt::StringLiterals;
using namespace tivora;

class TestGraphKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void noteListsCoverEveryNoteColumnOnce();
    void noteKeysAreDistinctAsReadersCompareThem();
    void seriesValueKeysCarryTheSeriesNumber();
    void noteColumnDefaults();
};

void TestGraphKeys::noteListsCoverEveryNoteColumnOnce() {
    std::set<int> columns;
    for (const keys::NoteList& list : keys::kNoteLists) {
        QVERIFY(list.column >= NoteShape && list.column < kNoteColumnCount);
        QVERIFY2(columns.insert(list.column).second, list.key.data());
        QCOMPARE(keys::noteListKey(list.column), list.key);
    }
    QCOMPARE(int(columns.size()), kNoteColumnCount - 1);
}

// Keys are found by their start without regard to case: no note key may be the start of another,
// or a text missing one list would hand it another list's items.
void TestGraphKeys::noteKeysAreDistinctAsReadersCompareThem() {
    for (const keys::NoteList& list : keys::kNoteLists) {
        QVERIFY(list.key.startsWith('&'));
        QVERIFY(list.key.endsWith('_'));
        for (const keys::NoteList& other : keys::kNoteLists) {
            if (&other == &list)
                continue;
            const QByteArray key = list.key.toByteArray().toUpper();
            QVERIFY2(!other.key.toByteArray().toUpper().startsWith(key), list.key.data());
        }
    }
    // A text holding every note list but one reads that one as missing.
    QByteArray text = keys::entryStart(keys::kNoteCount) + "1";
    for (const keys::NoteList& list : keys::kNoteLists) {
        if (list.column != NoteHeadY)
            text += keys::entryStart(list.key) + "x";
    }
    text += keys::entryStart(keys::kTextLoaded) + "OK";
    QVERIFY(GetValue(keys::noteListKey(NoteHeadY), text).isEmpty());
    QCOMPARE(GetValue(keys::noteListKey(NoteBodyY), text), "x"_ba);
}

void TestGraphKeys::seriesValueKeysCarryTheSeriesNumber() {
    QCOMPARE(keys::seriesValues(1), "&y1v_"_ba);
    QCOMPARE(keys::seriesValues(12), "&y12v_"_ba);
    QCOMPARE(keys::seriesValuesLong(12), "&Y12Values"_ba);
    // Series 1's key is not read out of series 12's entry.
    const QByteArray text = keys::entryStart(keys::seriesValues(12)) + "5&";
    QVERIFY(GetValue(keys::seriesValues(1), text).isEmpty());
    QCOMPARE(keys::entryStart(keys::kHeaderLong), "&header="_ba);
}

void TestGraphKeys::noteColumnDefaults() {
    QCOMPARE(defaultNoteCell(NoteShape, 7), u"7"_s);
    QCOMPARE(noteColumnDefault(NoteShape), QStringView());
    QCOMPARE(noteColumnDefault(NoteColour), u"0xD48B39");
    QCOMPARE(noteColumnDefault(NoteShadowAlpha), u"30");
    QCOMPARE(noteColumnDefault(NoteColumn(0)), QStringView());
    QCOMPARE(noteColumnDefault(NoteColumn(kNoteColumnCount)), QStringView());
    QCOMPARE(defaultNoteCell(kNoteColumnCount, 1), QString());
    QCOMPARE(defaultNoteCell(NoteHeadY, 3), u"20"_s);
}

QTEST_APPLESS_MAIN(TestGraphKeys)
#include "tst_graph_keys.moc"
