#include "engine/notes/note_data.h"

#include "document/ansi_text.h"
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

// The lists of one graph text, read once, handing out one note's items at a time.
class NoteLists {
public:
    NoteLists(const VariableText& variables, int count)
        : m_text(variables)
        , m_count(count) {}

    QByteArray item(QByteArrayView key, int note) {
        auto found = m_lists.find(key.toByteArray());
        if (found == m_lists.end())
            found = m_lists.emplace(key.toByteArray(), m_text.list(key, m_count)).first;
        return found->second[std::size_t(note)];
    }
    double number(QByteArrayView key, int note, double fallback, double min, double max) {
        return std::clamp(GraphText::parseNumber(item(key, note)).value_or(fallback), min, max);
    }
    QColor color(QByteArrayView key, int note, const QColor& fallback) {
        const QByteArray text = item(key, note);
        return text.trimmed().isEmpty() ? fallback : colorFromText(text, fallback);
    }
    bool yes(QByteArrayView key, int note) {
        return item(key, note).trimmed().compare("yes", Qt::CaseInsensitive) == 0;
    }
    QString string(QByteArrayView key, int note) { return ansiToString(item(key, note)); }

private:
    GraphText m_text;
    int m_count;
    std::map<QByteArray, std::vector<QByteArray>> m_lists;
};

NoteData readNote(NoteLists& lists, int i) {
    NoteData note;
    note.oval = lists.item("&nos_", i).trimmed() == "0";
    note.color = lists.color("&noc_", i, QColor(0xD4, 0x8B, 0x39));
    note.alpha = int(lists.number("&noal_", i, 70, 0, 100));
    note.flat = lists.item("&nofs_", i).trimmed() == "flat";
    note.rect = QRectF(
        lists.number("&nox_", i, 200, -2000, 2000), lists.number("&noy_", i, 150, -2000, 2000),
        lists.number("&now_", i, 150, 0, 2000), lists.number("&noh_", i, 120, 0, 2000));
    note.spot = lists.yes("&nohh_", i);
    note.linked = lists.yes("&nohl_", i);
    note.spotCentre = QPointF(lists.number("&nohx_", i, 200, -2000, 2000),
                              lists.number("&nohy_", i, 300, -2000, 2000));
    note.spotColor = lists.color("&nohc_", i, Qt::white);
    note.spotAlpha = int(lists.number("&noht_", i, 80, 0, 100));
    note.heading = NoteData::splitLines(lists.string("&nohd_", i));
    note.headingColor = lists.color("&nhdc_", i, Qt::white);
    note.headingSize = int(lists.number("&nohf_", i, 15, 4, 80));
    note.headingY = lists.number("&nhdy_", i, 20, -2000, 2000);
    note.body = NoteData::splitLines(lists.string("&nobd_", i));
    note.bodyColor = lists.color("&nobc_", i, QColor(0xAA, 0xAA, 0xAA));
    note.bodySize = int(lists.number("&nobf_", i, 12, 4, 80));
    note.bodyY = lists.number("&nbdy_", i, 50, -2000, 2000);
    note.url = lists.string("&nurl_", i).trimmed();
    note.shadow = lists.yes("&nsh_", i);
    note.shadowOffset =
        QPointF(lists.number("&nshx_", i, 15, -500, 500), lists.number("&nshy_", i, 15, -500, 500));
    note.shadowAlpha = int(lists.number("&nsha_", i, 30, 0, 100));
    return note;
}

} // namespace

std::vector<NoteData> NoteData::readAll(const VariableText& text) {
    const int count = int(GraphText(text).number("&no_", 0, 0, kMostNotes));
    std::vector<NoteData> notes;
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
