#include "excel/link_options_file.h"

#include "document/ansi_text.h"
#include "document/regular_file.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::excel {

namespace {

// The message names the file on its first line and says why on the second.
QString failure(const char* message, const QString& path, const QString& reason) {
    return QString::fromLatin1(message) + path + u'\n' + reason;
}

} // namespace

std::variant<std::optional<LinkOptions>, QString> readLinkOptionsFile(const QString& graphFile) {
    const QString path = linkOptionsPath(graphFile);
    if (!QFileInfo::exists(path))
        return std::optional<LinkOptions>();
    // Read whole and only as an ordinary file: a pipe or a device in the file's place would
    // otherwise keep the reader waiting, or feed it without end.
    QByteArray bytes;
    if (const auto refusal = readInputFile(path, bytes))
        return failure(kOpenFailure, path, *refusal);
    const qsizetype lineEnd = bytes.indexOf('\n');
    QByteArrayView line(bytes.constData(), lineEnd < 0 ? bytes.size() : lineEnd);
    while (line.endsWith('\r'))
        line.chop(1);
    return std::optional(parseLinkOptions(line, QFileInfo(graphFile).path()));
}

std::optional<QString> writeLinkOptionsFile(const QString& graphFile, const LinkOptions& options) {
    const QString path = linkOptionsPath(graphFile);
    // Every value ends at the next "&", so a value holding one would not read back.
    for (const QString* value : {&options.excelFile, &options.workSheet, &options.rowFrom,
                                 &options.colFrom, &options.rowTo, &options.colTo}) {
        if (value->contains(u'&'))
            return failure(kWriteFailure, path,
                           u"A value holds an \"&\", which the file cannot carry."_s);
    }
    // The writer refuses a folder, device or pipe in the file's place, and names the reason.
    if (const auto reason = saveAnsiFile(path, linkOptionsText(options)))
        return failure(kWriteFailure, path, *reason);
    return std::nullopt;
}

} // namespace tivora::excel
