#pragma once

#include "document/graph_document.h"

// Adding, copying and removing notes in the notes grid, keeping the note count in edtNotes and
// the grid's rows in step with each other.
namespace tivora {

// The note count held in edtNotes; 0 when it is empty or not a whole number.
int noteCount(const NotesFields& notes);
// Sets the count and gives the grid count + 1 rows (never fewer than two).
void setNoteCount(NotesFields& notes, int count);

// The value "Add Note" gives column of a new note (columns 2 to 27).
QString newNoteCell(int column);
// Appends a note of shape (0 oval, 1 rectangle) holding the new note values; gives its row.
int addNote(NotesFields& notes, int shape);
// Appends a copy of note row with shape in place of its own; gives the copy's row.
int duplicateNote(NotesFields& notes, int row, int shape);
// Removes note row, the rows below moving up; the grid keeps its last note row. Gives the new
// count.
int deleteNote(NotesFields& notes, int row);

} // namespace tivora
