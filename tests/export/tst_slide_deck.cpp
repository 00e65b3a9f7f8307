// Slide decks read back part by part: the parts and relationships a presentation needs, the
// graphs' slides in order with their title, video, poster and notes, and decks that fail whole.
#include "deck_package.h"
#include "engine/render/render.h"
#include "export/deck/graph_slide.h"
#include "export/output_formats.h"
#include "export_fixture.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivora;
using namespace tivora::exporting;
using namespace tivora::exporting::testing;

namespace {

const QString kOfficeRelationship =
    u"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"_s;
const QString kPresentationML = u"application/vnd.openxmlformats-officedocument.presentationml."_s;

QString writeGraph(const QDir& folder, const QString& name, GraphTextBuilder text,
                   const QByteArray& header) {
    addHeader(text, header);
    QString path = folder.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.text() + designerKeys());
    return path;
}

// The relationships of a part by type; a type that occurs twice is a fault of its own here.
QMap<QString, QString> targetsByType(const DeckPackageRead& package, const QString& part) {
    QMap<QString, QString> targets;
    for (const Relationship& relationship : relationshipsOf(package, part)) {
        const QString type = relationship.type.startsWith(kOfficeRelationship)
                                 ? relationship.type.mid(kOfficeRelationship.size())
                                 : relationship.type;
        targets.insert(type, relationship.target);
    }
    return targets;
}

QString attribute(const QXmlStreamAttributes& attributes, const char* name) {
    return attributes.value(QLatin1StringView(name)).toString();
}

