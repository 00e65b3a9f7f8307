#include "export/deck/frame_parts.h"

#include "export/deck/deck_geometry.h"
#include "export/deck/part_xml.h"
#include "export/deck/shape_xml.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace tivora::exporting::deck {
namespace {

// Colours in the spirit of the graphs' own defaults: dark blue text on white.
void colourScheme(PartXml& xml) {
    constexpr std::array<std::pair<const char*, const char*>, 12> kColours{{
        {"a:dk1", "1F2A36"},
        {"a:lt1", "FFFFFF"},
        {"a:dk2", "1F3A5F"},
        {"a:lt2", "F4F7FB"},
        {"a:accent1", "2E6FB7"},
        {"a:accent2", "E07B24"},
        {"a:accent3", "3AA655"},
        {"a:accent4", "8E5EA2"},
        {"a:accent5", "C0392B"},
        {"a:accent6", "7F8C8D"},
        {"a:hlink", "2E6FB7"},
        {"a:folHlink", "8E5EA2"},
    }};
    xml.element("a:clrScheme", {{"name", u"Tivora"_s}}, [&] {
        for (const auto& [name, rgb] : kColours) {
            const QString value = QString::fromLatin1(rgb);
            xml.element(name, {}, [&] { xml.empty("a:srgbClr", {{"val", value}}); });
        }
    });
}

// Slides are set in the face the graphs are drawn in.
void fontScheme(PartXml& xml) {
    xml.element("a:fontScheme", {{"name", u"Tivora"_s}}, [&] {
        for (const char* font : {"a:majorFont", "a:minorFont"}) {
            xml.element(font, {}, [&] {
                xml.empty("a:latin", {{"typeface", u"Liberation Sans"_s}});
                xml.empty("a:ea", {{"typeface", QString()}});
                xml.empty("a:cs", {{"typeface", QString()}});
            });
        }
    });
}

void solidPhColour(PartXml& xml) {
    xml.element("a:solidFill", {}, [&] { xml.empty("a:schemeClr", {{"val", u"phClr"_s}}); });
}

// Presentation programs expect three entries in each list of a theme's formats.
void formatScheme(PartXml& xml) {
    xml.element("a:fmtScheme", {{"name", u"Tivora"_s}}, [&] {
        xml.element("a:fillStyleLst", {}, [&] {
            for (int i = 0; i < 3; ++i)
                solidPhColour(xml);
        });
        xml.element("a:lnStyleLst", {}, [&] {
            for (const int width : {6350, 12700, 19050})
                xml.element("a:ln", {{"w", QString::number(width)}}, [&] { solidPhColour(xml); });
        });
        xml.element("a:effectStyleLst", {}, [&] {
            for (int i = 0; i < 3; ++i)
                xml.element("a:effectStyle", {}, [&] { xml.empty("a:effectLst"); });
        });
        xml.element("a:bgFillStyleLst", {}, [&] {
            for (int i = 0; i < 3; ++i)
                solidPhColour(xml);
        });
    });
}

void textLevel(PartXml& xml, int size, const char* colourName, const char* font) {
    xml.element("a:lvl1pPr", {}, [&] {
        xml.element("a:defRPr", {{"sz", QString::number(size)}}, [&] {
            xml.element("a:solidFill", {}, [&] {
                xml.empty("a:schemeClr", {{"val", QString::fromLatin1(colourName)}});
            });
            xml.empty("a:latin", {{"typeface", QString::fromLatin1(font)}});
        });
    });
}

void whiteBackground(PartXml& xml) {
    xml.element("p:bg", {}, [&] {
        xml.element("p:bgRef", {{"idx", u"1001"_s}}, [&] {
            xml.empty("a:schemeClr", {{"val", u"bg1"_s}});
        });
    });
}

QByteArray emptyPresentationRoot(const char* name) {
    PartXml xml;
    xml.startPresentationRoot(name);
    xml.end();
    return xml.finish();
}

} // namespace

QByteArray themeXml() {
    PartXml xml;
    xml.start("a:theme", {{"xmlns:a", QString::fromLatin1(kDrawingNs)}, {"name", u"Tivora"_s}});
    xml.element("a:themeElements", {}, [&] {
        colourScheme(xml);
        fontScheme(xml);
        formatScheme(xml);
    });
    xml.empty("a:objectDefaults");
    xml.empty("a:extraClrSchemeLst");
    xml.end();
    return xml.finish();
}

