// The variable text codec, the Windows-1252 conversion and the number texts.
#include "document/ansi_text.h"
#include "document/number_text.h"
#include "document/variable_text.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tivora;
using namespace Qt::StringLiterals;

class TestCodec : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookups_data();
    void lookups();
    void aliasTakesLongKeyEvenWhenEmpty();
    void indexedLookupsMatchFreeLookups();
    void exactValueSkipsLongerKeys();
    void indexAgreesWithScanningOnAnyText();
    void longValuesAreReadWhole();
    void listItems();
    void encoding();
    void lastAmpersandWithin();
    void strToIntOrZero();
    void colorTexts();
    void ansiConversion();
    void wholeNumbers();
    void decimalNumbers();
};

void TestCodec::lookups_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("value");
    const QByteArray text = "&v_=2.0&hd_=Ifmmp&ft_=";
    QTest::newRow("found") << QByteArray("&hd_") << text << QByteArray("Ifmmp");
    QTest::newRow("any letter case") << QByteArray("&HD_") << text << QByteArray("Ifmmp");
    QTest::newRow("last entry reads empty") << QByteArray("&ft_") << text << QByteArray();
    QTest::newRow("missing") << QByteArray("&xx") << text << QByteArray();
    // The character after the key is taken as "=" unseen, so a shorter key written after a
    // longer one that begins with it reads the longer key's tail.
    QTest::newRow("shorter key first")
        << QByteArray("&XTitle") << QByteArray("&XTitle=a&XTitleCol=b&") << QByteArray("a");
    QTest::newRow("longer key first")
        << QByteArray("&XTitle") << QByteArray("&XTitleCol=b&XTitle=a&") << QByteArray("ol=b");
    QTest::newRow("key without ampersand")
        << QByteArray("tle") << QByteArray("&XTitle=a&") << QByteArray("a");
}

void TestCodec::lookups() {
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, value);
    QCOMPARE(GetValue(key, text), value);
    QCOMPARE(VariableText(text).value(key), value);
}

void TestCodec::aliasTakesLongKeyEvenWhenEmpty() {
    QCOMPARE(GetValueAlias("&header", "&hd_", "&header=&hd_=x&"), QByteArray());
    QCOMPARE(GetValueAlias("&header", "&hd_", "&hd_=x&"), QByteArray("x"));
    QCOMPARE(GetEncodedValueAlias("&header", "&hd_", "&hd_=Ifmmp&header=J&"), QByteArray("I"));
    QCOMPARE(GetEncodedValue("&hd_", "&v_=2.0&hd_=Ifmmp&ft_="), QByteArray("Hello"));
}

void TestCodec::indexedLookupsMatchFreeLookups() {
    const QByteArray texts[] = {"",        "&",
                                "&&&",     "&a=1&A=2&ab=3&",
                                "x&a=&a",  "&gs=1&GScale=2&g=3&",
                                "noamp=1", "&hd_=Ifmmp&header=&hd_=x&"};
    const QByteArray keys[] = {"&a",  "&A", "&ab",  "&",       "a",        "=",
                               "&gs", "&g", "&hd_", "&header", "&header=", ""};
    for (const QByteArray& text : texts) {
        const VariableText indexed(text);
        for (const QByteArray& key : keys) {
            QCOMPARE(indexed.value(key), GetValue(key, text));
            QCOMPARE(indexed.encodedValue(key), GetEncodedValue(key, text));
            for (const QByteArray& other : keys)
                QCOMPARE(indexed.valueAlias(key, other), GetValueAlias(key, other, text));
        }
    }
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool startsWithKey(QByteArrayView text, QByteArrayView key) {
    if (text.size() < key.size())
        return false;
    for (qsizetype i = 0; i < key.size(); ++i) {
        if (asciiUpper(text[i]) != asciiUpper(key[i]))
            return false;
    }
    return true;
}

bool scannedContains(QByteArrayView key, QByteArrayView text) {
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (startsWithKey(text.sliced(at), key))
            return true;
    }
    return false;
}

// The first entry whose key is exactly key, found by scanning every "&".
QByteArray scannedExactValue(QByteArrayView key, QByteArrayView text) {
    for (qsizetype at = text.indexOf('&'); at >= 0; at = text.indexOf('&', at + 1)) {
        const qsizetype keyEnd = at + key.size();
        if (keyEnd < text.size() && text[keyEnd] == '=' && startsWithKey(text.sliced(at), key))
            return GetValue(key, text.sliced(at));
    }
    return {};
}

