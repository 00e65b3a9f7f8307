// The yardstick of the start-up bench: the least a Qt Widgets program does to show a window of the
// designer's size, a label in it.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Tivora"));
    label.setWindowTitle(QStringLiteral("Bare window"));
    label.resize(716, 480);
    label.show();
    return QApplication::exec();
}
