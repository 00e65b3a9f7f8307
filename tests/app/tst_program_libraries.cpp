// What the programs load before their first window: the GIF, WebP and video libraries are opened
// only when an export needs them, so neither the designer nor the player may depend on them.
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class ProgramLibrariesTest : public QObject {
    Q_OBJECT

private:
    // Every shared library the dynamic loader maps for the program at its start.
    static QStringList loadedAtStart(const QString& program) {
        QProcess ldd;
        ldd.start(u"ldd"_s, {program});
        if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0)
            return {};
        QStringList names;
        for (const QByteArray& line : ldd.readAllStandardOutput().split('\n')) {
            const QByteArray name = line.trimmed().split(' ').value(0);
            if (!name.isEmpty())
                names.append(QString::fromLocal8Bit(name));
        }
        return names;
    }

private Q_SLOTS:
    void noEncoderLibraryIsLoadedAtStart_data() {
        QTest::addColumn<QString>("program");
        QTest::addRow("designer") << QStringLiteral(TIVORA_DESIGNER);
        QTest::addRow("player") << QStringLiteral(TIVORA_PLAYER);
    }

    void noEncoderLibraryIsLoadedAtStart() {
        QFETCH(QString, program);
        const QStringList libraries = loadedAtStart(program);
        // The program's Qt is there, so the listing itself worked.
        QVERIFY2(libraries.filter(u"libQt6Widgets"_s).size() == 1,
                 qPrintable(libraries.join(u", "_s)));
        for (const QString& encoderLibrary :
             {u"libavcodec"_s, u"libavformat"_s, u"libswscale"_s, u"libwebp"_s, u"libgif"_s})
            QVERIFY2(libraries.filter(encoderLibrary).isEmpty(), qPrintable(encoderLibrary));
    }
};

QTEST_GUILESS_MAIN(ProgramLibrariesTest)
#include "tst_program_libraries.moc"
