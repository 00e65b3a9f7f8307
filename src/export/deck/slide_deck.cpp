#include "export/deck/slide_deck.h"

#include "document/regular_file.h"
#include "export/deck/deck_geometry.h"
#include "export/deck/frame_parts.h"
#include "export/deck/part_xml.h"
#include "export/deck/relationships.h"
#include "export/deck/slide_parts.h"
#include "export/deck/zip_package.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace tivora::exporting {
namespace {

constexpr auto kPresentationML = "application/vnd.openxmlformats-officedocument.presentationml.";

// The content type of every part, by extension or by name.
class ContentTypes {
public:
    void part(const QString& name, const QString& type) { m_overrides.emplace_back(name, type); }
    void presentationPart(const QString& name, const char* kind) {
        part(name, QString::fromLatin1(kPresentationML) + QString::fromLatin1(kind) + u"+xml"_s);
    }

    QByteArray xml() const {
        PartXml xml;
        xml.start("Types",
                  {{"xmlns", u"http://schemas.openxmlformats.org/package/2006/content-types"_s}});
        const std::pair<const char*, QString> defaults[] = {
            {"rels", u"application/vnd.openxmlformats-package.relationships+xml"_s},
            {"xml", u"application/xml"_s},
            {"png", u"image/png"_s},
            {"mp4", u"video/mp4"_s}};
        for (const auto& [extension, type] : defaults)
            xml.empty("Default",
                      {{"Extension", QString::fromLatin1(extension)}, {"ContentType", type}});
        for (const auto& [name, type] : m_overrides)
            xml.empty("Override", {{"PartName", u'/' + name}, {"ContentType", type}});
        xml.end();
        return xml.finish();
    }

private:
    std::vector<std::pair<QString, QString>> m_overrides;
};

// The package under construction: every part is added with its content type, every part with
// relationships gets its ".rels" beside it.
class DeckPackage {
public:
    void add(const QString& name, QByteArray xml, const char* presentationKind) {
        m_types.presentationPart(name, presentationKind);
        m_zip.add(name, std::move(xml));
    }
    void add(const QString& name, QByteArray xml, const QString& type) {
        m_types.part(name, type);
        m_zip.add(name, std::move(xml));
    }
    void addMedia(const QString& name, QByteArray bytes) {
        m_zip.add(name, std::move(bytes), ZipPackage::Compression::Store);
    }
    void addRelationships(const QString& partName, const Relationships& relationships) {
        m_zip.add(relationshipsPartOf(partName), relationships.xml());
    }

    std::optional<QByteArray> bytes(QString& error) {
        m_zip.addFirst(u"[Content_Types].xml"_s, m_types.xml());
        return m_zip.bytes(error);
    }

private:
    ContentTypes m_types;
    ZipPackage m_zip;
};

QString officeType(const char* name) {
    return relationship::officeType(name);
}

// The slide master with its layout and theme, and the notes master with its theme: the same in
// every deck.
void addMasters(DeckPackage& package) {
    Relationships master;
    master.add(officeType("slideLayout"), u"../slideLayouts/slideLayout1.xml"_s);
    master.add(officeType("theme"), u"../theme/theme1.xml"_s);
    package.add(u"ppt/slideMasters/slideMaster1.xml"_s, deck::slideMasterXml(), "slideMaster");
    package.addRelationships(u"ppt/slideMasters/slideMaster1.xml"_s, master);

    Relationships layout;
    layout.add(officeType("slideMaster"), u"../slideMasters/slideMaster1.xml"_s);
    package.add(u"ppt/slideLayouts/slideLayout1.xml"_s, deck::slideLayoutXml(), "slideLayout");
    package.addRelationships(u"ppt/slideLayouts/slideLayout1.xml"_s, layout);

    const QString themeType = u"application/vnd.openxmlformats-officedocument.theme+xml"_s;
    package.add(u"ppt/theme/theme1.xml"_s, deck::themeXml(), themeType);
    // Each master has a theme part of its own.
    package.add(u"ppt/theme/theme2.xml"_s, deck::themeXml(), themeType);
    Relationships notesMaster;
    notesMaster.add(officeType("theme"), u"../theme/theme2.xml"_s);
    package.add(u"ppt/notesMasters/notesMaster1.xml"_s, deck::notesMasterXml(), "notesMaster");
    package.addRelationships(u"ppt/notesMasters/notesMaster1.xml"_s, notesMaster);
}

// Slide number's slide, its notes and its media; gives the slide's part name.
std::optional<QString> addSlide(DeckPackage& package, const DeckSlide& slide, int number) {
    QByteArray video;
    if (auto reason = readInputFile(slide.videoPath, video))
        return reason;
    const QString slidePart = u"ppt/slides/slide%1.xml"_s.arg(number);
    const QString notesPart = u"ppt/notesSlides/notesSlide%1.xml"_s.arg(number);
    const QString videoName = u"media%1.mp4"_s.arg(number);
    const QString posterName = u"image%1.png"_s.arg(number);
    package.addMedia(u"ppt/media/"_s + videoName, std::move(video));
    package.addMedia(u"ppt/media/"_s + posterName, slide.posterPng);

    Relationships links;
    links.add(officeType("slideLayout"), u"../slideLayouts/slideLayout1.xml"_s);
    const QString videoLink = links.add(officeType("video"), u"../media/"_s + videoName);
    const QString mediaLink = links.add(relationship::media(), u"../media/"_s + videoName);
    const QString posterLink = links.add(officeType("image"), u"../media/"_s + posterName);
    const deck::SlideContent content{
        slide.title,       slide.altText, deck::fittedIn(deck::kGraphArea, slide.pictureSize),
        slide.videoMillis, videoLink,     mediaLink,
        posterLink};
    links.add(officeType("notesSlide"), u"../notesSlides/notesSlide%1.xml"_s.arg(number));
    package.add(slidePart, deck::slideXml(content), "slide");
    package.addRelationships(slidePart, links);

    Relationships notesLinks;
    notesLinks.add(officeType("notesMaster"), u"../notesMasters/notesMaster1.xml"_s);
    notesLinks.add(officeType("slide"), u"../slides/slide%1.xml"_s.arg(number));
    package.add(notesPart, deck::notesSlideXml(slide.notes), "notesSlide");
    package.addRelationships(notesPart, notesLinks);
    return std::nullopt;
}

} // namespace

