#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace tivora {

// What the main window shows while no graph is open: a line that says how to begin, buttons for
// the "&New" and "&Open" commands (enabled as the commands are), and the recent files as links.
class StartScreen : public QWidget {
    Q_OBJECT

public:
    StartScreen(QAction* newCommand, QAction* openCommand, QWidget* parent = nullptr);

    QPushButton* btnNewGraph;
    QPushButton* btnOpen;

    // Shows a link for every path that is not blank, in order; index is the path's place in the
    // list.
    void showRecentFiles(const QStringList& paths);
    // The recent-file links shown, in order.
    QList<QPushButton*> recentLinks() const { return m_recentLinks; }

Q_SIGNALS:
    void recentChosen(int index);

private:
    QLabel* m_recentTitle;
    QVBoxLayout* m_recentLayout;
    QList<QPushButton*> m_recentLinks;
};

} // namespace tivora
