#include "export/deck/shape_xml.h"

using namespace Qt::StringLiterals;

namespace tivora::exporting::deck {
namespace {

void paragraphs(PartXml& xml, const QStringList& lines, int fontSize) {
    xml.element("p:txBody", {}, [&] {
        xml.empty("a:bodyPr");
        xml.empty("a:lstStyle");
        if (lines.isEmpty())
            xml.empty("a:p");
        for (const QString& line : lines) {
            xml.element("a:p", {}, [&] {
                if (line.isEmpty()) {
                    xml.empty("a:endParaRPr", {{"lang", u"en-US"_s}});
                    return;
                }
                xml.element("a:r", {}, [&] {
                    if (fontSize > 0)
                        xml.empty("a:rPr",
                                  {{"lang", u"en-US"_s}, {"sz", QString::number(fontSize)}});
                    else
                        xml.empty("a:rPr", {{"lang", u"en-US"_s}});
                    xml.text("a:t", line);
                });
            });
        }
    });
}

} // namespace

void startShapeTree(PartXml& xml) {
    xml.start("p:spTree");
    xml.element("p:nvGrpSpPr", {}, [&] {
        xml.empty("p:cNvPr", {{"id", u"1"_s}, {"name", QString()}});
        xml.empty("p:cNvGrpSpPr");
        xml.empty("p:nvPr");
    });
    xml.element("p:grpSpPr", {}, [&] {
        xml.element("a:xfrm", {}, [&] {
            xml.empty("a:off", {{"x", u"0"_s}, {"y", u"0"_s}});
            xml.empty("a:ext", {{"cx", u"0"_s}, {"cy", u"0"_s}});
            xml.empty("a:chOff", {{"x", u"0"_s}, {"y", u"0"_s}});
            xml.empty("a:chExt", {{"cx", u"0"_s}, {"cy", u"0"_s}});
        });
    });
}

void transform(PartXml& xml, const QRect& box) {
    xml.element("a:xfrm", {}, [&] {
        xml.empty("a:off", {{"x", QString::number(box.x())}, {"y", QString::number(box.y())}});
        xml.empty("a:ext",
                  {{"cx", QString::number(box.width())}, {"cy", QString::number(box.height())}});
    });
}

void placeholderShape(PartXml& xml, const Placeholder& placeholder, const QStringList& lines,
                      int fontSize) {
    xml.element("p:sp", {}, [&] {
        xml.element("p:nvSpPr", {}, [&] {
            xml.empty("p:cNvPr", {{"id", QString::number(placeholder.id)},
                                  {"name", QString::fromLatin1(placeholder.name)}});
            xml.element("p:cNvSpPr", {}, [&] { xml.empty("a:spLocks", {{"noGrp", u"1"_s}}); });
            xml.element("p:nvPr", {}, [&] {
                Attributes attributes;
                if (placeholder.type)
                    attributes.emplace_back("type", QString::fromLatin1(placeholder.type));
                if (placeholder.index)
                    attributes.emplace_back("idx", QString::number(*placeholder.index));
                xml.empty("p:ph", attributes);
            });
        });
        xml.element("p:spPr", {}, [&] {
            if (placeholder.box)
                transform(xml, *placeholder.box);
        });
        paragraphs(xml, lines, fontSize);
    });
}

void colourMap(PartXml& xml, const char* element) {
    xml.empty(element, {{"bg1", u"lt1"_s},
                        {"tx1", u"dk1"_s},
                        {"bg2", u"lt2"_s},
                        {"tx2", u"dk2"_s},
                        {"accent1", u"accent1"_s},
                        {"accent2", u"accent2"_s},
                        {"accent3", u"accent3"_s},
                        {"accent4", u"accent4"_s},
                        {"accent5", u"accent5"_s},
                        {"accent6", u"accent6"_s},
                        {"hlink", u"hlink"_s},
                        {"folHlink", u"folHlink"_s}});
}

} // namespace tivora::exporting::deck