QByteArray slideMasterXml() {
    PartXml xml;
    xml.startPresentationRoot("p:sldMaster");
    xml.element("p:cSld", {}, [&] {
        whiteBackground(xml);
        startShapeTree(xml);
        placeholderShape(xml, {2, "Title", "title", std::nullopt, kTitleBox});
        placeholderShape(xml, {3, "Text", nullptr, 1, kGraphArea});
        xml.end();
    });
    colourMap(xml, "p:clrMap");
    xml.element("p:sldLayoutIdLst", {}, [&] {
        xml.empty("p:sldLayoutId",
                  {{"id", u"2147483649"_s}, {"r:id", QString::fromLatin1(kMasterLayoutId)}});
    });
    xml.element("p:txStyles", {}, [&] {
        xml.element("p:titleStyle", {}, [&] { textLevel(xml, 3200, "tx2", "+mj-lt"); });
        xml.element("p:bodyStyle", {}, [&] { textLevel(xml, 1800, "tx1", "+mn-lt"); });
        xml.element("p:otherStyle", {}, [&] { textLevel(xml, 1800, "tx1", "+mn-lt"); });
    });
    xml.end();
    return xml.finish();
}

QByteArray slideLayoutXml() {
    PartXml xml;
    xml.startPresentationRoot("p:sldLayout", {{"type", u"titleOnly"_s}, {"preserve", u"1"_s}});
    xml.element("p:cSld", {{"name", u"Title Only"_s}}, [&] {
        startShapeTree(xml);
        placeholderShape(xml, {2, "Title", "title", std::nullopt, std::nullopt});
        xml.end();
    });
    xml.element("p:clrMapOvr", {}, [&] { xml.empty("a:masterClrMapping"); });
    xml.end();
    return xml.finish();
}

QByteArray notesMasterXml() {
    constexpr int kMargin = 685800;
    const QRect slideImage(kMargin, kMargin, kNotesWidth - 2 * kMargin,
                           int(qint64(kNotesWidth - 2 * kMargin) * kSlideHeight / kSlideWidth));
    const int notesTop = slideImage.bottom() + kMargin / 2;
    const QRect notesBox(kMargin, notesTop, kNotesWidth - 2 * kMargin,
                         kNotesHeight - notesTop - kMargin);
    PartXml xml;
    xml.startPresentationRoot("p:notesMaster");
    xml.element("p:cSld", {}, [&] {
        whiteBackground(xml);
        startShapeTree(xml);
        placeholderShape(xml, {2, "Slide Image", "sldImg", std::nullopt, slideImage});
        placeholderShape(xml, {3, "Notes", "body", 1, notesBox});
        xml.end();
    });
    colourMap(xml, "p:clrMap");
    xml.element("p:notesStyle", {}, [&] { textLevel(xml, 1200, "tx1", "+mn-lt"); });
    xml.end();
    return xml.finish();
}

QByteArray presentationPropertiesXml() {
    return emptyPresentationRoot("p:presentationPr");
}

QByteArray viewPropertiesXml() {
    return emptyPresentationRoot("p:viewPr");
}

QByteArray tableStylesXml() {
    PartXml xml;
    // The default style id is the one presentation programs name "Medium Style 2 - Accent 1".
    xml.start("a:tblStyleLst", {{"xmlns:a", QString::fromLatin1(kDrawingNs)},
                                {"def", u"{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}"_s}});
    xml.end();
    return xml.finish();
}

QByteArray corePropertiesXml(const QString& title) {
    PartXml xml;
    xml.start(
        "cp:coreProperties",
        {{"xmlns:cp", u"http://schemas.openxmlformats.org/package/2006/metadata/core-properties"_s},
         {"xmlns:dc", u"http://purl.org/dc/elements/1.1/"_s}});
    xml.text("dc:title", title);
    xml.text("dc:creator", u"Tivora Designer"_s);
    xml.end();
    return xml.finish();
}

QByteArray appPropertiesXml(int slideCount) {
    PartXml xml;
    xml.start("Properties",
              {{"xmlns",
                u"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"_s}});
    xml.text("Application", u"Tivora Designer"_s);
    xml.text("Slides", QString::number(slideCount));
    xml.text("Notes", QString::number(slideCount));
    xml.end();
    return xml.finish();
}

QByteArray presentationXml(const PresentationLinks& links) {
    PartXml xml;
    xml.startPresentationRoot("p:presentation", {{"saveSubsetFonts", u"1"_s}});
    xml.element("p:sldMasterIdLst", {}, [&] {
        xml.empty("p:sldMasterId", {{"id", u"2147483648"_s}, {"r:id", links.master}});
    });
    xml.element("p:notesMasterIdLst", {}, [&] {
        xml.empty("p:notesMasterId", {{"r:id", links.notesMaster}});
    });
    xml.element("p:sldIdLst", {}, [&] {
        // Slide ids start at 256 and stay below 2147483648.
        for (qsizetype i = 0; i < links.slides.size(); ++i)
            xml.empty("p:sldId", {{"id", QString::number(256 + i)}, {"r:id", links.slides[i]}});
    });
    xml.empty("p:sldSz",
              {{"cx", QString::number(kSlideWidth)}, {"cy", QString::number(kSlideHeight)}});
    xml.empty("p:notesSz",
              {{"cx", QString::number(kNotesWidth)}, {"cy", QString::number(kNotesHeight)}});
    xml.end();
    return xml.finish();
}

} // namespace tivora::exporting::deck
