#include "document/graph_keys.h"
#include "document/grid_layouts.h"
#include "engine/notes/note_data.h"
#include "tst_pie_fixture.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::engine;
using namespace tivora::engine::testing;

namespace {

const QColor kNoteColor(0xD4, 0x8B, 0x39);

Scene notesScene(int count, const std::map<QByteArray, QByteArray>& settings) {
    GraphTextBuilder text;
    text.plain("v_", "2.0").encoded("gt_", "bar");
    addNotes(text, count, settings);
    Scene scene;
    layoutNotes(VariableText(text.text()), scene);
    return scene;
}

// The time by which every note has come in.
Millis settled(const Scene& scene) {
    return scene.endTime() + 1;
}

} // namespace

class TestNoteLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitsNoteTextIntoLines_data();
    void splitsNoteTextIntoLines();
    void readsEveryListOfEveryNote();
    void missingListsReadAsTheNotesGridDefaults();
    void ovalAndRectangleDiffer();
    void shadowFallsAtItsOffset();
    void spotAndLinkLine();
    void clickOnNoteGivesItsUrl();
    void notesComeInAfterTheStart();
    void bodyTextStaysInsideItsNote();
    void textWithoutContrastIsCorrected();
};

void TestNoteLayout::splitsNoteTextIntoLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("two lines") << u"One\\rTwo\\r"_s << QStringList{u"One"_s, u"Two"_s};
    QTest::newRow("no separator") << u"One"_s << QStringList{u"One"_s};
    QTest::newRow("last piece") << u"One\\rTwo"_s << QStringList{u"One"_s, u"Two"_s};
    QTest::newRow("empty line kept")
        << u"One\\r\\rTwo\\r"_s << QStringList{u"One"_s, QString(), u"Two"_s};
    QTest::newRow("empty") << QString() << QStringList{};
}

void TestNoteLayout::splitsNoteTextIntoLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(NoteData::splitLines(text), lines);
}

void TestNoteLayout::readsEveryListOfEveryNote() {
    GraphTextBuilder text;
    text.plain("v_", "2.0").encoded("gt_", "pie");
    addNotes(text, 2, {{"nos_", "0"}, {"nohd_", "Big\\rNews\\r"}, {"nurl_", "www.example.com"}});
    // The second note differs in position: rewrite the x list.
    QByteArray bytes = text.text();
    bytes.replace(QByteArray("&nox_=" + EncodeValue(repeated("200", 2))),
                  QByteArray("&nox_=" + EncodeValue("10/x/300")));
    const std::vector<NoteData> notes = NoteData::readAll(VariableText(bytes));
    QCOMPARE(notes.size(), std::size_t(2));
    QVERIFY(notes[0].oval);
    QCOMPARE(notes[0].rect, QRectF(10, 150, 150, 120));
    QCOMPARE(notes[1].rect.left(), 300.0);
    QCOMPARE(notes[1].heading, (QStringList{u"Big"_s, u"News"_s}));
    QCOMPARE(notes[1].headingColor, QColor(Qt::white));
    QCOMPARE(notes[1].url, u"www.example.com"_s);
    QVERIFY(notes[1].flat);
    QVERIFY(!notes[1].spot);
}

// A note whose lists are missing (a hand-made text) gets the numbers and colours a new notes grid
// row starts with, so the designer and the engine agree on what an unset note looks like.
void TestNoteLayout::missingListsReadAsTheNotesGridDefaults() {
    QByteArray withDefaults = keys::entryStart(keys::kNoteCount) + EncodeValue("1");
    for (const keys::NoteList& list : keys::kNoteLists) {
        withDefaults +=
            keys::entryStart(list.key) + EncodeValue(defaultNoteCell(list.column, 1).toLatin1());
    }
    const QByteArray countOnly = keys::entryStart(keys::kNoteCount) + EncodeValue("1");
    const std::vector<NoteData> written = NoteData::readAll(VariableText(withDefaults + '&'));
    const std::vector<NoteData> missing = NoteData::readAll(VariableText(countOnly + '&'));
    QCOMPARE(written.size(), std::size_t(1));
    QCOMPARE(missing.size(), std::size_t(1));
    const NoteData& expected = written.front();
    const NoteData& note = missing.front();
    QCOMPARE(note.color, expected.color);
    QCOMPARE(note.alpha, expected.alpha);
    QCOMPARE(note.rect, expected.rect);
    QCOMPARE(note.spotCentre, expected.spotCentre);
    QCOMPARE(note.spotColor, expected.spotColor);
    QCOMPARE(note.spotAlpha, expected.spotAlpha);
    QCOMPARE(note.headingColor, expected.headingColor);
    QCOMPARE(note.headingSize, expected.headingSize);
    QCOMPARE(note.headingY, expected.headingY);
    QCOMPARE(note.bodyColor, expected.bodyColor);
    QCOMPARE(note.bodySize, expected.bodySize);
    QCOMPARE(note.bodyY, expected.bodyY);
    QCOMPARE(note.shadowOffset, expected.shadowOffset);
    QCOMPARE(note.shadowAlpha, expected.shadowAlpha);
    // The defaults are those a new note shows: a sample of them, as numbers.
    QCOMPARE(note.rect, QRectF(200, 150, 150, 120));
    QCOMPARE(note.color, kNoteColor);
}

