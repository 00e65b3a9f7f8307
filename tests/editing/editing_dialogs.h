#pragma once

#include "controls/dialogs.h"
#include "controls/grids/string_align_grid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>

namespace tivora::test {

using namespace Qt::StringLiterals;

// Dialogs for the editing pages' tests: the colour dialog answers from a queue (an empty queue
// cancels), and every message is recorded. Installed for as long as it lives.
class EditingDialogs : public Dialogs {
public:
    EditingDialogs() { installDialogs(this); }
    ~EditingDialogs() override { installDialogs(nullptr); }

    std::deque<QColor> colours;
    QStringList messages;
    // The colour each colour dialog started with.
    QList<QColor> colourStarts;

    void showError(const QString& text, const QString&) override { messages.append(text); }
    void showMessage(const QString& text, const QString&) override { messages.append(text); }
    bool askYesNo(const QString& text) override {
        messages.append(text);
        return false;
    }
    Answer askYesNoCancel(const QString& text) override {
        messages.append(text);
        return Answer::Cancel;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QStringList openFileNames(const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QColor> chooseColor(const QColor& initial) override {
        colourStarts.append(initial);
        if (colours.empty())
            return std::nullopt;
        const QColor colour = colours.front();
        colours.pop_front();
        return colour;
    }
    QString chooseFolder(const QString&, const QString&) override { return {}; }

    QStringList takeMessages() { return std::exchange(messages, {}); }
};

// Runs trigger and closes the modal dialog it opens, after inspect has looked at it. Gives the
// dialog that opened, or nullptr when none did.
inline QWidget* closeModalOpenedBy(const std::function<void()>& trigger,
                                   const std::function<void(QWidget*)>& inspect = {}) {
    QPointer<QWidget> opened;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            opened = dialog;
            if (inspect)
                inspect(dialog);
            dialog->accept();
        }
    });
    watch.start();
    trigger();
    return opened;
}

// Double-clicks the cell (column, row) of a grid.
inline void doubleClickCell(QAbstractItemView* grid, int column, int row) {
    const QPoint centre = grid->visualRect(grid->model()->index(row, column)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
}

// The names of the controls the keyboard visits from first on, steps of them: Tab moves on, and
// Ctrl+Tab leaves a grid, whose own Tab moves from cell to cell.
inline QStringList keyboardOrder(QWidget* first, int steps) {
    first->setFocus(Qt::TabFocusReason);
    QStringList names{first->objectName()};
    for (int step = 1; step < steps; ++step) {
        QWidget* focus = QApplication::focusWidget();
        const bool grid = qobject_cast<TStringAlignGrid*>(focus) != nullptr;
        QTest::keyClick(focus, Qt::Key_Tab, grid ? Qt::ControlModifier : Qt::NoModifier);
        names.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                 : QString());
    }
    return names;
}

} // namespace tivora::test
