#pragma once

#include <QString>

// The file choices of the effects pages. Both open in the program's Data folder, where the
// pictures and effects that come with the program lie, and match their extension in any letter
// case, as files copied from other systems often carry it in capitals.
namespace tivora {

// A background or pie picture: its full path, or empty when cancelled.
QString choosePictureFile();
// An effect: its file name alone, extension included (the engine finds it in its Data folder),
// or empty when cancelled.
QString chooseEffectFile();

} // namespace tivora
