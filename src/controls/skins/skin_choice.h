#pragma once

#include <QString>
#include <optional>

namespace tivora {

// Told once a new skin file has been chosen: the program keeps its skin until it starts again.
inline constexpr char16_t kSkinRestartMessage[] =
    u"Please restart the application to activate your changes !";

// "Change Skin": asks for a skin file in the open dialog, starting in startFolder. A name typed
// without an extension is taken as a ".skn" file. A file that cannot be a skin is refused with
// its reason, since the choice would otherwise only be dropped quietly at the next start. Gives
// the file chosen, or nothing when the user cancelled or the file was refused.
std::optional<QString> chooseSkinFile(const QString& startFolder);

} // namespace tivora
