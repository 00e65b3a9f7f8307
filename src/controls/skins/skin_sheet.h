#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <optional>

namespace tivora {

// The text of a skin file (".skn"): a UTF-8 Qt style sheet whose rules name skin elements with
// the attribute selector [skin="Name"]. Reading it checks what Qt's own parser would pass over
// silently (it drops a whole sheet with unbalanced braces, quotes or comments with only a
// warning), and makes the sheet independent of the current folder: a relative url(...) names a
// picture beside the skin file and is rewritten to that picture's absolute path.
class SkinSheet {
public:
    // A skin file larger than this is refused: no skin comes near it, and the sheet is parsed
    // again for every widget the skin styles.
    static constexpr qint64 kLargestSkinFile = qint64{1024} * 1024;

    // The sheet in bytes, read from a skin file kept in folder; nothing, with the reason in error,
    // when the bytes are no style sheet.
    static std::optional<SkinSheet> parse(const QByteArray& bytes, const QString& folder,
                                          QString* error);

    // The style sheet as Qt is to be given it: comments left out, relative pictures made
    // absolute.
    const QString& styleSheet() const { return m_styleSheet; }
    // The elements for which the skin draws a picture of its own (an image, border-image or
    // background-image on a rule that names the element itself); the program's own picture of
    // such an element stays out of the way.
    const QSet<QString>& pictureElements() const { return m_pictureElements; }

private:
    void noteRule(const QString& selectors, const QString& declarations);

    QString m_styleSheet;
    QSet<QString> m_pictureElements;
};

} // namespace tivora
