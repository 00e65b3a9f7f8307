// tivora resave run as its own process: what it prints about a hostile file, and what it leaves
// when the file cannot be written whole.
#include "common/file_size_limit.h"
#include "document/variable_text.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

struct Run {
    int exitCode = -1;
    QByteArray errors;
    QByteArray output;
};

Run tivora(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(TIVORA_COMMAND), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError(), process.readAllStandardOutput()};
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A bar graph of two series over sixty columns, in the current form.
QByteArray graphText() {
    QByteArray values;
    for (int column = 0; column < 60; ++column)
        values += (column ? "/x/" : "") + QByteArray::number(column);
    QByteArray text = "&v_=2.0&gt_=" + EncodeValue("bar") + "&sr_=" + EncodeValue("2") +
                      "&co_=" + EncodeValue("60") + "&y1v_=" + EncodeValue(values) +
                      "&y2v_=" + EncodeValue(values);
    for (const char* key : {"YTFont", "YLFont", "XTFont", "XLFont", "BImageAlpha"})
        text += "&" + QByteArray(key) + "=" + EncodeValue("12");
    for (const auto& [key, value] : {std::pair{"YMin", "0"}, {"YMax", "100"}, {"YStep", "10"}})
        text += "&" + QByteArray(key) + "=" + EncodeValue(value);
    return text + "&Textloaded=OK";
}

bool holdsControlBytes(const QByteArray& text) {
    return std::any_of(text.begin(), text.end(), [](char byte) {
        return (byte >= 0 && byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F;
    });
}

} // namespace

class TivoraCommandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void helpAndVersionAnswerOnTheStandardOutput() {
        for (const QString& help : {u"--help"_s, u"-h"_s}) {
            const Run run = tivora({help});
            QCOMPARE(run.exitCode, 0);
            QVERIFY(!run.errors.contains("usage"));
            for (const char* command :
                 {"tivora resave IN OUT", "tivora render IN OUT", "tivora inspect GRAPH",
                  "tivora publish PROJECT", "tivora refresh GRAPH.TVX", "--no-information"})
                QVERIFY2(run.output.contains(command), run.output.constData());
        }
        const Run version = tivora({u"--version"_s});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.output, QByteArray("tivora 2.1.1\n"));
    }

    void mistakenCallsAreNamedAndExitWithTwo() {
        const struct {
            QStringList arguments;
            const char* named;
        } cases[] = {
            {{u"render"_s, u"in.tvx"_s, u"out.png"_s, u"--colour"_s, u"red"_s},
             "Unknown option 'colour'"},
            {{u"draw"_s, u"in.tvx"_s}, "unknown command 'draw'"},
            {{u"resave"_s, u"in.tvx"_s, u"out.tvx"_s, u"--time"_s, u"5"_s},
             "the resave command takes no option --time"},
            {{u"inspect"_s, u"in.tvx"_s, u"--fps"_s, u"5"_s},
             "the inspect command takes no option --fps"},
            {{u"render"_s, u"in.tvx"_s, u"out.png"_s, u"--time"_s}, "Missing value after '--time'"},
            {{u"render"_s, u"in.tvx"_s, u"out.png"_s, u"--width"_s, u"0"_s},
             "the width must be at least 1"},
        };
        for (const auto& mistake : cases) {
            const Run run = tivora(mistake.arguments);
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.errors.contains(mistake.named), run.errors.constData());
            QVERIFY2(run.errors.contains("usage: tivora"), run.errors.constData());
            QVERIFY(run.output.isEmpty());
        }
        QCOMPARE(tivora({}).exitCode, 2);
    }

    void optionsAreReadWhereverTheyStand() {
        QTemporaryDir dir;
        const QString in = dir.filePath(u"in.tvx"_s);
        writeFile(in, graphText());
        const QString out = dir.filePath(u"out.png"_s);
        const Run run = tivora({u"render"_s, u"--width=300"_s, in, u"--time"_s, u"0"_s, out});
        QVERIFY2(run.exitCode == 0, run.errors.constData());
        // The width stands in the PNG's header, after the signature and the header's length and
        // name.
        const QByteArray png = readFile(out);
        QVERIFY(png.startsWith("\x89PNG"));
        QCOMPARE(qFromBigEndian<quint32>(png.constData() + 16), 300u);

        const Run negative = tivora({u"render"_s, in, out, u"--time"_s, u"-5"_s});
        QCOMPARE(negative.exitCode, 1);
        QVERIFY2(negative.errors.contains("'-5' is not a valid number for --time"),
                 negative.errors.constData());

        const Run inspected = tivora({u"inspect"_s, in, u"--width"_s, u"350"_s});
        QVERIFY2(inspected.exitCode == 0, inspected.errors.constData());
        // The stage's shape is kept: 700 by 475 drawn 350 wide.
        QVERIFY2(inspected.output.contains("\"width\":350") &&
                     inspected.output.contains("\"height\":238"),
                 inspected.output.constData());
    }

    void controlBytesOfAFileAreShownEscaped() {
        QTemporaryDir dir;
        const QString in = dir.filePath(u"in.tvx"_s);
        // A series count that would ring the bell, retitle the terminal and clear its screen.
        writeFile(in, "&v_=2.0&gt_=" + EncodeValue("bar") +
                          "&sr_=" + EncodeValue("\x1b]0;owned\x07\x1b[2J\x7f") + "&");
        const Run run = tivora({u"resave"_s, in, dir.filePath(u"out.tvx"_s)});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(!holdsControlBytes(run.errors), run.errors.constData());
        QVERIFY2(run.errors.contains("'\\x1B]0;owned\\x07\\x1B[2J\\x7F' is not a valid integer"),
                 run.errors.constData());
    }

    void publishLogShowsControlBytesEscaped() {
        QTemporaryDir dir;
        const QString project = dir.filePath(u"Escape.TVP"_s);
        // A graph whose name would clear the screen; it does not exist, so the log names it.
        writeFile(project, "&ExportTo=0&Excel=NO&SaveDirectory=" + QFile::encodeName(dir.path()) +
                               "/out&Files=" + QFile::encodeName(dir.path()) +
                               "/\x1b[2Jgone.TVX&Engine=YES&FlaFile=NO&HTMLFile=YES&Embed=YES");
        const Run run = tivora({u"publish"_s, project});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(!holdsControlBytes(run.output), run.output.constData());
        QVERIFY2(!holdsControlBytes(run.errors), run.errors.constData());
        QVERIFY2(run.output.contains("\\x1B[2Jgone") || run.errors.contains("\\x1B[2Jgone"),
                 QByteArray(run.output + run.errors).constData());
    }

    void resaveInPlaceThatCannotWriteKeepsTheFileAndFails() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"graph.tvx"_s);
        const QByteArray old = graphText();
        writeFile(path, old);
        Run run;
        {
            // The limit is inherited by the program started under it.
            const test::FileSizeLimit full(256);
            QVERIFY(full.active());
            run = tivora({u"resave"_s, path, path});
        }
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains("graph.tvx could not be written: File too large"),
                 run.errors.constData());
        QCOMPARE(readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"graph.tvx"_s});
    }
};

} // namespace tivora

QTEST_GUILESS_MAIN(tivora::TivoraCommandTest)
#include "tst_tivora_command.moc"
