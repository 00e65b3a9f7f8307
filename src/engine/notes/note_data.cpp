#include "engine/notes/note_data.h"

#include "document/ansi_text.h"
#include "document/graph_keys.h"
#include "document/variable_text.h"
#include "engine/layout/graph_style.h"
#include "engine/layout/graph_text.h"

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

// Notes have no upper count in the designer; this only guards against a damaged count.
constexpr int kMostNotes = 500;

// The lists of one graph text, read once, handing out one note's items at a time. An item that is
// missing or does not convert reads as the column's default, the value a new note starts with.
class NoteLists {
public:
    NoteLists(const VariableText& variables, int count)
        : m_text(variables)
        , m_count(count) {}

    QByteArray item(NoteColumn column, int note) {
        auto found = m_lists.find(column);
        if (found == m_lists.end())
            found = m_lists.emplace(column, m_text.list(keys::noteListKey(column), m_count)).first;
        return found->second[std::size_t(note)];
    }
    double number(NoteColumn column, int note, double min, double max) {
        const double fallback =
            GraphText::parseNumber(noteColumnDefault(column).toLatin1()).value_or(0);
        return std::clamp(GraphText::parseNumber(item(column, note)).value_or(fallback), min, max);
    }
    QColor color(NoteColumn column, int note) {
        const QColor fallback = colorFromText(noteColumnDefault(column).toLatin1(), Qt::white);
        const QByteArray text = item(column, note);
        return text.trimmed().isEmpty() ? fallback : colorFromText(text, fallback);
    }
    bool yes(NoteColumn column, int note) {
        return item(column, note).trimmed().compare("yes", Qt::CaseInsensitive) == 0;
    }
    QString string(NoteColumn column, int note) { return ansiToString(item(column, note)); }

private:
    GraphText m_text;
    int m_count;
    std::map<NoteColumn, std::vector<QByteArray>> m_lists;
};

NoteData readNote(NoteLists& lists, int i) {
    NoteData note;
    note.oval = lists.item(NoteShape, i).trimmed() == "0";
    note.color = lists.color(NoteColour, i);
    note.alpha = int(lists.number(NoteAlpha, i, 0, 100));
    note.flat = lists.item(NoteStyle, i).trimmed() == "flat";
    note.rect =
        QRectF(lists.number(NoteXOffset, i, -2000, 2000), lists.number(NoteYOffset, i, -2000, 2000),
               lists.number(NoteWidth, i, 0, 2000), lists.number(NoteHeight, i, 0, 2000));
    note.spot = lists.yes(NoteHighlight, i);
    note.linked = lists.yes(NoteLink, i);
    note.spotCentre =
        QPointF(lists.number(NoteHighX, i, -2000, 2000), lists.number(NoteHighY, i, -2000, 2000));
    note.spotColor = lists.color(NoteHighColour, i);
    note.spotAlpha = int(lists.number(NoteHighAlpha, i, 0, 100));
    note.heading = NoteData::splitLines(lists.string(NoteHeading, i));
    note.headingColor = lists.color(NoteHeadColour, i);
    note.headingSize = int(lists.number(NoteHeadSize, i, 4, 80));
    note.headingY = lists.number(NoteHeadY, i, -2000, 2000);
    note.body = NoteData::splitLines(lists.string(NoteText, i));
    note.bodyColor = lists.color(NoteTextColour, i);
    note.bodySize = int(lists.number(NoteTextSize, i, 4, 80));
    note.bodyY = lists.number(NoteBodyY, i, -2000, 2000);
    note.url = lists.string(NoteUrl, i).trimmed();
    note.shadow = lists.yes(NoteShadow, i);
    note.shadowOffset =
        QPointF(lists.number(NoteShadowX, i, -500, 500), lists.number(NoteShadowY, i, -500, 500));
    note.shadowAlpha = int(lists.number(NoteShadowAlpha, i, 0, 100));
    return note;
}

} // namespace

std::vector<NoteData> NoteData::readAll(const VariableText& text) {
    const int count = int(GraphText(text).number(keys::kNoteCount, 0, 0, kMostNotes));
    std::vector<NoteData> notes;
    notes.reserve(std::size_t(count));
    NoteLists lists(text, count);
    for (int i = 0; i < count; ++i)
        notes.push_back(readNote(lists, i));
    return notes;
}

QStringList NoteData::splitLines(const QString& noteText) {
    QStringList lines = noteText.split(u"\\r"_s);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace tivora::engine
