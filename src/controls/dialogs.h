#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace tivora {

// Every modal exchange with the user: message boxes, questions and the file, colour and folder
// dialogs. Windows never open one themselves; they ask the installed Dialogs, so that a test can
// answer from a script and read back every message shown.
class Dialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;

    // An error box with an OK button ("File I/O error."). detail, when given, is a second line
    // naming the file and the reason.
    virtual void showError(const QString& text, const QString& detail = QString()) = 0;
    // A plain message box ("Error loading details from file"), with an optional second line.
    virtual void showMessage(const QString& text, const QString& detail = QString()) = 0;
    // A confirmation box with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    // A confirmation box with Yes, No and Cancel.
    virtual Answer askYesNoCancel(const QString& text) = 0;

    // The dialogs give an empty result (or nothing) when the user cancels. filter is a Qt name
    // filter ("Tivora files (*.TVX)"); startFolder, when given, is the folder the dialog opens in.
    virtual QString openFileName(const QString& title, const QString& filter,
                                 const QString& startFolder = QString()) = 0;
    virtual QStringList openFileNames(const QString& title, const QString& filter,
                                      const QString& startFolder = QString()) = 0;
    virtual QString saveFileName(const QString& title, const QString& filter,
                                 const QString& defaultSuffix,
                                 const QString& startFolder = QString()) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
};

// The Dialogs every window uses: the Qt dialogs unless another was installed.
Dialogs& appDialogs();
// Installs dialogs (owned by the caller) for every window; nullptr goes back to the Qt dialogs.
void installDialogs(Dialogs* dialogs);

} // namespace tivora
