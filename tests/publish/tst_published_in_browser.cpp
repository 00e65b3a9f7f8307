// Opens published pages in a real browser (headless Chromium) and checks, by the pixels of its
// screenshot, that the page shows the graph as the engine draws it.
#include "engine/render/render.h"
#include "publish_fixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tivora::publish {

using test::PublishFixture;

namespace {

bool isRed(QRgb pixel) {
    return qRed(pixel) > 120 && qRed(pixel) > 2 * qGreen(pixel) + 40 &&
           qRed(pixel) > 2 * qBlue(pixel) + 40;
}

bool isGreen(QRgb pixel) {
    return qGreen(pixel) > 120 && qGreen(pixel) > 2 * qRed(pixel) + 40 &&
           qGreen(pixel) > 2 * qBlue(pixel) + 40;
}

QRect boxOf(const QImage& image, bool (*matches)(QRgb)) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (matches(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

QString browser() {
    for (const QString& name : {u"chromium"_s, u"chromium-browser"_s}) {
        QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

QImage screenshot(const QString& page, QString& problem, QSize window = {800, 600}) {
    const QString program = browser();
    if (program.isEmpty()) {
        problem = u"No web browser found: these tests need Debian's chromium package "
                  "(scripts/install-deps.sh installs it)."_s;
        return {};
    }
    QTemporaryDir profile;
    const QString shot = profile.filePath(u"shot.png"_s);
    QProcess process;
    process.start(
        program, {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-quic"_s,
                  u"--no-first-run"_s, u"--disable-background-networking"_s,
                  u"--disable-component-update"_s, u"--disable-sync"_s,
                  u"--user-data-dir="_s + profile.filePath(u"profile"_s), u"--screenshot="_s + shot,
                  u"--window-size=%1,%2"_s.arg(window.width()).arg(window.height()),
                  u"--run-all-compositor-stages-before-draw"_s, u"--virtual-time-budget=10000"_s,
                  QUrl::fromLocalFile(page).toString()});
    if (!process.waitForFinished(120000) || !QFile::exists(shot)) {
        process.kill();
        problem = u"The browser made no screenshot of "_s + page + u": "_s +
                  QString::fromLocal8Bit(process.readAllStandardError().right(600));
        return {};
    }
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

// The document of page after the browser has run its scripts.
QByteArray documentAfterScripts(const QString& page, QString& problem) {
    const QString program = browser();
    if (program.isEmpty()) {
        problem = u"No web browser found: these tests need Debian's chromium package."_s;
        return {};
    }
    QTemporaryDir profile;
    QProcess process;
    process.start(program,
                  {u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--no-first-run"_s,
                   u"--disable-background-networking"_s, u"--disable-component-update"_s,
                   u"--disable-sync"_s, u"--user-data-dir="_s + profile.filePath(u"profile"_s),
                   // Room for the whole picture inside the window's frame.
                   u"--window-size=800,800"_s, u"--virtual-time-budget=5000"_s, u"--dump-dom"_s,
                   QUrl::fromLocalFile(page).toString()});
    if (!process.waitForFinished(120000)) {
        process.kill();
        problem = u"The browser did not finish with "_s + page;
        return {};
    }
    return process.readAllStandardOutput();
}

// The middle of each bar of one colour, left to right, found a little above the bars' foot. A
// bar's shine or value may break its colour there; bars of one colour stand a column apart.
QList<QPoint> barMiddles(const QImage& render, bool (*matches)(QRgb)) {
    constexpr int kWidestBreak = 30;
    const QRect box = boxOf(render, matches);
    const int y = box.bottom() - 6;
    QList<std::pair<int, int>> runs;
    for (int x = box.left(); x <= box.right(); ++x) {
        if (!matches(render.pixel(x, y)))
            continue;
        if (!runs.isEmpty() && x - runs.last().second <= kWidestBreak)
            runs.last().second = x;
        else
            runs.append({x, x});
    }
    QList<QPoint> middles;
    for (const auto& [left, right] : std::as_const(runs))
        middles.append({(left + right) / 2, y});
    return middles;
}

} // namespace

class PublishedInBrowserTest : public QObject {
    Q_OBJECT

    // The boxes of both series' colours in a screenshot of page in a window of the given size.
    void seriesBoxes(const QString& page, QSize window, QRect& red, QRect& green) {
        QString problem;
        // On a busy machine the browser may take its picture before the graph has loaded: it
        // gets three chances to show it.
        for (int attempt = 0; attempt < 3 && (red.isNull() || green.isNull()); ++attempt) {
            const QImage shot = screenshot(page, problem, window);
            if (shot.isNull())
                QFAIL(qPrintable(problem));
            red = boxOf(shot, isRed);
            green = boxOf(shot, isGreen);
        }
    }

    // The screenshot holds both series' colours, each in a box of the size the render gives it,
    // both moved by the same small offset (the page's margin).
    void checkShowsTheGraph(const QString& page, const QImage& render) {
        QRect red;
        QRect green;
        seriesBoxes(page, {800, 600}, red, green);
        const QRect expectedRed = boxOf(render, isRed);
        const QRect expectedGreen = boxOf(render, isGreen);
        QVERIFY2(!red.isNull() && !green.isNull(), "the page shows no graph");
        const QPoint offset = red.topLeft() - expectedRed.topLeft();
        QVERIFY2(offset.x() >= 0 && offset.y() >= 0 && offset.x() <= 20 && offset.y() <= 20,
                 qPrintable(u"the graph stands at %1,%2"_s.arg(offset.x()).arg(offset.y())));
        QVERIFY((green.topLeft() - expectedGreen.topLeft() - offset).manhattanLength() <= 2);
        for (const auto& [seen, expected] : {std::pair{red, expectedRed}, {green, expectedGreen}}) {
            QVERIFY2(std::abs(seen.width() - expected.width()) <= 3 &&
                         std::abs(seen.height() - expected.height()) <= 3,
                     qPrintable(u"%1x%2 where the render has %3x%4"_s.arg(seen.width())
                                    .arg(seen.height())
                                    .arg(expected.width())
                                    .arg(expected.height())));
        }
    }

private Q_SLOTS:
    void pagesShowTheGraph_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("embed");
        QTest::addColumn<QString>("page");
        QTest::newRow("internet page") << 0 << true << u"Sales.html"_s;
        QTest::newRow("internet pop-up") << 0 << false << u"popSales.html"_s;
        QTest::newRow("flash project page") << 2 << true << u"Sales.html"_s;
    }
    void pagesShowTheGraph() {
        QFETCH(int, kind);
        QFETCH(bool, embed);
        QFETCH(QString, page);
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Sales.TVX"_s, test::graphOfType(u"bar"_s));
        PublishChoices choices = fixture.choices(ExportKind(kind), {graph});
        choices.embed = embed;
        choices.engine = false;
        QVERIFY(fixture.run(choices).complete());
        const QString png = fixture.path(u"render.png"_s);
        QCOMPARE(engine::renderToFile(graph, png, {}), std::nullopt);
        checkShowsTheGraph(fixture.out(page), QImage(png).convertToFormat(QImage::Format_RGB32));
    }

    // A phone-wide window shows the whole graph, made smaller, with nothing cut off at the right
    // (which a page wider than its window would need a scroll to show); a wide one shows it at
    // its own size. The pop-up window, just the graph's size, shows it whole at its own size: a
    // scroll bar would take room from it and make it smaller.
    void theGraphFitsTheWindow_data() {
        QTest::addColumn<bool>("embed");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("margin");
        QTest::newRow("page at 400 px") << true << QSize(400, 700) << (400.0 - 16) / 700 << 8;
        QTest::newRow("page at 1200 px") << true << QSize(1200, 800) << 1.0 << 8;
        QTest::newRow("pop-up window") << false << QSize(700, 475) << 1.0 << 0;
    }
    void theGraphFitsTheWindow() {
        QFETCH(bool, embed);
        QFETCH(QSize, window);
        QFETCH(double, scale);
        QFETCH(int, margin);
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Sales.TVX"_s, test::graphOfType(u"bar"_s));
        PublishChoices choices = fixture.choices(ExportKind::Internet, {graph});
        choices.embed = embed;
        QVERIFY(fixture.run(choices).complete());
        const QString png = fixture.path(u"render.png"_s);
        QCOMPARE(engine::renderToFile(graph, png, {}), std::nullopt);
        const QImage render = QImage(png).convertToFormat(QImage::Format_RGB32);
        QRect red;
        QRect green;
        seriesBoxes(fixture.out(embed ? u"Sales.html"_s : u"popSales.html"_s), window, red, green);
        QVERIFY2(!red.isNull() && !green.isNull(), "the page shows no graph");
        const auto placed = [&](QPoint point) {
            return QPointF(point) * scale + QPointF(margin, margin);
        };
        for (const auto& [seen, expected] :
             {std::pair{red, boxOf(render, isRed)}, {green, boxOf(render, isGreen)}}) {
            for (const auto& [corner, expectedCorner] :
                 {std::pair{seen.topLeft(), expected.topLeft()},
                  {seen.bottomRight(), expected.bottomRight()}}) {
                QVERIFY2((QPointF(corner) - placed(expectedCorner)).manhattanLength() <= 4,
                         qPrintable(u"a corner at %1,%2 where %3,%4 was expected"_s.arg(corner.x())
                                        .arg(corner.y())
                                        .arg(placed(expectedCorner).x())
                                        .arg(placed(expectedCorner).y())));
            }
        }
        QVERIFY(green.right() < window.width() - margin);
    }

    // Pointing at a bar of the published picture finds a shape whose title names the bar's series,
    // column and value, as the graph holds them.
    void pointingAtABarNamesItsValue() {
        PublishFixture fixture;
        const QString graph = fixture.writeGraph(u"Sales.TVX"_s, test::graphOfType(u"bar"_s));
        QVERIFY(fixture.run(fixture.choices(ExportKind::Internet, {graph})).complete());
        const QString png = fixture.path(u"render.png"_s);
        QCOMPARE(engine::renderToFile(graph, png, {}), std::nullopt);
        const QImage render = QImage(png).convertToFormat(QImage::Format_RGB32);
        QList<QPoint> points = barMiddles(render, isRed);
        QCOMPARE(points.size(), 4);
        points += barMiddles(render, isGreen);
        QCOMPARE(points.size(), 8);

        // The picture inline in a page of its own, which asks the browser what lies under each
        // bar's middle and writes the titles it finds into the page.
        QByteArray svg = test::readBytes(fixture.out(u"Sales.svg"_s));
        svg.remove(0, svg.indexOf("<svg"));
        QByteArray script = "const points = [";
        for (const QPoint& point : std::as_const(points))
            script +=
                "[" + QByteArray::number(point.x()) + "," + QByteArray::number(point.y()) + "],";
        script += "];\nconst found = points.map(([x, y]) => {\n"
                  "  const mark = document.elementFromPoint(x, y)?.closest('.value-mark');\n"
                  "  return mark ? mark.querySelector('title').textContent : 'nothing';\n});\n"
                  "document.getElementById('found').textContent = found.join('|');\n";
        const QString harness = fixture.path(u"harness.html"_s);
        test::writeBytes(harness, "<!DOCTYPE html><html><body style=\"margin:0\">" + svg +
                                      "<pre id=\"found\"></pre><script>" + script +
                                      "</script></body></html>");
        QString problem;
        const QByteArray dom = documentAfterScripts(harness, problem);
        if (dom.isEmpty())
            QFAIL(qPrintable(problem));
        const qsizetype start = dom.indexOf("<pre id=\"found\">") + 16;
        const QString found =
            QString::fromUtf8(dom.mid(start, dom.indexOf("</pre>", start) - start));
        // Series r holds (7 r + 3 c) % 100 in column c, counted from 0.
        QStringList expected;
        for (int series = 1; series <= 2; ++series) {
            for (int column = 0; column < 4; ++column)
                expected.append(u"Series %1, C%2: %3"_s.arg(series)
                                    .arg(column + 1)
                                    .arg((series * 7 + column * 3) % 100));
        }
        QCOMPARE(found.split(u'|'), expected);
    }
};

} // namespace tivora::publish

QTEST_MAIN(tivora::publish::PublishedInBrowserTest)
#include "tst_published_in_browser.moc"
