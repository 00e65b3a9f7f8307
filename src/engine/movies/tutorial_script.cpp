#include "engine/movies/tutorial_script.h"

#include "document/ansi_text.h"

namespace tivora::engine {

TutorialScript TutorialScript::parse(const QByteArray& body) {
    TutorialScript script;
    for (const QByteArray& raw : body.split('\n')) {
        const QString line = ansiToString(raw).trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'#')) {
            script.pages.push_back({line.mid(1).trimmed(), {}, {}});
        } else if (script.pages.empty()) {
            continue;
        } else if (line.startsWith(u'!')) {
            script.pages.back().tip = line.mid(1).trimmed();
        } else {
            script.pages.back().steps.append(line);
        }
    }
    return script;
}

} // namespace tivora::engine
