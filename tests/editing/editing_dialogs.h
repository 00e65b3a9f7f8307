#pragma once

#include "controls/dialogs.h"

#include <QStringList>
#include <deque>
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
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
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

} // namespace tivora::test
