#pragma once

#include "controls/dialogs.h"

#include <QStringList>
#include <deque>
#include <utility>

namespace tivora::test {

using namespace Qt::StringLiterals;

// Dialogs that answer from a script and record every text shown, installed for as long as it
// lives. A dialog the script has no answer for is recorded as "unanswered" and cancelled.
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() { installDialogs(this); }
    ~ScriptedDialogs() override { installDialogs(nullptr); }

    // "error: ...", "message: ...", "question: ...", "open: <title> <filter>",
    // "save: <title> <filter> <suffix>", "unanswered: ...", in order.
    QStringList shown;
    std::deque<bool> yesNoAnswers;
    std::deque<Answer> yesNoCancelAnswers;
    std::deque<QString> fileNames;
    // The second lines of error and message boxes that had one, in order.
    QStringList details;
    // The start folder of every open and save dialog, in order.
    QStringList startFolders;

    void showError(const QString& text, const QString& detail) override {
        shown.append(u"error: "_s + text);
        recordDetail(detail);
    }
    void showMessage(const QString& text, const QString& detail) override {
        shown.append(u"message: "_s + text);
        recordDetail(detail);
    }
    bool askYesNo(const QString& text) override {
        shown.append(u"question: "_s + text);
        return next(yesNoAnswers, false);
    }
    Answer askYesNoCancel(const QString& text) override {
        shown.append(u"question: "_s + text);
        return next(yesNoCancelAnswers, Answer::Cancel);
    }
    QString openFileName(const QString& title, const QString& filter,
                         const QString& startFolder) override {
        shown.append(u"open: "_s + title + u' ' + filter);
        startFolders.append(startFolder);
        return next(fileNames, QString());
    }
    QStringList openFileNames(const QString& title, const QString& filter,
                              const QString& startFolder) override {
        shown.append(u"open: "_s + title + u' ' + filter);
        startFolders.append(startFolder);
        const QString name = next(fileNames, QString());
        return name.isEmpty() ? QStringList() : QStringList{name};
    }
    QString saveFileName(const QString& title, const QString& filter, const QString& suffix,
                         const QString& startFolder) override {
        shown.append(u"save: "_s + title + u' ' + filter + u' ' + suffix);
        startFolders.append(startFolder);
        return next(fileNames, QString());
    }
    std::optional<QColor> chooseColor(const QColor&) override {
        shown.append(u"unanswered: colour"_s);
        return std::nullopt;
    }
    QString chooseFolder(const QString& title, const QString&) override {
        shown.append(u"folder: "_s + title);
        return next(fileNames, QString());
    }

    // The texts shown since the last call, and forgets them.
    QStringList take() { return std::exchange(shown, {}); }

private:
    void recordDetail(const QString& detail) {
        if (!detail.isEmpty())
            details.append(detail);
    }

    template <typename T> T next(std::deque<T>& answers, T cancelled) {
        if (answers.empty()) {
            shown.append(u"unanswered: "_s + shown.takeLast());
            return cancelled;
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace tivora::test
