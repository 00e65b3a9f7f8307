// tivora-designer: the graph designer's main window. A graph file named on the command line is
// opened as the "&Open" command opens it.
#include "controls/splash.h"
#include "shell/display_check.h"
#include "shell/file_commands.h"
#include "shell/tfrm_lumara.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    // Checked before Qt starts: without a display, QApplication would abort the program.
    const QString noDisplay =
        tivora::missingDisplayMessage(QProcessEnvironment::systemEnvironment());
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        return 1;
    }
    QApplication application(argc, argv);
    // The names place the per-user settings and the per-user data folder.
    QApplication::setOrganizationName(u"Orvanta"_s);
    QApplication::setApplicationName(u"Tivora"_s);
    // Shown until the main window is; the main window ends it when it is first shown.
    tivora::showSplash();

    tivora::TfrmLumara frmLumara;
    frmLumara.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        frmLumara.fileCommands().openStartupFile(arguments.at(1));
    return QApplication::exec();
}
