#pragma once

#include <QString>

namespace tivora {

// The user guide: help/Index.htm beside the Data folder, opened in the user's web browser.
class HelpPages {
public:
    static QString indexPath();
    // Asks the desktop to open the guide; says so when it could not.
    static void open();
};

} // namespace tivora