void TestCodec::indexAgreesWithScanningOnAnyText() {
    // Texts and keys of few characters meet every way keys can overlap: prefixes, repeats,
    // letter case, "=" and "&" in odd places, bytes above 127 and names longer than any key.
    static constexpr char kAlphabet[] = {'&', '&', '=', 'a', 'A', 'b', 'B', '\xe9', '\xc9'};
    QRandomGenerator random(15);
    const auto randomText = [&random](int length) {
        QByteArray text;
        for (int i = 0; i < length; ++i)
            text += kAlphabet[random.bounded(int(sizeof kAlphabet))];
        return text;
    };
    for (int round = 0; round < 3000; ++round) {
        QByteArray text = randomText(random.bounded(40));
        if (round % 10 == 0)
            text += "&" + QByteArray(100, 'a') + "=long&";
        const VariableText indexed(text);
        for (int k = 0; k < 8; ++k) {
            QByteArray key = "&" + randomText(random.bounded(4));
            if (k == 0)
                key = "&" + QByteArray(70, 'A');
            QCOMPARE(indexed.value(key), GetValue(key, text));
            QCOMPARE(indexed.contains(key), scannedContains(key, text));
            if (!key.contains('=') && !key.sliced(1).contains('&'))
                QCOMPARE(indexed.exactValue(key), scannedExactValue(key, text));
        }
    }
}

void TestCodec::exactValueSkipsLongerKeys() {
    const VariableText text("&GScale=1&gs=2&CVS=3&CV=4&");
    QCOMPARE(text.value("&gs"), QByteArray("ale=1"));
    QCOMPARE(text.exactValue("&gs"), QByteArray("2"));
    QCOMPARE(text.exactValue("&GS"), QByteArray("2"));
    QCOMPARE(text.exactValue("&CV"), QByteArray("4"));
    QCOMPARE(text.exactValue("&C"), QByteArray());
}

void TestCodec::longValuesAreReadWhole() {
    const QByteArray value(5000, 'v');
    const QByteArray text = "&k=" + value + "&";
    QCOMPARE(GetValue("&k", text), value);
    const QByteArray list = QByteArray(3000, 'a') + "/x/" + value;
    ListReader items(list);
    QCOMPARE(items.NextListItem(), QByteArray(3000, 'a'));
    QCOMPARE(items.NextListItem(), value);
}

void TestCodec::listItems() {
    ListReader items("a/x//x/c");
    QCOMPARE(items.NextListItem(), QByteArray("a"));
    QCOMPARE(items.NextListItem(), QByteArray());
    QCOMPARE(items.NextListItem(), QByteArray("c"));
    QCOMPARE(items.NextListItem(), QByteArray("c"));
    ListReader single("A");
    QCOMPARE(single.NextListItem(), QByteArray("A"));
    QCOMPARE(single.NextListItem(), QByteArray("A"));
    QCOMPARE(joinList({"Jan", "", "Mar"}), QByteArray("Jan/x//x/Mar"));
    QCOMPARE(joinList({}), QByteArray());
}

void TestCodec::encoding() {
    QCOMPARE(EncodeValue("abc"), QByteArray("bcd"));
    QCOMPARE(EncodeValue("/x/"), QByteArray("0y0"));
    QCOMPARE(EncodeValue("bar"), QByteArray("cbs"));
    QCOMPARE(EncodeValue("\r\n"), QByteArray("\x0E\x0B"));
    QCOMPARE(EncodeValue("\xFF"), QByteArray(1, '\0'));
    QCOMPARE(DecodeValue(QByteArray(1, '\0')), QByteArray("\xFF"));
    QByteArray everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte.append(char(byte));
    QCOMPARE(DecodeValue(EncodeValue(everyByte)), everyByte);
    // Each byte moves by one on its own, wherever it lies in a long value.
    const QByteArray encoded = EncodeValue(everyByte);
    const QByteArray decoded = DecodeValue(everyByte);
    for (int byte = 0; byte < 256; ++byte) {
        QCOMPARE(static_cast<unsigned char>(encoded[byte]), (byte + 1) % 256);
        QCOMPARE(static_cast<unsigned char>(decoded[byte]), (byte + 255) % 256);
    }
}

