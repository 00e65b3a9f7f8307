// The encoder library, opened on the first export: found beside the program, giving an encoder
// for each picture sequence format, and a clear reason when it is missing or broken.
#include "export/frames/encoder_library.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivora::exporting;

class EncoderLibraryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theProgramsLibraryMakesEveryPictureSequenceEncoder() {
        for (const AnimationFormat format : {AnimationFormat::Gif, AnimationFormat::WebP,
                                             AnimationFormat::Mp4, AnimationFormat::WebM}) {
            QString error;
            QVERIFY2(createFrameEncoder(format, error), qPrintable(error));
            QVERIFY(error.isEmpty());
        }
        QString error;
        QVERIFY(!createFrameEncoder(AnimationFormat::Svg, error));
        QCOMPARE(error, u"not a picture sequence format"_s);
    }

    void theFirstFolderHoldingTheLibraryWins() {
        QTemporaryDir empty;
        EncoderLibrary library({empty.path(), QCoreApplication::applicationDirPath()});
        QString error;
        QVERIFY2(library.create(AnimationFormat::Gif, error), qPrintable(error));
    }

    void aMissingLibraryNamesItselfAndWhereItWasLookedFor() {
        QTemporaryDir first;
        QTemporaryDir second;
        EncoderLibrary library({first.path(), second.path()});
        QString error;
        QVERIFY(!library.create(AnimationFormat::Mp4, error));
        QVERIFY2(error.contains(QStringLiteral(TIVORA_ENCODER_LIBRARY_NAME)), qPrintable(error));
        QVERIFY(error.contains(first.path()));
        QVERIFY(error.contains(second.path()));
        // Asked again, it gives the same reason rather than a null without one.
        QString again;
        QVERIFY(!library.create(AnimationFormat::Gif, again));
        QCOMPARE(again, error);
    }

    void aFileThatIsNoLibraryIsRefusedWithQtsReason() {
        QTemporaryDir folder;
        QFile impostor(folder.filePath(QStringLiteral(TIVORA_ENCODER_LIBRARY_NAME)));
        QVERIFY(impostor.open(QIODevice::WriteOnly));
        impostor.write("not a shared library");
        impostor.close();
        EncoderLibrary library({folder.path()});
        QString error;
        QVERIFY(!library.create(AnimationFormat::WebP, error));
        QVERIFY2(error.contains(u"cannot be used"_s), qPrintable(error));
        QVERIFY(error.contains(impostor.fileName()));
    }

    void anInstallationKeepsItInItsLibraryFolder() {
        const QStringList folders = EncoderLibrary::defaultFolders(u"/opt/tivora/bin"_s);
        QCOMPARE(folders.size(), 2);
        QCOMPARE(folders.at(0), u"/opt/tivora/bin"_s);
        QVERIFY2(folders.at(1).startsWith(u"/opt/tivora/lib"_s), qPrintable(folders.at(1)));
        QVERIFY(folders.at(1).endsWith(u"/tivora"_s));
    }
};

QTEST_GUILESS_MAIN(EncoderLibraryTest)
#include "tst_encoder_library.moc"
