// The Qt save dialog: the file type chosen in its list gives its extension to a bare name, and
// it opens in the folder it is given.
#include "controls/qt_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tivora;
using namespace Qt::StringLiterals;

class TestQtDialogs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theChosenFileTypeGivesItsExtension() {
        QTemporaryDir folder;
        QtDialogs dialogs;
        const QString filter = u"Bitmap (*.bmp);;PNG picture (*.png)"_s;
        const auto answer = [&](const QString& type) {
            QTimer::singleShot(0, qApp, [&folder, type] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->setDirectory(folder.path());
                // Chosen as a user chooses it: from the list, by keyboard.
                auto* types = dialog->findChild<QComboBox*>(u"fileTypeCombo"_s);
                QVERIFY(types);
                while (!type.isEmpty() && types->currentText() != type)
                    QTest::keyClick(types, Qt::Key_Down);
                dialog->selectFile(u"still"_s);
                QMetaObject::invokeMethod(dialog, "accept");
            });
            return dialogs.saveFileName(u"Export"_s, filter, u"bmp"_s);
        };
        QCOMPARE(answer(QString()), folder.filePath(u"still.bmp"_s));
        QCOMPARE(answer(u"PNG picture (*.png)"_s), folder.filePath(u"still.png"_s));
    }

    void theSaveDialogOpensInTheFolderGiven() {
        QTemporaryDir folder;
        QString shown;
        QTimer::singleShot(0, qApp, [&shown] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = dialog->directory().absolutePath();
            QMetaObject::invokeMethod(dialog, "reject");
        });
        QCOMPARE(QtDialogs().saveFileName(u"Save As"_s, u"Tivora files (*.TVX)"_s, u"TVX"_s,
                                          folder.path()),
                 QString());
        QCOMPARE(shown, QDir(folder.path()).absolutePath());
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
