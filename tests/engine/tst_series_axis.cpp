// The value axis: automatic ranges that hold the data, round steps, numbers without float noise.
#include "engine/layout/graph_text.h"
#include "engine/series/axis_scale.h"

#include <QTest>

using namespace tivora::engine;

class SeriesAxisTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void automaticRangeHoldsTheData_data();
    void automaticRangeHoldsTheData();
    void fixedValuesAreKept();
    void unusableFixedValuesAreReplaced();
    void numbersCarryNoFloatNoise();
    void linesAloneNeedNotShowZero();
    void outermostValuesLeaveRoomForTheirLabels();
    void valuesReadAsTheEditorWritesThem();
};

void SeriesAxisTest::automaticRangeHoldsTheData_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("small") << 0.0 << 0.37;
    QTest::newRow("percent") << 3.0 << 97.0;
    QTest::newRow("thousands") << 1234.0 << 56789.0;
    QTest::newRow("negative") << -42.5 << 17.0;
    QTest::newRow("all negative") << -900.0 << -3.0;
    QTest::newRow("all zero") << 0.0 << 0.0;
    QTest::newRow("tiny") << 0.0001 << 0.0003;
    QTest::newRow("huge") << 0.0 << 7.3e12;
}

void SeriesAxisTest::automaticRangeHoldsTheData() {
    QFETCH(double, low);
    QFETCH(double, high);
    const AxisScale scale = AxisScale::make({}, {}, {}, low, high);
    QVERIFY(scale.min <= std::min(low, 0.0));
    QVERIFY(scale.max >= std::max(high, 0.0));
    QVERIFY(scale.max > scale.min);
    const auto ticks = scale.ticks();
    QVERIFY2(ticks.size() >= 3 && ticks.size() <= 12, qPrintable(QString::number(ticks.size())));
    // The step is 1, 2 or 5 times a power of ten.
    const double mantissa = scale.step / std::pow(10.0, std::floor(std::log10(scale.step)));
    QVERIFY2(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                 std::fabs(mantissa - 5) < 1e-9,
             qPrintable(QString::number(scale.step)));
    // Every number is a whole multiple of the step, so an offset axis counts in round numbers.
    for (const double tick : ticks)
        QVERIFY2(std::fabs(tick / scale.step - std::round(tick / scale.step)) < 1e-6,
                 qPrintable(scale.label(tick)));
    QVERIFY(std::fabs(ticks.back() - scale.max) < scale.step * 1e-6);
}

void SeriesAxisTest::fixedValuesAreKept() {
    const AxisScale scale = AxisScale::make(10.0, 70.0, 15.0, 0.0, 500.0);
    QCOMPARE(scale.min, 10.0);
    QCOMPARE(scale.max, 70.0);
    QCOMPARE(scale.step, 15.0);
    QCOMPARE(scale.ticks().size(), std::size_t(5));
    // A fixed step with automatic ends: the ends round to the step.
    const AxisScale stepped = AxisScale::make({}, {}, 25.0, 3.0, 101.0);
    QCOMPARE(stepped.min, 0.0);
    QCOMPARE(stepped.max, 125.0);
}

void SeriesAxisTest::unusableFixedValuesAreReplaced() {
    // Maximum below minimum: the two change places.
    const AxisScale swapped = AxisScale::make(100.0, 0.0, 10.0, 0.0, 50.0);
    QCOMPARE(swapped.min, 0.0);
    QCOMPARE(swapped.max, 100.0);
    // A step of zero, a negative one and one that makes 10^9 steps become round steps.
    for (const double step : {0.0, -5.0, 1e-7}) {
        const AxisScale scale = AxisScale::make(0.0, 100.0, step, 0.0, 50.0);
        QVERIFY(scale.step > 0);
        QVERIFY(scale.ticks().size() <= 102);
    }
    // Equal ends still make a range.
    const AxisScale flat = AxisScale::make(5.0, 5.0, {}, 5.0, 5.0);
    QVERIFY(flat.max > flat.min);
}