void TestNoteLayout::ovalAndRectangleDiffer() {
    // A point near the corner of the note's box is inside a rectangle but outside an oval.
    const QPoint corner(200 + 12, 150 + 10);
    const QPoint centre(275, 210);
    const auto note = near(kNoteColor, 10);
    for (const QByteArray shape : {"0", "1"}) {
        const Scene scene = notesScene(1, {{"nos_", shape}});
        const QImage image = paintScene(scene, settled(scene));
        QVERIFY(note(image.pixel(centre)));
        QCOMPARE(note(image.pixel(corner)), shape == "1");
    }
}

void TestNoteLayout::shadowFallsAtItsOffset() {
    const std::map<QByteArray, QByteArray> settings{
        {"nsh_", "Yes"}, {"nshx_", "20"}, {"nshy_", "30"}, {"nsha_", "50"}};
    const Scene scene = notesScene(1, settings);
    const QImage image = paintScene(scene, settled(scene));
    const auto grey = [](QRgb p) {
        return qRed(p) == qGreen(p) && qGray(p) < 160 && qGray(p) > 90;
    };
    // Right of and below the note, within the offset: the half-dark shadow.
    QVERIFY(grey(image.pixel(200 + 150 + 10, 200)));
    QVERIFY(grey(image.pixel(260, 150 + 120 + 20)));
    // Beyond the offset, and on the far side, plain stage.
    QCOMPARE(image.pixel(200 + 150 + 25, 200), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(195, 200), qRgb(255, 255, 255));
    const Scene without = notesScene(1, {{"nsh_", "No"}});
    QCOMPARE(paintScene(without, settled(without)).pixel(200 + 150 + 10, 200), qRgb(255, 255, 255));
}

void TestNoteLayout::spotAndLinkLine() {
    const std::map<QByteArray, QByteArray> settings{{"nohh_", "Yes"},      {"nohl_", "Yes"},
                                                    {"nohx_", "100"},      {"nohy_", "400"},
                                                    {"nohc_", "0x00C000"}, {"noht_", "100"}};
    const Scene scene = notesScene(1, settings);
    const QImage image = paintScene(scene, settled(scene));
    QVERIFY(near(QColor(0, 0xC0, 0), 40)(image.pixel(100, 400)));
    // The line runs from the spot towards the note's centre and stops at its edge.
    const QPointF middle = QPointF(100, 400) + (QPointF(275, 210) - QPointF(100, 400)) * 0.3;
    int marked = 0;
    for (int dx = -3; dx <= 3; ++dx)
        marked += image.pixel(middle.toPoint() + QPoint(dx, 0)) != qRgb(255, 255, 255) ? 1 : 0;
    QVERIFY(marked > 0);

    const Scene plain = notesScene(1, {{"nohh_", "NO"}, {"nohx_", "100"}, {"nohy_", "400"}});
    const QImage none = paintScene(plain, settled(plain));
    QCOMPARE(none.pixel(100, 400), qRgb(255, 255, 255));
    QCOMPARE(none.pixel(middle.toPoint()), qRgb(255, 255, 255));
}

void TestNoteLayout::clickOnNoteGivesItsUrl() {
    const Scene scene = notesScene(1, {{"nurl_", "www.example.com/sales"}});
    const Millis time = settled(scene);
    QCOMPARE(scene.linkAt({270, 200}, time), QUrl(u"http://www.example.com/sales"_s));
    QVERIFY(scene.linkAt({100, 100}, time).isEmpty());
    QVERIFY(scene.linkAt({270, 200}, 0).isEmpty()); // not yet shown
    const Scene noUrl = notesScene(1, {});
    QVERIFY(noUrl.linkAt({270, 200}, settled(noUrl)).isEmpty());
}

void TestNoteLayout::notesComeInAfterTheStart() {
    const Scene scene = notesScene(3, {});
    QVERIFY(scene.endTime() > 0 && scene.endTime() < 3000);
    QCOMPARE(paintScene(scene, 0).pixel(275, 210), qRgb(255, 255, 255));
}

void TestNoteLayout::bodyTextStaysInsideItsNote() {
    const QByteArray body = "Sales in the third quarter were the highest ever recorded thanks to "
                            "the new product line launch in all regions\\rSecond paragraph of "
                            "the note that goes on and on about the figures";
    const std::map<QByteArray, QByteArray> settings{{"nohd_", "Record"}, {"nhdc_", "0x000000"},
                                                    {"nobd_", body},     {"nobc_", "0x000000"},
                                                    {"nobf_", "20"},     {"nbdy_", "40"}};
    const Scene scene = notesScene(1, settings);
    const QImage image = paintScene(scene, settled(scene));
    const auto dark = [](QRgb p) {
        return qGray(p) < 90;
    };
    const QRect note(200, 150, 150, 120);
    QVERIFY(countPixels(image, dark, note) > 100);
    QCOMPARE(countPixels(image, dark) - countPixels(image, dark, note), 0);
    // The last rows of the note stay clear: the text keeps its padding.
    QCOMPARE(countPixels(image, dark, QRect(200, 266, 150, 4)), 0);
}

void TestNoteLayout::textWithoutContrastIsCorrected() {
    const std::map<QByteArray, QByteArray> settings{
        {"nobd_", "Orange on orange"}, {"nobc_", "0xD48B39"}, {"nobf_", "14"}};
    const Scene scene = notesScene(1, settings);
    const QImage image = paintScene(scene, settled(scene));
    const int text = countPixels(
        image, [](QRgb p) { return !near(kNoteColor, 60)(p); }, QRect(205, 190, 140, 40));
    QVERIFY2(text > 40, qPrintable(QString::number(text)));
}

QTEST_MAIN(TestNoteLayout)
#include "tst_note_layout.moc"
