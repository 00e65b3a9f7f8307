#pragma once

#include "controls/movie_player.h"
#include "shell/file_commands.h"
#include "shell/preview_panel.h"
#include "shell/tfrm_lumara.h"
#include "shell_environment.h"

#include <QTest>

namespace tivora::test {

// The main window, shown and active, with a bar graph opened from the test folder, as a user
// sees it after opening one.
struct OpenDesigner {
    OpenDesigner() {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        path = environment.writeGraph(u"sales.TVX"_s, ShellEnvironment::seriesGraph(3, 12));
        environment.dialogs.fileNames.push_back(path);
        window.fileCommands().Open1Click();
        environment.dialogs.take();
        // The layout follows the shown pages once the window gets to its events.
        QCoreApplication::processEvents();
    }
    const MoviePlayer& player() const { return *window.Panel9->ShockwaveFlash1; }

    ShellEnvironment environment;
    TfrmLumara window;
    QString path;
};

} // namespace tivora::test