std::optional<QString> writeDeck(const QString& outPath, const QString& title,
                                 const std::vector<DeckSlide>& slides) {
    if (const auto refusal = checkOutputFile(outPath))
        return u"cannot write %1: %2"_s.arg(outPath, *refusal);
    DeckPackage package;
    Relationships presentation;
    deck::PresentationLinks links;
    links.master = presentation.add(officeType("slideMaster"), u"slideMasters/slideMaster1.xml"_s);
    links.notesMaster =
        presentation.add(officeType("notesMaster"), u"notesMasters/notesMaster1.xml"_s);
    presentation.add(officeType("theme"), u"theme/theme1.xml"_s);
    presentation.add(officeType("presProps"), u"presProps.xml"_s);
    presentation.add(officeType("viewProps"), u"viewProps.xml"_s);
    presentation.add(officeType("tableStyles"), u"tableStyles.xml"_s);
    addMasters(package);
    for (std::size_t i = 0; i < slides.size(); ++i) {
        const int number = int(i) + 1;
        if (const auto reason = addSlide(package, slides[i], number))
            return u"cannot write %1: the video of slide %2 could not be read: %3"_s.arg(
                outPath, QString::number(number), *reason);
        links.slides.append(
            presentation.add(officeType("slide"), u"slides/slide%1.xml"_s.arg(number)));
    }
    package.add(u"ppt/presentation.xml"_s, deck::presentationXml(links), "presentation.main");
    package.addRelationships(u"ppt/presentation.xml"_s, presentation);
    package.add(u"ppt/presProps.xml"_s, deck::presentationPropertiesXml(), "presProps");
    package.add(u"ppt/viewProps.xml"_s, deck::viewPropertiesXml(), "viewProps");
    package.add(u"ppt/tableStyles.xml"_s, deck::tableStylesXml(), "tableStyles");

    Relationships root;
    root.add(officeType("officeDocument"), u"ppt/presentation.xml"_s);
    root.add(relationship::coreProperties(), u"docProps/core.xml"_s);
    root.add(officeType("extended-properties"), u"docProps/app.xml"_s);
    package.addRelationships(QString(), root);
    package.add(u"docProps/core.xml"_s, deck::corePropertiesXml(title),
                u"application/vnd.openxmlformats-package.core-properties+xml"_s);
    package.add(u"docProps/app.xml"_s, deck::appPropertiesXml(int(slides.size())),
                u"application/vnd.openxmlformats-officedocument.extended-properties+xml"_s);

    QString error;
    const auto bytes = package.bytes(error);
    if (!bytes)
        return u"cannot write %1: %2"_s.arg(outPath, error);
    return replaceFile(outPath, *bytes);
}

} // namespace tivora::exporting
