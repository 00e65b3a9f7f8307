// tivora-player: plays one movie (a graph engine movie, a published graph, a tutorial...) in a
// small window, the way the designer's own players show them.
#include "controls/movie_player.h"
#include "document/regular_file.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QMainWindow>
#include <QShortcut>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr auto kUsage = "usage: tivora-player MOVIE\n"
                        "  Space plays or stops, F5 starts the movie again, Ctrl+Q closes.\n";

int fail(const QString& message) {
    std::fprintf(stderr, "tivora-player: %s\n", qPrintable(message));
    return 1;
}

void addShortcut(QMainWindow& window, const QKeySequence& keys, const std::function<void()>& run) {
    QObject::connect(new QShortcut(keys, &window), &QShortcut::activated, &window, run);
}

} // namespace

int main(int argc, char* argv[]) {
    // The movie is checked before any window system is needed, so a wrong path says so plainly.
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const QFileInfo file(QString::fromLocal8Bit(argv[1]));
    // A pipe, device or folder is refused here: reading one could wait for ever.
    if (const auto reason = tivora::checkInputFile(file.filePath()))
        return fail(*reason);

    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(u"%1 - Tivora Player"_s.arg(file.fileName()));
    auto* player = new tivora::MoviePlayer(&window);
    window.setCentralWidget(player);
    window.resize(700, 475);
    const QString path = file.absoluteFilePath();
    addShortcut(window, Qt::Key_Space, [player] {
        if (player->isPlaying())
            player->Stop();
        else
            player->Play();
    });
    addShortcut(window, Qt::Key_F5, [player, path] { player->setMovie(path); });
    addShortcut(window, QKeySequence::Quit, [&window] { window.close(); });
    player->setMovie(path);
    window.show();
    return app.exec();
}
