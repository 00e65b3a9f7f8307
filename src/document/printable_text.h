#pragma once

#include <QString>

namespace tivora {

// Text from a file as a message may show it: every control character but Tab and line break
// becomes a visible escape ("\x1B" for ESC), so that a file's bytes cannot ring the terminal's
// bell, move its cursor or change its colours when the message is printed, nor hide in a box.
QString printableText(QStringView text);

} // namespace tivora
