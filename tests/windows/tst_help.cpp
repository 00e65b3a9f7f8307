// The user guide as the build lays it out: beside the Data folder, every link and picture
// resolving, every topic a user looks for present.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString helpFolder() {
    return QStringLiteral(TIVORA_HELP_DIR);
}

QString guideText() {
    QFile file(helpFolder() + u"/Index.htm"_s);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList attributeValues(const QString& text, const QString& attribute) {
    QStringList values;
    const QRegularExpression pattern(u"\\b%1\\s*=\\s*\"([^\"]*)\""_s.arg(attribute));
    for (const QRegularExpressionMatch& match : pattern.globalMatch(text))
        values.append(match.captured(1));
    return values;
}

QSet<QString> anchors(const QString& text) {
    const QStringList ids = attributeValues(text, u"id"_s);
    return QSet<QString>(ids.begin(), ids.end());
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theGuideLiesBesideTheDataFolder() {
        const QDir beside(QStringLiteral(TIVORA_DATA_DIR) + u"/../help"_s);
        QCOMPARE(QFileInfo(beside.absolutePath()).canonicalFilePath(),
                 QFileInfo(helpFolder()).canonicalFilePath());
        QVERIFY(QFileInfo(helpFolder() + u"/Index.htm"_s).isFile());
    }

    void everyLinkResolves() {
        const QString text = guideText();
        const QSet<QString> ids = anchors(text);
        const QStringList links = attributeValues(text, u"href"_s);
        QVERIFY(links.size() > 20);
        for (const QString& link : links) {
            const QUrl url(link);
            if (!url.scheme().isEmpty()) {
                QVERIFY2(false, qPrintable(u"the guide links outside itself: "_s + link));
            } else if (link.startsWith(u'#')) {
                QVERIFY2(ids.contains(link.mid(1)), qPrintable(u"no anchor for "_s + link));
            } else {
                const QString path = helpFolder() + u'/' + url.path();
                QVERIFY2(QFileInfo(path).isFile(), qPrintable(u"missing "_s + path));
            }
        }
    }

    void everyPictureIsAGraphDrawnForTheGuide() {
        const QString text = guideText();
        const QStringList pictures = attributeValues(text, u"src"_s);
        QVERIFY(pictures.size() >= 8);
        for (const QString& picture : pictures) {
            const QImage image(helpFolder() + u'/' + picture);
            QVERIFY2(!image.isNull(), qPrintable(u"not a picture: "_s + picture));
            QCOMPARE(image.size(), QSize(700, 475));
        }
        // Every picture says what it shows, for readers who cannot see it.
        const QRegularExpression image(u"<img\\b[^>]*>"_s);
        for (const QRegularExpressionMatch& match : image.globalMatch(text))
            QVERIFY2(match.captured().contains(u"alt=\""_s), qPrintable(match.captured()));
    }

    void theGuideCoversEveryTopic() {
        const QSet<QString> ids = anchors(guideText());
        for (const QString& topic :
             {u"new-graph"_s, u"page-type"_s, u"page-data"_s, u"page-pie-data"_s, u"page-axes"_s,
              u"page-size"_s, u"page-effects"_s, u"page-annotation"_s, u"notes"_s, u"effects"_s,
              u"spreadsheet"_s, u"publishing"_s, u"preview"_s, u"command-line"_s, u"skins"_s,
              u"help-window"_s})
            QVERIFY2(ids.contains(topic), qPrintable(u"no section "_s + topic));
        const QString text = guideText();
        for (const QString& command :
             {u"tivora render"_s, u"tivora resave"_s, u"tivora publish"_s, u"tivora refresh"_s})
            QVERIFY2(text.contains(command), qPrintable(command));
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
