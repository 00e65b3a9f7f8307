// A PowerPoint publish opened in a real presentation program: LibreOffice Impress converts the
// deck to PDF, one page per graph, and each page shows the graph's picture with its series
// colours where the graph puts them.
#include "engine/render/render.h"
#include "export/deck/deck_geometry.h"
#include "publish_fixture.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::publish;
using namespace tivora::test;

namespace {

constexpr int kConversionMillis = 300000;
constexpr int kPageDpi = 96;

struct ColourSpread {
    int count = 0;
    QPointF centre;
};

bool near(QRgb pixel, QColor colour) {
    return qAbs(qRed(pixel) - colour.red()) < 60 && qAbs(qGreen(pixel) - colour.green()) < 60 &&
           qAbs(qBlue(pixel) - colour.blue()) < 60;
}

// Where a colour lies in a part of a picture, in that part's own pixels scaled to unit size.
ColourSpread spreadOf(const QImage& image, const QRect& part, QColor colour) {
    ColourSpread spread;
    QPointF sum;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            if (near(image.pixel(x, y), colour)) {
                ++spread.count;
                sum += QPointF(double(x - part.left()) / part.width(),
                               double(y - part.top()) / part.height());
            }
        }
    }
    if (spread.count > 0)
        spread.centre = sum / spread.count;
    return spread;
}

QColor colourOf(WindowColor stored) {
    // Colours are stored blue-green-red.
    return QColor(int(stored & 0xFF), int((stored >> 8) & 0xFF), int((stored >> 16) & 0xFF));
}

QString run(const QString& program, const QStringList& arguments, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(kConversionMillis)) {
        process.kill();
        process.waitForFinished();
        return program + u" did not finish"_s;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + u" failed: "_s + QString::fromLocal8Bit(process.readAllStandardError());
    return QString();
}

} // namespace

class DeckInImpressTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theDeckOpensWithOnePagePerGraph() {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        const QString pdftoppm = QStandardPaths::findExecutable(u"pdftoppm"_s);
        if (soffice.isEmpty() || pdftoppm.isEmpty())
            QFAIL("LibreOffice Impress (soffice) or pdftoppm was not found: install "
                  "libreoffice-impress-nogui and poppler-utils (make test installs them)");

        PublishFixture fixture;
        GraphDocument costs = graphOfType(u"area"_s);
        costs.header.edtHeader = u"Costs by quarter"_s;
        const QStringList graphs{fixture.writeGraph(u"Sales.TVX"_s, graphOfType(u"bar"_s)),
                                 fixture.writeGraph(u"Costs.TVX"_s, costs)};
        PublishChoices choices = fixture.choices(ExportKind::PowerPoint, graphs);
        choices.projectName = u"Quarter"_s;
        QVERIFY(fixture.run(choices).complete());
        const QString deck = fixture.out(u"Quarter.pptx"_s);
        QVERIFY(fixture.log.contains(u"Written presentation "_s + deck + u' '));

        // Impress keeps its settings in a profile of its own, so parallel runs do not meet.
        const QString profile = fixture.path(u"profile"_s);
        const QString pages = fixture.path(u"pages"_s);
        QVERIFY(QDir().mkpath(pages));
        QString problem =
            run(soffice,
                {u"-env:UserInstallation="_s + QUrl::fromLocalFile(profile).toString(),
                 u"--headless"_s, u"--convert-to"_s, u"pdf"_s, u"--outdir"_s, pages, deck},
                pages);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const QString pdf = pages + u"/Quarter.pdf"_s;
        QVERIFY2(QFile::exists(pdf), "Impress wrote no PDF");
        problem =
            run(pdftoppm, {u"-r"_s, QString::number(kPageDpi), u"-png"_s, pdf, u"page"_s}, pages);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const QStringList pictures =
            QDir(pages).entryList({u"page*.png"_s}, QDir::Files, QDir::Name);
        QCOMPARE(pictures.size(), graphs.size());

        for (qsizetype i = 0; i < graphs.size(); ++i) {
            const QImage page =
                QImage(pages + u'/' + pictures[i]).convertToFormat(QImage::Format_RGB32);
            const QImage graph = engine::renderImage(graphs[i], {});
            QVERIFY(!page.isNull() && !graph.isNull());
            // The poster's place on the page, as the slide places the video.
            const QRect box = exporting::deck::fittedIn(exporting::deck::kGraphArea, graph.size());
            const double scale = double(page.width()) / exporting::deck::kSlideWidth;
            const QRect onPage(int(box.x() * scale), int(box.y() * scale), int(box.width() * scale),
                               int(box.height() * scale));
            QVERIFY(page.rect().contains(onPage));
            for (const WindowColor stored : {kFirstSeriesColor, kSecondSeriesColor}) {
                const QColor colour = colourOf(stored);
                const ColourSpread drawn = spreadOf(graph, graph.rect(), colour);
                const ColourSpread shown = spreadOf(page, onPage, colour);
                QVERIFY2(drawn.count > 0, qPrintable(graphs[i]));
                QVERIFY2(shown.count > drawn.count * scale * scale / 4,
                         qPrintable(u"%1: %2 of %3 pixels in %4"_s.arg(graphs[i])
                                        .arg(shown.count)
                                        .arg(drawn.count)
                                        .arg(colour.name())));
                const QPointF offset = shown.centre - drawn.centre;
                QVERIFY2(qAbs(offset.x()) < 0.05 && qAbs(offset.y()) < 0.05,
                         qPrintable(u"%1: %2 lies %3, %4 away"_s.arg(graphs[i], colour.name())
                                        .arg(offset.x())
                                        .arg(offset.y())));
            }
        }
    }
};

QTEST_MAIN(DeckInImpressTest)
#include "tst_deck_in_impress.moc"
