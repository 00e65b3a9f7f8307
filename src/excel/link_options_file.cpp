#include "excel/link_options_file.h"

#include "document/ansi_text.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::excel {

std::variant<std::optional<LinkOptions>, QString> readLinkOptionsFile(const QString& graphFile) {
    const QString path = linkOptionsPath(graphFile);
    if (!QFileInfo::exists(path))
        return std::optional<LinkOptions>();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return u"Error opening options file. "_s + path;
    QByteArray line = file.readLine();
    if (file.error() != QFileDevice::NoError)
        return u"Error opening options file. "_s + path;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return std::optional(parseLinkOptions(line, QFileInfo(graphFile).path()));
}

std::optional<QString> writeLinkOptionsFile(const QString& graphFile, const LinkOptions& options) {
    const QString path = linkOptionsPath(graphFile);
    const QString error = u"Error writing options file. "_s + path;
    // Every value ends at the next "&", so a value holding one would not read back.
    for (const QString* value : {&options.excelFile, &options.workSheet, &options.rowFrom,
                                 &options.colFrom, &options.rowTo, &options.colTo}) {
        if (value->contains(u'&'))
            return error;
    }
    if (!writeAnsiFile(path, linkOptionsText(options)))
        return error;
    return std::nullopt;
}

} // namespace tivora::excel
