#pragma once

#include <QString>

// The form a note's header and body take in the notes grid: every line followed by the two
// characters backslash and "r".
namespace tivora {

// The lines of memoText (separated by line breaks), each followed by "\r"; empty for an empty
// memo.
QString toNoteText(const QString& memoText);
// The memo text of a stored note text: cut at every "\r", a final piece that is not empty being
// the last line as well.
QString fromNoteText(const QString& noteText);

} // namespace tivora