void SeriesAxisTest::numbersCarryNoFloatNoise() {
    const AxisScale tenths = AxisScale::make(0.0, 1.0, 0.1, 0.0, 1.0);
    QStringList labels;
    for (const double value : tenths.ticks())
        labels << tenths.label(value);
    QCOMPARE(labels.join(u' '), QStringLiteral("0.0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1.0"));
    const AxisScale thousands = AxisScale::make(-2000.0, 10000.0, 2000.0, 0.0, 1.0);
    QCOMPARE(thousands.label(-2000.0), QStringLiteral("-2,000"));
    QCOMPARE(thousands.label(10000.0), QStringLiteral("10,000"));
    QCOMPARE(formatNumber(-0.0001, 2), QStringLiteral("0.00"));
    QCOMPARE(formatNumber(2.675, 1), QStringLiteral("2.7"));
    QCOMPARE(decimalsOf(0.25), 2);
    QCOMPARE(decimalsOf(1e6), 0);
}

void SeriesAxisTest::linesAloneNeedNotShowZero() {
    const AxisScale scale = AxisScale::make({}, {}, {}, 1003.0, 1098.0, false);
    QVERIFY(scale.min >= 900.0 && scale.min <= 1003.0);
    QVERIFY(scale.max >= 1098.0 && scale.max <= 1200.0);
    QCOMPARE(AxisScale::make({}, {}, {}, 1003.0, 1098.0, true).min, 0.0);
}

void SeriesAxisTest::outermostValuesLeaveRoomForTheirLabels() {
    // A top value on a round number gets a step more above it, for its label.
    const AxisScale full = AxisScale::make({}, {}, {}, 0.0, 100.0);
    QCOMPARE(full.max, 120.0);
    QCOMPARE(full.step, 20.0);
    // Far enough below the top already: nothing is added.
    QCOMPARE(AxisScale::make({}, {}, {}, 0.0, 83.0).max, 100.0);
    // The same below a negative bottom value.
    QCOMPARE(AxisScale::make({}, {}, {}, -100.0, 10.0).min, -120.0);
    // No data above zero: no room is added to the plain 0 to 1 axis.
    QCOMPARE(AxisScale::make({}, {}, {}, 0.0, 0.0).max, 1.0);
    // Ends the graph fixes are kept as they are, full or not.
    const AxisScale fixed = AxisScale::make(0.0, 100.0, {}, 0.0, 100.0);
    QCOMPARE(fixed.max, 100.0);
    QCOMPARE(AxisScale::make({}, 100.0, 10.0, 0.0, 100.0).max, 100.0);
    // An offset axis of values from 1,008 to 1,023 counts in fives from round numbers.
    const AxisScale offset = AxisScale::make({}, {}, {}, 1008.0, 1023.0, false);
    QCOMPARE(offset.step, 5.0);
    QCOMPARE(offset.label(offset.min), QStringLiteral("1,005"));
    QCOMPARE(offset.label(offset.max), QStringLiteral("1,025"));
}

// Cell texts are numbers in the editor's own form; anything else is no value, never a guess.
void SeriesAxisTest::valuesReadAsTheEditorWritesThem() {
    const QByteArray tiny = "0." + QByteArray(80, '0') + "1";
    const std::pair<QByteArray, std::optional<double>> cases[] = {
        {"12", 12.0},          {" -3,5 ", -3.5},
        {"+.5", 0.5},          {"1e3", 1000.0},
        {"7.", 7.0},           {"-0.25", -0.25},
        {tiny, 1e-81},         {"", std::nullopt},
        {"+-1", std::nullopt}, {"++1", std::nullopt},
        {"- 1", std::nullopt}, {"0x10", std::nullopt},
        {"1 2", std::nullopt}, {"1,000.5", std::nullopt},
        {"abc", std::nullopt}, {"inf", std::nullopt},
        {"nan", std::nullopt}, {"1e400", std::nullopt}};
    for (const auto& [text, expected] : cases)
        QVERIFY2(GraphText::parseNumber(text) == expected, text.constData());
}

QTEST_APPLESS_MAIN(SeriesAxisTest)
#include "tst_series_axis.moc"