void TestCodec::lastAmpersandWithin() {
    QCOMPARE(LastAmpersandWithin("&a&b", 3), 3);
    QCOMPARE(LastAmpersandWithin("&a&b", 2), 1);
    QCOMPARE(LastAmpersandWithin("abc&", 3), 0);
    QCOMPARE(LastAmpersandWithin("", 480), 0);
    QCOMPARE(LastAmpersandWithin("&ab", 480), 1);
}

void TestCodec::strToIntOrZero() {
    QCOMPARE(StrToIntOrZero(""), 0);
    QCOMPARE(StrToIntOrZero("abc"), 0);
    QCOMPARE(StrToIntOrZero("12"), 12);
    QCOMPARE(StrToIntOrZero("-5"), -5);
}

void TestCodec::colorTexts() {
    QCOMPARE(ColorToText(0xFF0000), QByteArray("0x0000FF"));
    QCOMPARE(ColorToText(makeWindowColor(0xAB, 0x12, 0x0F)), QByteArray("0xAB120F"));
    QCOMPARE(TextToColor("0x0000FF"), std::optional<WindowColor>(0xFF0000));
    QCOMPARE(TextToColor("0xff8000"), std::optional<WindowColor>(makeWindowColor(255, 128, 0)));
    QCOMPARE(TextToColor(""), std::optional<WindowColor>(kSilver));
    QCOMPARE(TextToColor(" .. "), std::optional<WindowColor>(kSilver));
    QCOMPARE(TextToColor("\x01..\t"), std::optional<WindowColor>(kSilver));
    QCOMPARE(TextToColor("0xFF"), std::optional<WindowColor>(0x0000FF));
    // The first two characters are never looked at.
    QCOMPARE(TextToColor("##00FF00"), std::optional<WindowColor>(0x00FF00));
    QCOMPARE(TextToColor("0xGG0000"), std::nullopt);
    QCOMPARE(TextToColor("0x"), std::nullopt);
    QCOMPARE(TextToColor("0x00 000"), std::nullopt);
}

void TestCodec::ansiConversion() {
    QByteArray everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte.append(char(byte));
    QCOMPARE(stringToAnsi(ansiToString(everyByte)), std::optional<QByteArray>(everyByte));
    QCOMPARE(ansiToString("\x80\xE9"), u"€é"_s);
    QCOMPARE(stringToAnsi(u"Zoë €5"_s), std::optional<QByteArray>("Zo\xEB \x80"
                                                                  "5"));
    QCOMPARE(stringToAnsi(u"a★"_s), std::nullopt);
    QCOMPARE(firstUnencodableChar(u"ok ★ Ω"_s), std::optional<QChar>(u'★'));
    QCOMPARE(firstUnencodableChar(u"fine"_s), std::nullopt);
}

void TestCodec::wholeNumbers() {
    QCOMPARE(parseWholeNumber(u"12"), std::optional<int>(12));
    QCOMPARE(parseWholeNumber(u"  -7"), std::optional<int>(-7));
    QCOMPARE(parseWholeNumber(u"+3"), std::optional<int>(3));
    QCOMPARE(parseWholeNumber(u"$1F"), std::optional<int>(31));
    QCOMPARE(parseWholeNumber(u"-2147483648"), std::optional<int>(-2147483647 - 1));
    for (const QStringView bad : {u"", u" ", u"-", u"12 ", u"1.5", u"2147483648", u"$", u"abc"})
        QVERIFY2(!parseWholeNumber(bad), qPrintable(bad.toString()));
    QCOMPARE(invalidIntegerMessage(u"abc"), u"'abc' is not a valid integer value"_s);
}

void TestCodec::decimalNumbers() {
    QCOMPARE(parseDecimalNumber(u"1.5"), std::optional<double>(1.5));
    QCOMPARE(parseDecimalNumber(u" -2 "), std::optional<double>(-2));
    QCOMPARE(parseDecimalNumber(u"1e2"), std::optional<double>(100));
    for (const QStringView bad : {u"-", u"", u"1,000", u"abc", u"inf"})
        QVERIFY2(!parseDecimalNumber(bad), qPrintable(bad.toString()));
    QVERIFY(isBlankText(u" \t\x01"));
    QVERIFY(!isBlankText(u" a "));
}

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