// Pictures compared pixel for pixel, whatever form they were kept in.
QImage pictureOf(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage pictureOf(const QByteArray& png) {
    return pictureOf(QImage::fromData(png));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SlideDeckTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    QString m_bar;
    QString m_pie;
    QString m_deck;

    // A slide of the graph at path, its video written beside it.
    DeckSlide slideOf(const QString& path) {
        QString error;
        const auto input = loadAnimatedInput(path, false, error);
        const QString video = path + u".mp4"_s;
        if (!input || writeAnimated(*input, video, 10)) {
            qWarning("no video of %s: %s", qPrintable(path), qPrintable(error));
            return {};
        }
        auto slide = graphSlide(*input, video, 10, error);
        if (!slide)
            qWarning("no slide of %s: %s", qPrintable(path), qPrintable(error));
        return slide.value_or(DeckSlide{});
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        const QDir folder(m_folder.path());
        m_bar = writeGraph(folder, u"bar.txt"_s, seriesTestGraph("bar", {"bar", "bar"}),
                           "Sales & costs");
        m_pie = writeGraph(folder, u"pie.txt"_s,
                           pieGraph({{"40", "0xE07B24", "North"}, {"60", "0x2E6FB7", "South"}}),
                           "Regions");
        m_deck = folder.filePath(u"two.pptx"_s);
        QCOMPARE(writeDeck(m_deck, u"Quarter"_s, {slideOf(m_bar), slideOf(m_pie)}), std::nullopt);
    }

    // Readers find the content types first; every part has a type and every override names a
    // part; every part is well-formed XML; media are stored, XML deflated.
    void everyPartHasItsContentType() {
        const DeckPackageRead package = readDeckPackage(m_deck);
        QVERIFY(package.valid);
        QCOMPARE(package.order.first(), u"[Content_Types].xml"_s);
        const QByteArray types = package.parts.value(u"[Content_Types].xml"_s).bytes;
        QMap<QString, QString> overrides;
        for (const auto& item : elementsNamed(types, u"Override"_s))
            overrides.insert(attribute(item, "PartName").mid(1), attribute(item, "ContentType"));
        QStringList defaults;
        for (const auto& item : elementsNamed(types, u"Default"_s))
            defaults.append(attribute(item, "Extension"));
        for (auto part = package.parts.begin(); part != package.parts.end(); ++part) {
            const QString& name = part.key();
            const bool xml = name.endsWith(u".xml"_s) || name.endsWith(u".rels"_s);
            if (xml)
                QVERIFY2(xmlProblem(part->bytes).isEmpty(), qPrintable(name));
            QCOMPARE(part->stored, !xml);
            if (name != u"[Content_Types].xml"_s && !name.endsWith(u".rels"_s) &&
                name.endsWith(u".xml"_s))
                QVERIFY2(overrides.contains(name), qPrintable(name));
            else
                QVERIFY2(defaults.contains(QFileInfo(name).suffix()), qPrintable(name));
        }
        for (const QString& name : overrides.keys())
            QVERIFY2(package.parts.contains(name), qPrintable(name));
        QCOMPARE(overrides.value(u"ppt/presentation.xml"_s),
                 kPresentationML + u"presentation.main+xml"_s);
        QCOMPARE(overrides.value(u"ppt/slides/slide2.xml"_s), kPresentationML + u"slide+xml"_s);
        QCOMPARE(overrides.value(u"ppt/notesSlides/notesSlide1.xml"_s),
                 kPresentationML + u"notesSlide+xml"_s);
        QCOMPARE(overrides.value(u"ppt/theme/theme1.xml"_s),
                 u"application/vnd.openxmlformats-officedocument.theme+xml"_s);
    }

    // Each part names the parts the format requires of it, and every target is in the package.
    void relationshipsNameWhatTheFormatRequires() {
        const DeckPackageRead package = readDeckPackage(m_deck);
        for (auto part = package.parts.begin(); part != package.parts.end(); ++part) {
            if (part.key().endsWith(u".rels"_s))
                continue;
            for (const Relationship& relationship : relationshipsOf(package, part.key()))
                QVERIFY2(package.parts.contains(relationship.target),
                         qPrintable(part.key() + u" -> "_s + relationship.target));
        }
        QCOMPARE(targetsByType(package, QString()).value(u"officeDocument"_s),
                 u"ppt/presentation.xml"_s);
        const auto presentation = targetsByType(package, u"ppt/presentation.xml"_s);
        for (const char* type : {"slideMaster", "notesMaster", "theme", "presProps", "viewProps"})
            QVERIFY2(presentation.contains(QLatin1StringView(type)), type);
        const auto master = targetsByType(package, u"ppt/slideMasters/slideMaster1.xml"_s);
        QVERIFY(master.contains(u"slideLayout"_s) && master.contains(u"theme"_s));
        QCOMPARE(targetsByType(package, u"ppt/slideLayouts/slideLayout1.xml"_s).keys(),
                 QStringList{u"slideMaster"_s});
        QCOMPARE(targetsByType(package, u"ppt/notesMasters/notesMaster1.xml"_s).keys(),
                 QStringList{u"theme"_s});
        // Each master has a theme of its own.
        QVERIFY(master.value(u"theme"_s) !=
                targetsByType(package, u"ppt/notesMasters/notesMaster1.xml"_s).value(u"theme"_s));
        for (const int slide : {1, 2}) {
            const QString name = u"ppt/slides/slide%1.xml"_s.arg(slide);
            const auto links = targetsByType(package, name);
            QCOMPARE(links.value(u"video"_s), u"ppt/media/media%1.mp4"_s.arg(slide));
            QCOMPARE(links.value(u"http://schemas.microsoft.com/office/2007/relationships/media"_s),
                     links.value(u"video"_s));
            QCOMPARE(links.value(u"image"_s), u"ppt/media/image%1.png"_s.arg(slide));
            QVERIFY(links.contains(u"slideLayout"_s));
            const QString notes = links.value(u"notesSlide"_s);
            const auto back = targetsByType(package, notes);
            QCOMPARE(back.value(u"slide"_s), name);
            QVERIFY(back.contains(u"notesMaster"_s));
        }
    }

    // The slides follow the given order, each with its graph's header, video, poster and values.
    void slidesShowTheGraphsInOrder() {
        const DeckPackageRead package = readDeckPackage(m_deck);
        const QByteArray presentation = package.parts.value(u"ppt/presentation.xml"_s).bytes;
        const auto size = elementsNamed(presentation, u"p:sldSz"_s).front();
        QCOMPARE(attribute(size, "cx").toLongLong() * 9, attribute(size, "cy").toLongLong() * 16);
        const auto links = relationshipsOf(package, u"ppt/presentation.xml"_s);
        QStringList slides;
        for (const auto& id : elementsNamed(presentation, u"p:sldId"_s))
            slides.append(links.value(attribute(id, "r:id")).target);
        QCOMPARE(slides, (QStringList{u"ppt/slides/slide1.xml"_s, u"ppt/slides/slide2.xml"_s}));

        const QStringList headers{u"Sales & costs"_s, u"Regions"_s};
        const QStringList graphs{m_bar, m_pie};
        for (int i = 0; i < 2; ++i) {
            const QByteArray slide = package.parts.value(slides[i]).bytes;
            const auto slideLinks = relationshipsOf(package, slides[i]);
            QCOMPARE(textsOf(slide, u"a:t"_s), QStringList{headers[i]});
            const auto picture = elementsNamed(slide, u"p:cNvPr"_s).at(2);
            QCOMPARE(attribute(picture, "descr"), headers[i]);
            const QString video =
                slideLinks
                    .value(attribute(elementsNamed(slide, u"a:videoFile"_s).front(), "r:link"))
                    .target;
            QCOMPARE(package.parts.value(video).bytes, fileBytes(graphs[i] + u".mp4"_s));
            const QString poster =
                slideLinks.value(attribute(elementsNamed(slide, u"a:blip"_s).front(), "r:embed"))
                    .target;
            const QImage settled = engine::renderImage(graphs[i], {});
            QCOMPARE(pictureOf(package.parts.value(poster).bytes), pictureOf(settled));
            // The picture keeps the graph's shape on the slide.
            const auto extent = elementsNamed(slide, u"a:ext"_s).back();
            QVERIFY(qAbs(attribute(extent, "cx").toDouble() / attribute(extent, "cy").toDouble() -
                         double(settled.width()) / settled.height()) < 0.01);
            // The video starts by itself: the play command targets the picture, on the slide's
            // own start.
            const auto command = elementsNamed(slide, u"p:cmd"_s);
            QCOMPARE(command.size(), 1u);
            QCOMPARE(attribute(command.front(), "cmd"), u"playFrom(0.0)"_s);
            const auto targets = elementsNamed(slide, u"p:spTgt"_s);
            QVERIFY(!targets.empty());
            for (const auto& target : targets)
                QCOMPARE(attribute(target, "spid"), attribute(picture, "id"));
            QCOMPARE(attribute(elementsNamed(slide, u"p:cond"_s).at(1), "evt"), u"onBegin"_s);
        }
        const QString notes =
            textsOf(package.parts.value(u"ppt/notesSlides/notesSlide1.xml"_s).bytes, u"a:t"_s)
                .join(u'\n');
        QVERIFY2(notes.contains(u"Series 1\t20\t45\t70\t35\t60"_s), qPrintable(notes));
        QVERIFY2(notes.contains(u"The values of Sales & costs:"_s), qPrintable(notes));
        const QString pieNotes =
            textsOf(package.parts.value(u"ppt/notesSlides/notesSlide2.xml"_s).bytes, u"a:t"_s)
                .join(u'\n');
        QVERIFY2(pieNotes.contains(u"Slice\tValue\nNorth\t40\nSouth\t60"_s), qPrintable(pieNotes));
    }

    // Control characters in a header would make the slide unreadable XML; they are left out.
    void controlCharactersLeaveTheXmlWhole() {
        const QString path = m_folder.filePath(u"control.pptx"_s);
        DeckSlide slide = slideOf(m_bar);
        slide.title = u"Sales\x01 \x1b[31mred"_s;
        slide.notes = {u"a\x02b"_s};
        QCOMPARE(writeDeck(path, u"T\x07"_s, {slide}), std::nullopt);
        const DeckPackageRead package = readDeckPackage(path);
        const QByteArray xml = package.parts.value(u"ppt/slides/slide1.xml"_s).bytes;
        QCOMPARE(xmlProblem(xml), QString());
        QCOMPARE(textsOf(xml, u"a:t"_s), QStringList{u"Sales [31mred"_s});
        QCOMPARE(xmlProblem(package.parts.value(u"docProps/core.xml"_s).bytes), QString());
    }

    // A deck is written whole or not at all: a missing video or a folder in the way leaves what
    // was there.
    void aDeckThatCannotBeWrittenLeavesWhatWasThere() {
        const QString path = m_folder.filePath(u"kept.pptx"_s);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old deck");
        old.close();
        DeckSlide slide = slideOf(m_bar);
        slide.videoPath = m_folder.filePath(u"missing.mp4"_s);
        const auto error = writeDeck(path, u"T"_s, {slideOf(m_pie), slide});
        QVERIFY(error);
        QVERIFY2(error->contains(u"slide 2"_s), qPrintable(*error));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old deck"));
        QVERIFY(writeDeck(m_folder.path(), u"T"_s, {slideOf(m_pie)}));
        QVERIFY(QFileInfo(m_folder.path()).isDir());
        QVERIFY(renderDeck(m_folder.filePath(u"missing.txt"_s), path));
    }

    // One table chooses every writer by extension, in any letter case; ".svg" is an animation
    // unless a still is asked for.
    void theOutputTableChoosesByExtension() {
        QCOMPARE(outputFormatOf(u"a/b.PPTX"_s)->kind, OutputKind::Deck);
        QCOMPARE(outputFormatOf(u"b.svg"_s)->kind, OutputKind::Animation);
        QCOMPARE(outputFormatOf(u"b.svg"_s, true)->kind, OutputKind::Still);
        QCOMPARE(outputFormatOf(u"b.png"_s)->kind, OutputKind::Still);
        QCOMPARE(outputFormatOf(u"b.mp4"_s)->animation, std::optional(AnimationFormat::Mp4));
        QCOMPARE(animationFormatOf(u"b.webm"_s), std::optional(AnimationFormat::WebM));
        QCOMPARE(animationFormatOf(u"b.pptx"_s), std::nullopt);
        QCOMPARE(outputFormatOf(u"b.txt"_s), nullptr);
        QCOMPARE(outputFormatOf(u"pptx"_s), nullptr);
        QCOMPARE(outputSuffixList(),
                 u".png, .bmp, .svg, .pdf, .gif, .webp, .mp4, .webm or .pptx"_s);
        QCOMPARE(outputSuffixList(OutputKind::Animation), u".svg, .gif, .webp, .mp4 or .webm"_s);
        const auto refused = writeOutput(m_bar, m_folder.filePath(u"x.doc"_s), {});
        QVERIFY(refused && refused->endsWith(u"name it "_s + outputSuffixList()));
    }

    // The command line's deck: one slide, named after the graph's header.
    void renderWritesAOneSlideDeck() {
        const QString path = m_folder.filePath(u"one.Pptx"_s);
        OutputRequest request;
        request.fps = 5;
        QCOMPARE(writeOutput(m_pie, path, request), std::nullopt);
        const DeckPackageRead package = readDeckPackage(path);
        QVERIFY(package.valid);
        QCOMPARE(elementsNamed(package.parts.value(u"ppt/presentation.xml"_s).bytes, u"p:sldId"_s)
                     .size(),
                 1u);
        QVERIFY(!package.parts.contains(u"ppt/slides/slide2.xml"_s));
        QCOMPARE(textsOf(package.parts.value(u"docProps/core.xml"_s).bytes, u"dc:title"_s),
                 QStringList{u"Regions"_s});
        QCOMPARE(pictureOf(package.parts.value(u"ppt/media/image1.png"_s).bytes),
                 pictureOf(engine::renderImage(m_pie, {})));
    }
};

QTEST_MAIN(SlideDeckTest)
#include "tst_slide_deck.moc"
