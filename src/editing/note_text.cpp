#include "editing/note_text.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

const QString kSeparator = u"\\r"_s;

} // namespace

QString toNoteText(const QString& memoText) {
    if (memoText.isEmpty())
        return {};
    QString text;
    for (const QString& line : memoText.split(u'\n'))
        text += line + kSeparator;
    return text;
}

QString fromNoteText(const QString& noteText) {
    QStringList lines = noteText.split(kSeparator);
    // A text ending in the separator leaves an empty piece behind it, which is no line.
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines.join(u'\n');
}

} // namespace tivora
