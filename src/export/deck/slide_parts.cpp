#include "export/deck/slide_parts.h"

#include "export/deck/deck_geometry.h"
#include "export/deck/part_xml.h"
#include "export/deck/shape_xml.h"

using namespace Qt::StringLiterals;

namespace tivora::exporting::deck {
namespace {

constexpr int kTitleShapeId = 2;
constexpr int kVideoShapeId = 3;
// The extension that carries embedded media, as presentation programs since 2010 write it.
constexpr auto kMediaExtension = "{DAA4B4D4-6D71-4841-9C94-3DE7FCFB9230}";
constexpr auto kPowerPoint2010Ns = "http://schemas.microsoft.com/office/powerpoint/2010/main";

void videoPicture(PartXml& xml, const SlideContent& content) {
    xml.element("p:pic", {}, [&] {
        xml.element("p:nvPicPr", {}, [&] {
            xml.element("p:cNvPr",
                        {{"id", QString::number(kVideoShapeId)},
                         {"name", content.title},
                         {"descr", content.altText}},
                        [&] {
                            xml.empty("a:hlinkClick",
                                      {{"r:id", QString()}, {"action", u"ppaction://media"_s}});
                        });
            xml.element("p:cNvPicPr", {}, [&] {
                xml.empty("a:picLocks", {{"noChangeAspect", u"1"_s}});
            });
            xml.element("p:nvPr", {}, [&] {
                xml.empty("a:videoFile", {{"r:link", content.videoLink}});
                xml.element("p:extLst", {}, [&] {
                    xml.element("p:ext", {{"uri", QString::fromLatin1(kMediaExtension)}}, [&] {
                        xml.empty("p14:media",
                                  {{"xmlns:p14", QString::fromLatin1(kPowerPoint2010Ns)},
                                   {"r:embed", content.mediaLink}});
                    });
                });
            });
        });
        xml.element("p:blipFill", {}, [&] {
            xml.empty("a:blip", {{"r:embed", content.posterLink}});
            xml.element("a:stretch", {}, [&] { xml.empty("a:fillRect"); });
        });
        xml.element("p:spPr", {}, [&] {
            transform(xml, content.videoBox);
            xml.element("a:prstGeom", {{"prst", u"rect"_s}}, [&] { xml.empty("a:avLst"); });
        });
    });
}

void targetVideo(PartXml& xml) {
    xml.element("p:tgtEl", {}, [&] {
        xml.empty("p:spTgt", {{"spid", QString::number(kVideoShapeId)}});
    });
}

void condition(PartXml& xml, const char* delay) {
    xml.element("p:stCondLst", {}, [&] {
        xml.empty("p:cond", {{"delay", QString::fromLatin1(delay)}});
    });
}

// The play command, run as soon as the slide is shown: the main sequence's first step starts
// with the slide rather than on a click.
void playOnShow(PartXml& xml, const SlideContent& content) {
    xml.start("p:par");
    xml.start("p:cTn", {{"id", u"3"_s}, {"fill", u"hold"_s}});
    xml.element("p:stCondLst", {}, [&] {
        xml.empty("p:cond", {{"delay", u"indefinite"_s}});
        xml.element("p:cond", {{"evt", u"onBegin"_s}, {"delay", u"0"_s}}, [&] {
            xml.empty("p:tn", {{"val", u"2"_s}});
        });
    });
    xml.start("p:childTnLst");
    xml.start("p:par");
    xml.start("p:cTn", {{"id", u"4"_s}, {"fill", u"hold"_s}});
    condition(xml, "0");
    xml.start("p:childTnLst");
    xml.start("p:par");
    xml.start("p:cTn", {{"id", u"5"_s},
                        {"presetID", u"1"_s},
                        {"presetClass", u"mediacall"_s},
                        {"presetSubtype", u"0"_s},
                        {"fill", u"hold"_s},
                        {"nodeType", u"afterEffect"_s}});
    condition(xml, "0");
    xml.start("p:childTnLst");
    xml.element("p:cmd", {{"type", u"call"_s}, {"cmd", u"playFrom(0.0)"_s}}, [&] {
        xml.element("p:cBhvr", {}, [&] {
            xml.empty("p:cTn", {{"id", u"6"_s},
                                {"dur", QString::number(content.videoMillis)},
                                {"fill", u"hold"_s}});
            targetVideo(xml);
        });
    });
    for (int open = 0; open < 9; ++open) // childTnLst, cTn, par, three times over
        xml.end();
}

void slideTargetCondition(PartXml& xml, const char* list, const char* event) {
    xml.element(list, {}, [&] {
        xml.element("p:cond", {{"evt", QString::fromLatin1(event)}, {"delay", u"0"_s}},
                    [&] { xml.element("p:tgtEl", {}, [&] { xml.empty("p:sldTgt"); }); });
    });
}

// The video's own node, which the play command drives; it stays hidden from clicks.
void mediaNode(PartXml& xml) {
    xml.element("p:video", {}, [&] {
        xml.element("p:cMediaNode", {{"vol", u"80000"_s}}, [&] {
            xml.element("p:cTn", {{"id", u"7"_s}, {"fill", u"hold"_s}, {"display", u"0"_s}},
                        [&] { condition(xml, "indefinite"); });
            targetVideo(xml);
        });
    });
}

void timing(PartXml& xml, const SlideContent& content) {
    xml.start("p:timing");
    xml.start("p:tnLst");
    xml.start("p:par");
    xml.start("p:cTn", {{"id", u"1"_s},
                        {"dur", u"indefinite"_s},
                        {"restart", u"never"_s},
                        {"nodeType", u"tmRoot"_s}});
    xml.start("p:childTnLst");
    xml.element("p:seq", {{"concurrent", u"1"_s}, {"nextAc", u"seek"_s}}, [&] {
        xml.element("p:cTn", {{"id", u"2"_s}, {"dur", u"indefinite"_s}, {"nodeType", u"mainSeq"_s}},
                    [&] { xml.element("p:childTnLst", {}, [&] { playOnShow(xml, content); }); });
        slideTargetCondition(xml, "p:prevCondLst", "onPrev");
        slideTargetCondition(xml, "p:nextCondLst", "onNext");
    });
    mediaNode(xml);
    for (int open = 0; open < 5; ++open) // childTnLst, cTn, par, tnLst, timing
        xml.end();
}

} // namespace

QByteArray slideXml(const SlideContent& content) {
    PartXml xml;
    xml.startPresentationRoot("p:sld");
    xml.element("p:cSld", {}, [&] {
        startShapeTree(xml);
        placeholderShape(xml, {kTitleShapeId, "Title", "title", std::nullopt, kTitleBox},
                         {content.title});
        videoPicture(xml, content);
        xml.end();
    });
    xml.element("p:clrMapOvr", {}, [&] { xml.empty("a:masterClrMapping"); });
    timing(xml, content);
    xml.end();
    return xml.finish();
}

QByteArray notesSlideXml(const QStringList& lines) {
    PartXml xml;
    xml.startPresentationRoot("p:notes");
    xml.element("p:cSld", {}, [&] {
        startShapeTree(xml);
        placeholderShape(xml, {2, "Slide Image", "sldImg", std::nullopt, std::nullopt});
        placeholderShape(xml, {3, "Notes", "body", 1, std::nullopt}, lines);
        xml.end();
    });
    xml.element("p:clrMapOvr", {}, [&] { xml.empty("a:masterClrMapping"); });
    xml.end();
    return xml.finish();
}

} // namespace tivora::exporting::deck
