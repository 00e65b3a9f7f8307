#include "document/printable_text.h"

using namespace Qt::StringLiterals;

namespace tivora {

QString printableText(QStringView text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar character : text) {
        if (character.category() != QChar::Other_Control || character == u'\t' ||
            character == u'\n') {
            shown += character;
            continue;
        }
        shown +=
            u"\\x"_s + QString::number(character.unicode(), 16).toUpper().rightJustified(2, u'0');
    }
    return shown;
}

} // namespace tivora
