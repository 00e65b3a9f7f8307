#include "controls/skins/skin_sheet.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

const QString kUrlOpening = u"url("_s;

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_';
}

// A path that stays as the skin wrote it: absolute, a resource (":/x" or "qrc:/x") or any other
// scheme ("file:", "data:"), or a Windows drive.
bool isAnchoredPath(const QString& path) {
    static const QRegularExpression scheme(u"^[A-Za-z][A-Za-z0-9+.-]*:"_s);
    return path.isEmpty() || path.startsWith(u'/') || path.startsWith(u':') ||
           scheme.match(path).hasMatch();
}

QString quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(u'\\', u"\\\\"_s).replace(u'"', u"\\\""_s);
    return u'"' + escaped + u'"';
}

// Walks the sheet once: leaves out comments, keeps quoted texts whole, rewrites pictures and
// hands every rule (selectors and declarations) to its receiver.
class SheetScanner {
public:
    SheetScanner(const QString& text, const QString& folder)
        : m_text(text)
        , m_folder(folder) {}

    template <typename RuleReceiver>
    std::optional<QString> scan(QString& output, RuleReceiver&& receiveRule) {
        int depth = 0;
        QString selectors;
        QString part;
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at);
            QString piece;
            if (c == u'/' && peek(1) == u'*') {
                const qsizetype end = m_text.indexOf(u"*/"_s, m_at + 2);
                if (end < 0)
                    return u"A comment is not closed: a \"*/\" is missing."_s;
                m_at = end + 2;
                piece = u" "_s;
            } else if (c == u'"' || c == u'\'') {
                const auto text = quotedText();
                if (!text)
                    return u"A quoted text is not closed on its line."_s;
                piece = m_text.mid(text->first, text->second - text->first);
            } else if (startsUrl()) {
                const auto url = picture();
                if (!url)
                    return m_pictureRefusal.value_or(
                        u"A url(...) is not written whole: its \")\" is missing, or a path without quotes holds a quote or a line break."_s);
                piece = *url;
            } else if (c == u'{') {
                ++m_at;
                piece = c;
                if (depth++ == 0) {
                    selectors = std::exchange(part, QString());
                    output += piece;
                    continue;
                }
            } else if (c == u'}') {
                ++m_at;
                if (--depth < 0)
                    return u"A \"}\" closes no rule."_s;
                piece = c;
                if (depth == 0) {
                    receiveRule(selectors, std::exchange(part, QString()));
                    output += piece;
                    continue;
                }
            } else {
                ++m_at;
                piece = c;
            }
            part += piece;
            output += piece;
        }
        if (depth > 0)
            return u"A rule is not closed: a \"}\" is missing."_s;
        return std::nullopt;
    }

private:
    QChar peek(qsizetype ahead) const {
        return m_at + ahead < m_text.size() ? m_text.at(m_at + ahead) : QChar();
    }

    // The quoted text starting at the current quote, from quote to quote; the scan moves past it.
    std::optional<std::pair<qsizetype, qsizetype>> quotedText() {
        const qsizetype start = m_at;
        const QChar quote = m_text.at(start);
        for (qsizetype at = start + 1; at < m_text.size(); ++at) {
            const QChar c = m_text.at(at);
            if (c == u'\\') {
                ++at;
            } else if (c == u'\n') {
                return std::nullopt;
            } else if (c == quote) {
                m_at = at + 1;
                return std::pair{start, m_at};
            }
        }
        return std::nullopt;
    }

    bool startsUrl() const {
        return m_text.mid(m_at, kUrlOpening.size()).compare(kUrlOpening, Qt::CaseInsensitive) ==
                   0 &&
               (m_at == 0 || !isNameCharacter(m_text.at(m_at - 1)));
    }

    void skipSpace() {
        while (m_at < m_text.size() && m_text.at(m_at).isSpace())
            ++m_at;
    }

    // The url(...) at the scan's place, with a relative path made absolute against the folder.
    std::optional<QString> picture() {
        m_at += kUrlOpening.size();
        skipSpace();
        QString path;
        if (m_at < m_text.size() && (m_text.at(m_at) == u'"' || m_text.at(m_at) == u'\'')) {
            const auto text = quotedText();
            if (!text)
                return std::nullopt;
            static const QRegularExpression escape(u"\\\\(.)"_s);
            path = m_text.mid(text->first + 1, text->second - text->first - 2)
                       .replace(escape, u"\\1"_s);
            skipSpace();
            if (m_at >= m_text.size() || m_text.at(m_at) != u')')
                return std::nullopt;
        } else {
            const qsizetype end = m_text.indexOf(u')', m_at);
            if (end < 0)
                return std::nullopt;
            path = m_text.mid(m_at, end - m_at).trimmed();
            // A path without quotes ends at the line, and holds none.
            static const QRegularExpression unquotable(u"[\n\"']"_s);
            if (path.contains(unquotable))
                return std::nullopt;
            m_at = end;
        }
        ++m_at;
        if (!isAnchoredPath(path))
            path = QDir::cleanPath(QDir(m_folder).absoluteFilePath(path));
        // Qt opens a picture when it first paints with it: a pipe there would stop the program
        // for good, and a folder or a device is no picture.
        if (path.startsWith(u'/') && QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
            m_pictureRefusal = u"A url(...) names %1, which is not an ordinary file (it is a "
                               "folder, pipe or device)."_s.arg(path);
            return std::nullopt;
        }
        return kUrlOpening + quoted(path) + u')';
    }

    const QString& m_text;
    const QString m_folder;
    qsizetype m_at = 0;
    // Why the last url(...) was refused although it was written whole.
    std::optional<QString> m_pictureRefusal;
};

} // namespace

std::optional<SkinSheet> SkinSheet::parse(const QByteArray& bytes, const QString& folder,
                                          QString* error) {
    const auto refuse = [error](const QString& reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    if (bytes.size() > kLargestSkinFile)
        return refuse(u"A skin file holds at most %1 KB."_s.arg(kLargestSkinFile / 1024));
    if (bytes.contains('\0'))
        return refuse(u"It holds binary data, not the text of a style sheet."_s);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return refuse(u"It is not UTF-8 text."_s);
    SkinSheet sheet;
    SheetScanner scanner(text, folder);
    const auto problem =
        scanner.scan(sheet.m_styleSheet, [&sheet](const QString& selectors, const QString& rule) {
            sheet.noteRule(selectors, rule);
        });
    if (problem)
        return refuse(*problem);
    return sheet;
}

void SkinSheet::noteRule(const QString& selectors, const QString& declarations) {
    static const QRegularExpression pictureProperty(
        u"(?:^|;)\\s*(?:image|border-image|background-image)\\s*:(?!\\s*none\\s*(?:;|$))"_s,
        QRegularExpression::CaseInsensitiveOption);
    if (!pictureProperty.match(declarations).hasMatch())
        return;
    // Only a selector that ends in the element (a pseudo-state or sub-control may follow) styles
    // the element itself rather than something inside it.
    static const QRegularExpression ownElement(u"\\[\\s*skin\\s*=\\s*[\"']?([\\w-]+)[\"']?\\s*\\]"
                                               u"(?:::?[\\w-]+(?:\\([^)]*\\))?)*\\s*$"_s);
    for (const QString& selector : selectors.split(u',')) {
        const QRegularExpressionMatch match = ownElement.match(selector);
        if (match.hasMatch())
            m_pictureElements.insert(match.captured(1));
    }
}

} // namespace tivora
