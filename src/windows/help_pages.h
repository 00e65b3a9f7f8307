#pragma once

#include <QString>

class QWidget;

namespace tivora {

// The user guide: help/Index.htm beside the Data folder, shown in the program's own help window.
class HelpPages {
public:
    static QString indexPath();
    // Shows the guide in owner's help window (made on first use and kept); says so when the guide
    // is missing.
    static void open(QWidget& owner);
};

} // namespace tivora
