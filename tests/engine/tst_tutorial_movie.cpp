#include "engine/movies/movie.h"
#include "engine/movies/movie_file.h"
#include "engine/movies/tutorial_script.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivora::engine;

namespace {

QString shipped(const QString& name) {
    return QStringLiteral(TIVORA_SOURCE_DIR) + u"/data/"_s + name;
}

QImage frame(const Movie& movie, Millis time) {
    QImage image(kStageSize.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    movie.paint(painter, time);
    return image;
}

MovieFile shippedMovie(const QString& name) {
    QFile file(shipped(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return MovieFile::parse(file.readAll()).value_or(MovieFile{});
}

} // namespace

class TestTutorialMovie : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsPagesStepsAndTips();
    void tutorialsTurnTheirPagesAndLoop_data();
    void tutorialsTurnTheirPagesAndLoop();
    void tutorialWithoutPagesSaysSo();
    void sampleGraphPlaysAgainAndAgain();
};

void TestTutorialMovie::readsPagesStepsAndTips() {
    const TutorialScript script = TutorialScript::parse("ignored before a page\n"
                                                        "# First\r\n"
                                                        "Step one\r\n"
                                                        "\r\n"
                                                        "  Step two  \n"
                                                        "! A tip\n"
                                                        "#Second\n"
                                                        "Caf\xe9 step\n");
    QCOMPARE(script.pageCount(), std::size_t(2));
    QCOMPARE(script.page(0).title, u"First"_s);
    QCOMPARE(script.page(0).steps, (QStringList{u"Step one"_s, u"Step two"_s}));
    QCOMPARE(script.page(0).tip, u"A tip"_s);
    QCOMPARE(script.page(1).title, u"Second"_s);
    QCOMPARE(script.page(1).steps, QStringList{u"Caf\u00e9 step"_s});
    QVERIFY(script.page(1).tip.isEmpty());
}

void TestTutorialMovie::tutorialsTurnTheirPagesAndLoop_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("presentation") << u"PPTutorial.swf"_s;
    QTest::newRow("web site") << u"InternetTutorial.swf"_s;
}

void TestTutorialMovie::tutorialsTurnTheirPagesAndLoop() {
    QFETCH(QString, name);
    const MovieFile file = shippedMovie(name);
    QCOMPARE(file.kind, QByteArray("tutorial"));
    const auto pages = TutorialScript::parse(file.body).pageCount();
    QVERIFY(pages >= 3);
    const Millis page = file.property("page").toDouble();
    QVERIFY(page >= 1000);
    const auto movie = Movie::load(shipped(name));
    QCOMPARE(movie->endTime(), kForever);
    const QImage first = frame(*movie, page / 2);
    QVERIFY(first != frame(*movie, page * 1.5));
    // Steps come in one after another within a page.
    QVERIFY(frame(*movie, 600) != frame(*movie, page * 0.8));
    QCOMPARE(frame(*movie, page * double(pages) + page / 2), first);
}

void TestTutorialMovie::tutorialWithoutPagesSaysSo() {
    QTemporaryDir temp;
    QFile file(temp.filePath(u"empty.swf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("TVMOVIE 1\nkind=tutorial\n--\nno page title here\n");
    file.close();
    const auto movie = Movie::load(file.fileName());
    QCOMPARE(movie->endTime(), 0.0);
    QVERIFY(frame(*movie, 0) != frame(*Movie::load(shipped(u"PPTutorial.swf"_s)), 0));
}

void TestTutorialMovie::sampleGraphPlaysAgainAndAgain() {
    const MovieFile file = shippedMovie(u"package.swf"_s);
    QCOMPARE(file.kind, QByteArray("graph"));
    const Millis loop = file.property("loop").toDouble();
    QVERIFY(loop > 1000);
    const auto movie = Movie::load(shipped(u"package.swf"_s));
    QCOMPARE(movie->endTime(), kForever);
    const QImage opening = frame(*movie, 300);
    QVERIFY(opening != frame(*movie, loop - 100));
    QCOMPARE(frame(*movie, loop + 300), opening);
    QCOMPARE(frame(*movie, 3 * loop + 300), opening);
}

QTEST_MAIN(TestTutorialMovie)
#include "tst_tutorial_movie.moc"
