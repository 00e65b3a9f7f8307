#include "controls/dialogs.h"

#include "controls/qt_dialogs.h"

namespace tivora {

namespace {

Dialogs*& installed() {
    static Dialogs* dialogs = nullptr;
    return dialogs;
}

} // namespace

Dialogs& appDialogs() {
    static QtDialogs qtDialogs;
    Dialogs* dialogs = installed();
    return dialogs ? *dialogs : qtDialogs;
}

void installDialogs(Dialogs* dialogs) {
    installed() = dialogs;
}

} // namespace tivora
