#include "publish/movie_patcher.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

QByteArray templateWith(int slotCount, const QByteArray& head = "TVMOVIE 1\n--\n") {
    QByteArray movie = head + "flag=NOTEMBED\n";
    for (int n = 1; n <= slotCount; ++n)
        movie += "slot" + QByteArray::number(n) + '=' + slotPlaceholder(n) + '\n';
    return movie;
}

QByteArray slotContent(const QByteArray& movie, int n) {
    const QByteArray marker = "slot" + QByteArray::number(n) + '=';
    const qsizetype at = movie.indexOf(marker) + marker.size();
    return movie.sliced(at, slotPlaceholder(n).size());
}

// The patch as a byte-by-byte scan: every offset in turn, every line's slot, then the flag.
QByteArray patchedByScan(QByteArray movie, const QList<QByteArray>& lines) {
    const auto scan = [&movie](const QByteArray& placeholder, QByteArray replacement) {
        replacement = replacement.leftJustified(placeholder.size(), ' ');
        for (qsizetype at = 0; at + placeholder.size() <= movie.size(); ++at) {
            if (QByteArrayView(movie).sliced(at, placeholder.size()) == placeholder)
                movie.replace(at, placeholder.size(), replacement);
        }
    };
    for (int n = 1; n <= lines.size(); ++n)
        scan(slotPlaceholder(n), lines[n - 1]);
    scan("NOTEMBED", "EMBEDDED");
    return movie;
}

} // namespace

class MoviePatcherTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void slotsTakeTheirLinesAndKeepTheFileLength() {
        QByteArray movie = templateWith(10);
        const qsizetype size = movie.size();
        QList<QByteArray> lines;
        for (int n = 1; n <= 7; ++n)
            lines.append("&line" + QByteArray::number(n) + "=x&");
        const SlotPatch patch = PatchGraphSlots(lines, movie);
        QVERIFY(!patch.overflowingLine);
        QVERIFY(patch.overloadedLines.isEmpty());
        QCOMPARE(movie.size(), size);
        QVERIFY(movie.contains("flag=EMBEDDED\n"));
        QVERIFY(!movie.contains("NOTEMBED"));
        for (int n = 1; n <= 7; ++n)
            QCOMPARE(slotContent(movie, n).trimmed(), lines[n - 1]);
        QCOMPARE(slotContent(movie, 1).size(), 487);
        for (int n = 8; n <= 10; ++n)
            QCOMPARE(slotContent(movie, n), slotPlaceholder(n));
    }

    void lineLengthsAgainstTheSlot() {
        const QByteArray line480(480, 'a');
        QByteArray movie = templateWith(10);
        SlotPatch patch = PatchGraphSlots({line480}, movie);
        QVERIFY(patch.overloadedLines.isEmpty());
        QCOMPARE(slotContent(movie, 1), line480 + QByteArray(7, ' '));

        // Over 480 characters the line still fits, but it was not cut as the writer cuts lines.
        movie = templateWith(10);
        patch = PatchGraphSlots({QByteArray(481, 'b')}, movie);
        QCOMPARE(patch.overloadedLines, QList<int>{1});
        QVERIFY(!patch.overflowingLine);
        QCOMPARE(slotContent(movie, 1), QByteArray(481, 'b') + QByteArray(6, ' '));

        // 488 characters are one too many for slot 1: nothing at all is written.
        const QByteArray original = templateWith(10);
        movie = original;
        patch = PatchGraphSlots({"&a=1&", QByteArray(488, 'c')}, movie);
        QCOMPARE(patch.overflowingLine, std::optional<int>(2));
        QCOMPARE(movie, original);

        // Slot 10 is one longer ("STRING10"), so 488 characters fill it exactly.
        QList<QByteArray> ten(9, "&k=v&");
        ten.append(QByteArray(488, 'd'));
        patch = PatchGraphSlots(ten, movie);
        QVERIFY(!patch.overflowingLine);
        QCOMPARE(slotContent(movie, 10), QByteArray(488, 'd'));
    }

    void everyOccurrenceIsFilled() {
        QByteArray movie = templateWith(3) + "copy=" + slotPlaceholder(2) + "\nflag=NOTEMBED";
        PatchGraphSlots({"one", "two"}, movie);
        const QByteArray filled = "two" + QByteArray(slotPlaceholder(2).size() - 3, ' ');
        QCOMPARE(movie.count(filled), 2);
        QCOMPARE(movie.count("EMBEDDED"), 2);
        // A placeholder that ends the file is filled too.
        QByteArray ending = "x" + slotPlaceholder(1);
        PatchGraphSlots({"end"}, ending);
        QCOMPARE(ending.trimmed(), QByteArray("xend"));
    }

    void theGraphTextIsNeverTakenForAPlaceholder() {
        // A header that reads NOTEMBED, or a line that holds another slot's placeholder, is the
        // user's text and stays as it is.
        QByteArray movie = templateWith(3);
        const QByteArray second = "&hd_=NOTEMBED&" + slotPlaceholder(3).left(100);
        PatchGraphSlots({slotPlaceholder(3).left(200), second}, movie);
        QCOMPARE(slotContent(movie, 1).trimmed(), slotPlaceholder(3).left(200));
        QCOMPARE(slotContent(movie, 2).trimmed(), second);
        QCOMPARE(slotContent(movie, 3), slotPlaceholder(3));
    }

    void onePassGivesWhatAScanOfEveryOffsetGives() {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 40; ++round) {
            QByteArray movie;
            for (int piece = 0; piece < 12; ++piece) {
                QByteArray noise(int(random.bounded(300)), Qt::Uninitialized);
                for (char& c : noise)
                    c = char(random.bounded(256));
                movie += noise;
                const int n = int(random.bounded(1, 12));
                movie += n <= 10 ? slotPlaceholder(n) : QByteArray("NOTEMBED");
            }
            QList<QByteArray> lines;
            for (int n = 1; n <= int(random.bounded(11)); ++n)
                lines.append(QByteArray(int(random.bounded(480)), char('a' + n)));
            QByteArray patched = movie;
            PatchGraphSlots(lines, patched);
            QCOMPARE(patched, patchedByScan(movie, lines));
        }
    }

    void shortFilesAreLeftAsTheyAre() {
        QByteArray tiny = slotPlaceholder(1).left(100);
        PatchGraphSlots({"x"}, tiny);
        QCOMPARE(tiny, slotPlaceholder(1).left(100));
        QByteArray empty;
        PatchGraphSlots({"x"}, empty);
        QVERIFY(empty.isEmpty());
    }

    void sampleName() {
        const QByteArray sample = "load(\"" + kSampleNamePlaceholder.toByteArray() + "\");";
        QByteArray patched = sample;
        QVERIFY(PatchSampleName("Sales.swf", patched));
        QCOMPARE(patched, "load(\"Sales.swf" + QByteArray(47, ' ') + "\");");

        const QByteArray exact = QByteArray(52, 'n') + ".swf";
        patched = sample;
        QVERIFY(PatchSampleName(exact, patched));
        QCOMPARE(patched, "load(\"" + exact + "\");");

        patched = sample;
        const QByteArray tooLong = QByteArray(53, 'n') + ".swf";
        QVERIFY(!PatchSampleName(tooLong, patched));
        QCOMPARE(patched, sample);
    }
};

} // namespace tivora::publish

QTEST_APPLESS_MAIN(tivora::publish::MoviePatcherTest)
#include "tst_movie_patcher.moc"
