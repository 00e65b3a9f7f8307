#include "controls/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// What a message box showed, read while it was open.
struct ShownBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QString detail;
    int width = 0;
    int titleWidth = 0;
};

// Runs open, which shows a message box; reads the box and closes it with answer.
ShownBox readBox(const std::function<void()>& open, QMessageBox::StandardButton answer) {
    ShownBox shown;
    QTimer::singleShot(0, [&shown, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown = {box->icon(),
                 box->windowTitle(),
                 box->text(),
                 box->informativeText(),
                 box->sizeHint().width(),
                 box->fontMetrics().horizontalAdvance(box->windowTitle())};
        box->button(answer)->click();
    });
    open();
    return shown;
}

} // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void errorBoxShowsTextDetailAndErrorIcon() {
        QtDialogs dialogs;
        const ShownBox shown = readBox(
            [&] {
                dialogs.showError(u"File I/O error."_s, u"/graphs/sales.TVX: Permission denied"_s);
            },
            QMessageBox::Ok);
        QCOMPARE(shown.icon, QMessageBox::Critical);
        QCOMPARE(shown.title, u"Tivora Designer"_s);
        QCOMPARE(shown.text, u"File I/O error."_s);
        QCOMPARE(shown.detail, u"/graphs/sales.TVX: Permission denied"_s);

        // Wide enough for the whole title beside the frame's buttons, however short the text.
        const ShownBox brief =
            readBox([&] { dialogs.showMessage(u"OK"_s, QString()); }, QMessageBox::Ok);
        QCOMPARE(brief.icon, QMessageBox::Information);
        QVERIFY2(brief.width > brief.titleWidth + 100,
                 qPrintable(u"%1 for %2"_s.arg(brief.width).arg(brief.titleWidth)));
    }

    void questionsAnswerAsClicked() {
        QtDialogs dialogs;
        Dialogs::Answer answer = Dialogs::Answer::Yes;
        const ShownBox shown = readBox(
            [&] { answer = dialogs.askYesNoCancel(u"Save the changes?"_s); }, QMessageBox::No);
        QCOMPARE(shown.icon, QMessageBox::Question);
        QCOMPARE(answer, Dialogs::Answer::No);
        bool yes = true;
        readBox([&] { yes = dialogs.askYesNo(u"Overwrite?"_s); }, QMessageBox::No);
        QVERIFY(!yes);
    }

    // The filters show one plain pattern; the dialog still lists files of any letter case.
    void openDialogListsAnyCaseOfTheFilterPattern() {
        QTemporaryDir folder;
        for (const QString& name :
             {u"upper.TVX"_s, u"lower.tvx"_s, u"mixed.Tvx"_s, u"other.txt"_s}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList listed;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* model = dialog->findChild<QFileSystemModel*>();
            const QModelIndex root = model->index(folder.path());
            QVERIFY(QTest::qWaitFor([&] { return model->rowCount(root) > 0; }));
            for (int row = 0; row < model->rowCount(root); ++row)
                listed << model->index(row, 0, root).data().toString();
            dialog->reject();
        });
        QtDialogs dialogs;
        dialogs.openFileName(u"Open File"_s, u"Tivora files (*.TVX)"_s, folder.path());
        listed.sort();
        QCOMPARE(listed, (QStringList{u"lower.tvx"_s, u"mixed.Tvx"_s, u"upper.TVX"_s}));
    }
};

} // namespace tivora

QTEST_MAIN(tivora::QtDialogsTest)
#include "tst_qt_dialogs.moc"
