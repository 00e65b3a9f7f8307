#include "controls/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString boxTitle() {
    return u"Tivora Designer"_s;
}

QString withDetail(const QString& text, const QString& detail) {
    return detail.isEmpty() ? text : text + u'\n' + detail;
}

// The extension of a filter entry's first pattern: "png" of "PNG picture (*.png)".
QString suffixOfFilter(const QString& filter) {
    static const QRegularExpression pattern(u"\\*\\.(\\w+)"_s);
    return pattern.match(filter).captured(1);
}

} // namespace

void QtDialogs::showError(const QString& text, const QString& detail) {
    QMessageBox::critical(dialogParent(), boxTitle(), withDetail(text, detail), QMessageBox::Ok);
}

void QtDialogs::showMessage(const QString& text, const QString& detail) {
    QMessageBox::information(dialogParent(), boxTitle(), withDetail(text, detail), QMessageBox::Ok);
}

bool QtDialogs::askYesNo(const QString& text) {
    return QMessageBox::question(dialogParent(), boxTitle(), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Dialogs::Answer QtDialogs::askYesNoCancel(const QString& text) {
    switch (QMessageBox::question(dialogParent(), boxTitle(), text,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtDialogs::openFileName(const QString& title, const QString& filter,
                                const QString& startFolder) {
    return QFileDialog::getOpenFileName(dialogParent(), title, startFolder, filter);
}

QStringList QtDialogs::openFileNames(const QString& title, const QString& filter,
                                     const QString& startFolder) {
    return QFileDialog::getOpenFileNames(dialogParent(), title, startFolder, filter);
}

QString QtDialogs::saveFileName(const QString& title, const QString& filter,
                                const QString& defaultSuffix) {
    QFileDialog dialog(dialogParent(), title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // A name typed without an extension takes the one of the file type chosen in the list.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        if (const QString suffix = suffixOfFilter(f); !suffix.isEmpty())
            dialog.setDefaultSuffix(suffix);
    });
    // The overwrite question is the caller's, worded as the program words it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> QtDialogs::chooseColor(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, dialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

QString QtDialogs::chooseFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(dialogParent(), title, startFolder);
}

} // namespace tivora
