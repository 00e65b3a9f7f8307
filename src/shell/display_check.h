#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace tivora {

// Whether the designer has a screen to open its window on. Without one Qt would abort with a
// message about platform plugins that tells a user nothing; this gives one line that says what to
// do instead. Empty text when a display is there, or when a Qt platform was chosen explicitly
// (QT_QPA_PLATFORM), which the user then answers for.
QString missingDisplayMessage(const QProcessEnvironment& environment);

} // namespace tivora
