// The skins shipped beside the program: each loads, names only pictures it ships, and keeps its
// text readable (WCAG AA, a contrast of at least 4.5:1) for every colour pair it sets.
#include "controls/skins/skin.h"
#include "controls/skins/skin_palette.h"
#include "shipped_skins.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

constexpr double kReadable = 4.5;

using test::shippedSkins;

QString skinText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(file.readAll());
    return utf8.hasError() ? QString() : text;
}

QString withoutComments(QString text) {
    static const QRegularExpression comment(u"/\\*.*?\\*/"_s,
                                            QRegularExpression::DotMatchesEverythingOption);
    return text.remove(comment);
}

// One selector's declarations, as the sheet gives them (later rules override earlier ones).
using Declarations = QMap<QString, QString>;

// The sheet's rules by single selector, declarations merged in the sheet's order.
QMap<QString, Declarations> rulesOf(const QString& sheet) {
    QMap<QString, Declarations> rules;
    static const QRegularExpression rule(u"([^{}]+)\\{([^{}]*)\\}"_s);
    auto blocks = rule.globalMatch(withoutComments(sheet));
    while (blocks.hasNext()) {
        const auto block = blocks.next();
        Declarations declarations;
        for (const QString& declaration : block.captured(2).split(u';', Qt::SkipEmptyParts)) {
            const qsizetype colon = declaration.indexOf(u':');
            if (colon > 0)
                declarations.insert(declaration.left(colon).trimmed().toLower(),
                                    declaration.mid(colon + 1).simplified());
        }
        for (const QString& selector : block.captured(1).split(u',', Qt::SkipEmptyParts)) {
            Declarations& merged = rules[selector.simplified()];
            for (auto it = declarations.cbegin(); it != declarations.cend(); ++it)
                merged.insert(it.key(), it.value());
        }
    }
    return rules;
}

// A plain colour: #rgb, #rrggbb, rgb(r, g, b) or a colour name. Gradients, "transparent",
// "none" and palette references are no single colour and give nothing.
std::optional<QColor> plainColour(const QString& value) {
    static const QRegularExpression rgb(
        u"^rgb\\(\\s*(\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*\\)$"_s);
    if (const auto match = rgb.match(value); match.hasMatch())
        return QColor(match.captured(1).toInt(), match.captured(2).toInt(),
                      match.captured(3).toInt());
    if (value.compare(u"transparent"_s, Qt::CaseInsensitive) == 0)
        return std::nullopt;
    const QColor colour = QColor::fromString(value);
    return colour.isValid() && colour.alpha() == 255 ? std::optional(colour) : std::nullopt;
}

double contrast(const QColor& one, const QColor& other) {
    return SkinPalette::contrast(one, other);
}

// The colour a declaration names; "background" counts when it is a plain colour.
std::optional<QString> declared(const Declarations& rule, const QString& property) {
    if (rule.contains(property))
        return rule.value(property);
    if (property == u"background-color"_s && rule.contains(u"background"_s))
        return rule.value(u"background"_s);
    return std::nullopt;
}

// Parts that carry no text of their own: their grounds are no text ground.
bool textless(const QString& selector) {
    static const QRegularExpression part(
        u"::(indicator|handle|groove|add-line|sub-line|add-page|sub-page|separator|drop-down|"
        "up-button|down-button|[a-z]+-arrow|corner)"_s);
    return selector.contains(part) || selector.startsWith(u"QTableCornerButton"_s) ||
           selector.contains(u" QTableCornerButton"_s) ||
           (selector.contains(u"QScrollBar"_s) && !selector.contains(u"::"_s));
}

class SkinColours {
public:
    explicit SkinColours(QMap<QString, Declarations> rules)
        : m_rules(std::move(rules)) {}

    // The colour property gives selector: its own, else that of the same selector without its
    // states, then without its part, and at last the window's.
    std::optional<QString> resolved(const QString& selector, const QString& property) const {
        static const QRegularExpression states(u"(?<!:):(?!:)[a-z!-]+"_s);
        static const QRegularExpression part(u"::[a-z-]+"_s);
        QString plain = selector;
        plain.remove(states);
        QString whole = plain;
        whole.remove(part);
        for (const QString& candidate : {selector, plain, whole, u"[skin=\"Window\"]"_s}) {
            if (auto value = declared(m_rules.value(candidate), property))
                return value;
        }
        return std::nullopt;
    }

    // Each pair of text colour and ground a rule sets, with one side inherited where it sets
    // only the other.
    struct Pair {
        QString selector;
        QString text;
        QString ground;
    };
    QList<Pair> pairs() const {
        QList<Pair> pairs;
        for (auto it = m_rules.cbegin(); it != m_rules.cend(); ++it) {
            const QString& selector = it.key();
            if (textless(selector))
                continue;
            const Declarations& rule = it.value();
            if (rule.contains(u"color"_s) || declared(rule, u"background-color"_s))
                pairs.append({selector, resolved(selector, u"color"_s).value_or(QString()),
                              resolved(selector, u"background-color"_s).value_or(QString())});
            if (rule.contains(u"selection-color"_s) ||
                rule.contains(u"selection-background-color"_s))
                pairs.append(
                    {selector + u" (selection)"_s,
                     resolved(selector, u"selection-color"_s).value_or(QString()),
                     resolved(selector, u"selection-background-color"_s).value_or(QString())});
        }
        return pairs;
    }

private:
    QMap<QString, Declarations> m_rules;
};

} // namespace

