#include "excel/link_options.h"

#include "document/ansi_text.h"
#include "document/variable_text.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::excel {
namespace {

// At most this many characters of a stored name follow the marker.
constexpr qsizetype kLongestBesideName = 100;

QString yesNo(bool value) {
    return value ? u"YES"_s : u"NO"_s;
}

QString besideGraph(const QString& stored, const QString& graphFolder) {
    const QString marker = QString::fromLatin1(kBesideGraphMarker);
    if (!stored.startsWith(marker))
        return stored;
    // A name stored on Windows may hold backslashes.
    QString name = stored.mid(marker.size(), kLongestBesideName);
    name.replace(u'\\', u'/');
    return graphFolder + u'/' + name;
}

} // namespace

QString linkOptionsPath(const QString& graphFile) {
    const QFileInfo graph(graphFile);
    const QString name = graph.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot > 0 ? name.left(dot) : name;
    return QDir(graph.path()).filePath(base + u".TVO"_s);
}

QString linkOptionsText(const LinkOptions& options) {
    return u"&ExcelLink="_s + yesNo(options.excelLink) + u"&ExcelFile="_s + options.excelFile +
           u"&ExcelWorkSheet="_s + options.workSheet + u"&RowFrom="_s + options.rowFrom +
           u"&ColFrom="_s + options.colFrom + u"&RowTo="_s + options.rowTo + u"&ColTo="_s +
           options.colTo + u"&ExcelOrient="_s + (options.down ? u"DOWN"_s : u"ACCROSS"_s) +
           u"&HeaderLine="_s + yesNo(options.headerLine) + u"&"_s;
}

LinkOptions parseLinkOptions(QByteArrayView line, const QString& graphFolder) {
    const VariableText variables(line.toByteArray());
    const auto value = [&](const char* key) {
        return ansiToString(variables.value(key));
    };
    LinkOptions options;
    options.excelLink = value("&ExcelLink") == u"YES";
    options.excelFile = besideGraph(value("&ExcelFile"), graphFolder);
    options.workSheet = value("&ExcelWorkSheet");
    options.rowFrom = value("&RowFrom");
    options.colFrom = value("&ColFrom");
    options.rowTo = value("&RowTo");
    options.colTo = value("&ColTo");
    options.down = value("&ExcelOrient") == u"DOWN";
    options.headerLine = value("&HeaderLine") == u"YES";
    return options;
}

} // namespace tivora::excel
