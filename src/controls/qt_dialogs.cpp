#include "controls/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

QWidget* dialogParent() {
    return QApplication::activeWindow();
}

QString boxTitle() {
    return u"Tivora Designer"_s;
}

// A message box with the program's title, the text in its own words and, when there is one, a
// second line that names the file and the reason. The box is kept wide enough for its whole
// title, which window managers would otherwise cut short.
QMessageBox::StandardButton showBox(QMessageBox::Icon icon, const QString& text,
                                    const QString& detail, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, boxTitle(), text, buttons, dialogParent());
    box.setInformativeText(detail);
    box.setDefaultButton(defaultButton);
    // Room for the title and the frame's buttons beside it, and for a path on one line where
    // the screen allows.
    constexpr int kFrameButtons = 160;
    constexpr int kWidestDetail = 640;
    const QFontMetrics metrics = box.fontMetrics();
    const int width = std::max(metrics.horizontalAdvance(boxTitle()) + kFrameButtons,
                               std::min(metrics.horizontalAdvance(detail) + 80, kWidestDetail));
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return QMessageBox::StandardButton(box.exec());
}

// The extension of a filter entry's first pattern: "png" of "PNG picture (*.png)".
QString suffixOfFilter(const QString& filter) {
    static const QRegularExpression pattern(u"\\*\\.(\\w+)"_s);
    return pattern.match(filter).captured(1);
}

} // namespace

void QtDialogs::showError(const QString& text, const QString& detail) {
    showBox(QMessageBox::Critical, text, detail, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::showMessage(const QString& text, const QString& detail) {
    showBox(QMessageBox::Information, text, detail, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogs::askYesNo(const QString& text) {
    return showBox(QMessageBox::Question, text, QString(), QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::Yes) == QMessageBox::Yes;
}

Dialogs::Answer QtDialogs::askYesNoCancel(const QString& text) {
    switch (showBox(QMessageBox::Question, text, QString(),
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
                                const QString& defaultSuffix, const QString& startFolder) {
    QFileDialog dialog(dialogParent(), title, startFolder, filter);
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
