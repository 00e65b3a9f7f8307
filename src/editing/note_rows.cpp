#include "editing/note_rows.h"

#include "document/grid_layouts.h"
#include "document/number_text.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

int appendRow(NotesFields& notes) {
    const int row = noteCount(notes) + 1;
    setNoteCount(notes, row);
    if (notes.sgrdNotes.columnCount() < kNoteColumnCount)
        notes.sgrdNotes.setColumnCount(kNoteColumnCount);
    return row;
}

} // namespace

int noteCount(const NotesFields& notes) {
    return std::max(parseWholeNumber(notes.edtNotes).value_or(0), 0);
}

void setNoteCount(NotesFields& notes, int count) {
    notes.edtNotes = QString::number(count);
    setNoteRowCount(notes.sgrdNotes, count);
}

QString newNoteCell(int column) {
    // A new note differs from the rows the reader prepares in its body text and in where its
    // header and body sit.
    switch (column) {
    case NoteText:
        return u"General Info"_s;
    case NoteHeadY:
        return u"40"_s;
    case NoteBodyY:
        return u"60"_s;
    default:
        return defaultNoteCell(column, 0);
    }
}

int addNote(NotesFields& notes, int shape) {
    const int row = appendRow(notes);
    notes.sgrdNotes.setCell(NoteShape, row, QString::number(shape));
    for (int column = NoteColour; column < kNoteColumnCount; ++column)
        notes.sgrdNotes.setCell(column, row, newNoteCell(column));
    return row;
}

int duplicateNote(NotesFields& notes, int row, int shape) {
    const int copy = appendRow(notes);
    notes.sgrdNotes.setCell(NoteShape, copy, QString::number(shape));
    for (int column = NoteColour; column < kNoteColumnCount; ++column)
        notes.sgrdNotes.setCell(column, copy, notes.sgrdNotes.cell(column, row));
    return copy;
}

int deleteNote(NotesFields& notes, int row) {
    notes.sgrdNotes.deleteRow(row);
    const int count = std::max(noteCount(notes) - 1, 0);
    setNoteCount(notes, count);
    return count;
}

} // namespace tivora
