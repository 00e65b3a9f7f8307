#include "shell/display_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

QProcessEnvironment environmentWith(const QList<std::pair<QString, QString>>& values) {
    QProcessEnvironment environment;
    for (const auto& [name, value] : values)
        environment.insert(name, value);
    return environment;
}

} // namespace

class DisplayCheckTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void missingDisplayIsNamedWithTheWaysOn() {
        const QString message = missingDisplayMessage(QProcessEnvironment());
        QVERIFY(message.contains(u"DISPLAY"_s));
        QVERIFY(message.contains(u"xvfb-run"_s));
        QVERIFY(message.contains(u"tivora render"_s));
        QVERIFY(!message.contains(u'\n'));
        // A local display whose server is not running counts as missing.
        QVERIFY(!missingDisplayMessage(environmentWith({{u"DISPLAY"_s, u":4711"_s}})).isEmpty());
    }

    void displayOrChosenPlatformIsAccepted() {
        QTemporaryDir runtime;
        QVERIFY(QDir().mkpath(runtime.path() + u"/wayland-0"_s));
        const QList<QProcessEnvironment> accepted{
            environmentWith({{u"QT_QPA_PLATFORM"_s, u"offscreen"_s}}),
            environmentWith({{u"DISPLAY"_s, u"remote.example:0"_s}}),
            environmentWith(
                {{u"WAYLAND_DISPLAY"_s, u"wayland-0"_s}, {u"XDG_RUNTIME_DIR"_s, runtime.path()}})};
        for (const QProcessEnvironment& environment : accepted)
            QCOMPARE(missingDisplayMessage(environment), QString());
        // A named Wayland socket that is not there does not count.
        QVERIFY(!missingDisplayMessage(environmentWith({{u"WAYLAND_DISPLAY"_s, u"wayland-9"_s},
                                                        {u"XDG_RUNTIME_DIR"_s, runtime.path()}}))
                     .isEmpty());
    }

    void designerWithoutDisplayExitsWithOneLine() {
        QProcess designer;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            environment.remove(name);
        designer.setProcessEnvironment(environment);
        designer.start(QCoreApplication::applicationDirPath() + u"/tivora-designer"_s, {});
        QVERIFY(designer.waitForFinished(20000));
        QCOMPARE(designer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(designer.exitCode(), 1);
        const QByteArray said = designer.readAllStandardError();
        QCOMPARE(said.count('\n'), 1);
        QVERIFY(said.startsWith("tivora-designer: "));
    }
};

} // namespace tivora

QTEST_GUILESS_MAIN(tivora::DisplayCheckTest)
#include "tst_display_check.moc"