class TstShippedSkins : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void contrastOfRules_data();
    void contrastOfRules();
    void everyColourPairOfEverySkinIsReadable();
    void everySkinLoadsAndShipsItsPictures();
};

void TstShippedSkins::contrastOfRules_data() {
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<double>("ratio");
    const QString window = u"[skin=\"Window\"] { background: #ffffff; color: #000000; }"_s;
    QTest::newRow("own pair, short hex")
        << u"QMenu { color: #777; background-color: #fff; }"_s << u"QMenu"_s << 4.48;
    QTest::newRow("rgb() and a name")
        << u"QMenu { color: rgb(255, 255, 255); background: navy }"_s << u"QMenu"_s << 16.01;
    QTest::newRow("text on the window's ground")
        << window + u"[skin=\"Label\"] { color: #767676; }"_s << u"[skin=\"Label\"]"_s << 4.54;
    QTest::newRow("a state takes the text of its plain selector")
        << window + u"QPushButton { color: #ffffff; background: #000000; }"
                    "QPushButton:hover { background-color: #595959; }"_s
        << u"QPushButton:hover"_s << 7.0;
    QTest::newRow("selection pair")
        << u"QLineEdit { selection-color: #fff; selection-background-color: #1d5fd1; }"_s
        << u"QLineEdit (selection)"_s << 5.82;
}

// The parsing and pairing the check below relies on, on sheets of known contrast.
void TstShippedSkins::contrastOfRules() {
    QFETCH(QString, sheet);
    QFETCH(QString, selector);
    QFETCH(double, ratio);
    const auto pairs = SkinColours(rulesOf(sheet)).pairs();
    const auto pair = std::find_if(pairs.cbegin(), pairs.cend(),
                                   [&](const auto& each) { return each.selector == selector; });
    QVERIFY(pair != pairs.cend());
    const auto text = plainColour(pair->text);
    const auto ground = plainColour(pair->ground);
    QVERIFY(text && ground);
    QCOMPARE(std::round(contrast(*text, *ground) * 100) / 100, ratio);
}

void TstShippedSkins::everyColourPairOfEverySkinIsReadable() {
    const QStringList skins = shippedSkins();
    QVERIFY(skins.size() >= 3);
    QStringList faults;
    for (const QString& path : skins) {
        const QString skin = QFileInfo(path).completeBaseName();
        const SkinColours colours(rulesOf(skinText(path)));
        double lowest = 21;
        for (const auto& pair : colours.pairs()) {
            const auto text = plainColour(pair.text);
            const auto ground = plainColour(pair.ground);
            // A transparent ground shows the one beneath, which the rule's own parent sets.
            if (pair.ground.compare(u"transparent"_s, Qt::CaseInsensitive) == 0)
                continue;
            if (!text || !ground) {
                faults.append(u"%1: %2: no plain colours ('%3' on '%4')"_s.arg(
                    skin, pair.selector, pair.text, pair.ground));
                continue;
            }
            const double ratio = contrast(*text, *ground);
            lowest = std::min(lowest, ratio);
            if (ratio < kReadable)
                faults.append(
                    u"%1: %2: %3 on %4 is %5:1"_s.arg(skin, pair.selector, pair.text, pair.ground)
                        .arg(ratio, 0, 'f', 2));
        }
        qInfo("%s: lowest contrast %.2f:1", qPrintable(skin), lowest);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TstShippedSkins::everySkinLoadsAndShipsItsPictures() {
    const QStringList names = [] {
        QStringList names;
        for (const QString& path : shippedSkins())
            names.append(QFileInfo(path).fileName());
        return names;
    }();
    QVERIFY(names.contains(u"Default.skn"_s));
    static const QRegularExpression url(u"url\\(\\s*['\"]?([^'\")]+)['\"]?\\s*\\)"_s);
    for (const QString& path : shippedSkins()) {
        const QString sheet = skinText(path);
        QVERIFY2(!sheet.trimmed().isEmpty(), qPrintable(path));
        Skin skin;
        QVERIFY2(skin.load(path), qPrintable(Skin::read(path).value_or(path)));
        const QString rules = withoutComments(sheet);
        const QDir folder = QFileInfo(path).dir();
        auto pictures = url.globalMatch(rules);
        while (pictures.hasNext()) {
            const QString picture = pictures.next().captured(1).trimmed();
            if (picture.startsWith(u":/"_s) || QDir::isAbsolutePath(picture))
                continue;
            QVERIFY2(QFileInfo(folder.filePath(picture)).isFile(),
                     qPrintable(path + u": "_s + picture));
        }
    }
}

} // namespace tivora

QTEST_MAIN(tivora::TstShippedSkins)
#include "tst_shipped_skins.moc"
