#pragma once

#include "controls/dialogs.h"

namespace tivora {

// The Dialogs of the running program: Qt's message boxes and dialogs, parented to the active
// window so that they stay in front of it.
class QtDialogs : public Dialogs {
public:
    void showError(const QString& text, const QString& detail) override;
    void showMessage(const QString& text, const QString& detail) override;
    bool askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;
    QString openFileName(const QString& title, const QString& filter,
                         const QString& startFolder) override;
    QStringList openFileNames(const QString& title, const QString& filter,
                              const QString& startFolder) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                         const QString& startFolder = QString()) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
};

} // namespace tivora
