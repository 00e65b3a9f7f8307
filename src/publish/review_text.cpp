#include "publish/review_text.h"

#include "publish/file_copy.h"

using namespace Qt::StringLiterals;

namespace tivora::publish {

QStringList reviewText(const PublishChoices& choices) {
    QStringList lines;
    switch (choices.exportKind) {
    case ExportKind::Internet:
        lines.append(u"Create files for the Internet"_s);
        break;
    case ExportKind::PowerPoint:
        lines.append(u"Create files for inclusion in a PowerPoint Presentation"_s);
        break;
    case ExportKind::FlashProject:
        lines.append(u"Create files for a Flash project"_s);
        break;
    }
    lines.append(QString());
    lines.append(u"Include the following graphs and the required supporting files:"_s);
    for (const QString& graph : choices.graphs)
        lines.append(bareFileName(graph).value_or(graph));
    lines.append(QString());
    lines.append(choices.embed ? u"Embed the Graph in the web page."_s
                               : u"Add the Graph as a separate popup window on the web page."_s);
    lines.append(QString());
    lines.append(u"Save the files to "_s + choices.saveDirectory + u'/');
    return lines;
}

} // namespace tivora::publish
