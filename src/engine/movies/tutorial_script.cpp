#include "engine/movies/tutorial_script.h"

#include "document/ansi_text.h"

namespace tivora::engine {
namespace {

// The bytes that are blanks at a line's ends in Windows-1252 text (0xA0 is the no-break space).
bool isBlank(char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r') || byte == '\xA0';
}

// The line at position without its line end, no longer than a stage could show, and where the
// next line starts.
QString lineAt(const QByteArray& body, qsizetype position, qsizetype& next) {
    qsizetype end = body.indexOf('\n', position);
    if (end < 0)
        end = body.size();
    next = end + 1;
    const qsizetype length = std::min(end - position, TutorialScript::kLongestLine);
    return ansiToString(QByteArrayView(body).sliced(position, length)).trimmed();
}

} // namespace

TutorialScript TutorialScript::parse(const QByteArray& body) {
    TutorialScript script;
    script.m_body = body;
    for (qsizetype position = 0; position < body.size();) {
        // A title is the first thing on its line but for blanks; found without making a string.
        qsizetype first = position;
        while (first < body.size() && isBlank(body[first]) && body[first] != '\n')
            ++first;
        if (first < body.size() && body[first] == '#')
            script.m_pageStarts.push_back(position);
        const qsizetype end = body.indexOf('\n', first);
        position = end < 0 ? body.size() : end + 1;
    }
    return script;
}

TutorialPage TutorialScript::page(std::size_t index) const {
    const qsizetype start = m_pageStarts[index];
    const qsizetype stop =
        index + 1 < m_pageStarts.size() ? m_pageStarts[index + 1] : m_body.size();
    qsizetype position = start;
    TutorialPage page;
    page.title = lineAt(m_body, position, position).mid(1).trimmed();
    while (position < stop) {
        const QString line = lineAt(m_body, position, position);
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'!'))
            page.tip = line.mid(1).trimmed();
        else if (page.steps.size() < kMostSteps)
            page.steps.append(line);
    }
    return page;
}

} // namespace tivora::engine
