#pragma once

// Graph texts made up at random but repeatably (one seed, one graph): every type, random counts,
// values (some far from zero), text lengths (long headers, column and slice labels alike but for
// their ends, long note bodies) and sizes, scales, offsets, header sides and notes, for checking
// drawing rules over far more graphs than anyone would write by hand.
#include "tst_pie_fixture.h"

#include <QRandomGenerator>
#include <QStringList>
#include <array>
#include <cctype>
#include <cstring>

namespace tivora::engine::testing {

class GraphGenerator {
public:
    explicit GraphGenerator(quint32 seed)
        : m_random(seed) {}

    // What a generated graph asks for that the checks need to know.
    struct Graph {
        QByteArray text;
        QByteArray type;
        int smallestAskedPixels = 9; // the smallest text size the graph text asks for
    };

    Graph next() {
        static const std::array<QByteArray, 6> kTypes{"bar", "sbar", "line", "area", "mix", "pie"};
        const QByteArray& type = kTypes[std::size_t(below(int(kTypes.size())))];
        // The frame and notes come first: the first of two equal keys is the one read.
        GraphTextBuilder head;
        frame(head);
        notes(head);
        const QByteArray body = (type == "pie" ? pie() : series(type)).text();
        QByteArray text = head.text();
        text.chop(qsizetype(std::strlen("&Textloaded=OK")));
        return {text + body, type, 9};
    }

private:
    int below(int bound) { return int(m_random.bounded(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }

    QByteArray word(int length) {
        static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz";
        QByteArray word;
        for (int i = 0; i < length; ++i)
            word += kLetters[below(26)];
        if (!word.isEmpty())
            word[0] = char(std::toupper(word[0]));
        return word;
    }

    // Mostly short names, now and then long ones of several words, some of them alike but for
    // their end ("Region north 1", "Region north 2").
    QByteArray phrase(int index) {
        const int kind = below(10);
        if (kind < 5)
            return word(between(1, 9));
        if (kind < 8) {
            QByteArray text = word(between(3, 9));
            for (int words = between(1, 4); words > 0; --words)
                text += ' ' + word(between(2, 10)).toLower();
            return text;
        }
        return "A remarkably long label " + QByteArray::number(index + 1);
    }

    // Several phrases, a sentence or two long.
    QByteArray passage(int phrases) {
        QByteArray text = phrase(0);
        for (int i = 1; i < phrases; ++i)
            text += ' ' + phrase(i);
        return text;
    }

    QByteArray value() {
        if (m_offsetValues) // values far from zero, close together: an axis that starts high
            return QByteArray::number(1000 + between(0, 300) / 10.0, 'f', 1);
        const int kind = below(10);
        double value = 0;
        if (kind < 6)
            value = between(0, 100);
        else if (kind < 8)
            value = between(-50, 200) + between(0, 9) / 10.0;
        else if (kind < 9)
            value = between(0, 2000000);
        else
            value = 1000 + between(0, 30);
        return QByteArray::number(value, 'f', kind == 7 ? 1 : 0);
    }

    QByteArray color() {
        return "0x" + QByteArray::number(m_random.bounded(0x1000000u), 16)
                          .rightJustified(6, '0')
                          .toUpper();
    }

    // Label sizes as the series grid offers them; the grid's own default is 25.
    QByteArray labelSize() {
        static const std::array<QByteArray, 5> kSizes{"25", "25", "11", "18", "40"};
        return kSizes[std::size_t(below(int(kSizes.size())))];
    }

    GraphTextBuilder series(const QByteArray& type) {
        const int count = between(1, 6);
        const int columns = between(1, 14);
        GraphTextBuilder text;
        text.plain("v_", "2.0")
            .encoded("gt_", type == "mix" ? "bar" : type)
            .plain("bg_", "0xFFFFFF")
            .plain("bga_", "0");
        std::vector<QByteArray> types, shows, speeds, alphas, colors, labelColors, names, sizes;
        for (int s = 0; s < count; ++s) {
            QByteArray seriesType = type == "sbar" ? QByteArray("bar") : type;
            if (type == "mix")
                seriesType = s == 0 || chance(40) ? "bar" : "line";
            types.push_back(seriesType);
            shows.push_back(chance(85) ? "YES" : "NO");
            speeds.push_back("15");
            alphas.push_back(type == "area" ? QByteArray::number(between(40, 90)) : "100");
            colors.push_back(color());
            labelColors.push_back(chance(50) ? "0xFFFFFF" : color());
            names.push_back(phrase(s));
            sizes.push_back(labelSize());
        }
        std::vector<QByteArray> labels;
        const int labelKind = below(10);
        for (int c = 0; c < columns; ++c) {
            if (labelKind < 4)
                labels.push_back(phrase(c));
            else if (labelKind < 6) // long labels alike but for their ends
                labels.push_back("Quarterly revenue of the northern region " +
                                 QByteArray::number(c + 1));
            else
                labels.push_back("Q" + QByteArray::number(c + 1));
        }
        text.encoded("sr_", QByteArray::number(count))
            .encoded("co_", QByteArray::number(columns))
            .encoded("typ_", joinList(types))
            .encoded("CV_", joinList(shows))
            .encoded("CVS_", joinList(sizes))
            .encoded("GCV_", "NO")
            .encoded("anim_", joinList(speeds))
            .encoded("alp_", joinList(alphas))
            .encoded("bsc_", joinList(colors))
            .encoded("blc_", joinList(labelColors))
            .encoded("sl_", joinList(names))
            .encoded("xl_", joinList(labels));
        m_offsetValues = type == "line" && chance(30);
        for (int s = 1; s <= count; ++s) {
            std::vector<QByteArray> values;
            for (int c = 0; c < columns; ++c)
                values.push_back(value());
            text.encoded("y" + QByteArray::number(s) + "v_", joinList(values));
        }
        m_offsetValues = false;
        // Mostly automatic axes, sometimes a fixed one the values may pass.
        if (chance(30))
            text.encoded("YMin", "0").encoded("YMax", "100").encoded("YStep", "10");
        else
            text.encoded("YMin", "").encoded("YMax", "").encoded("YStep", "");
        if (chance(50))
            text.encoded("XTitle", phrase(0)).encoded("YTitle", phrase(1));
        text.encoded("pcol_", chance(70) ? "0xFFFFFF" : "0xF4F7FC")
            .encoded("pshl_", "30")
            .encoded("psh_", chance(30) ? "1" : "0");
        return text;
    }

    GraphTextBuilder pie() {
        const int count = between(1, 9);
        const bool longLabels = chance(30);
        std::vector<SliceSpec> slices;
        for (int i = 0; i < count; ++i) {
            SliceSpec slice;
            slice.value = chance(5) ? "0" : QByteArray::number(between(1, 400));
            slice.color = color();
            slice.label = !chance(90) ? QByteArray()
                          : longLabels && i > 0
                              ? "A remarkably long slice label " + QByteArray::number(i)
                              : phrase(i);
            slice.offset = chance(20) ? QByteArray::number(between(0, 30)) : "0";
            slices.push_back(slice);
        }
        const QByteArray size = QByteArray::number(between(10, 18));
        return pieGraph(slices, QByteArray::number(between(0, 2)), "No", chance(50) ? "1" : "0",
                        {{"XPLFont", size}, {"XPVFont", size}});
    }

    void frame(GraphTextBuilder& text) {
        const int headerKind = below(5);
        QByteArray header;
        if (headerKind == 1)
            header = word(between(3, 12));
        else if (headerKind > 1)
            header = passage(headerKind == 2 ? 2 : headerKind == 3 ? 5 : 12);
        text.encoded("hd_", header)
            .plain("hp_", QByteArray::number(below(4)))
            .encoded("hb_", "0x1F3A5F")
            .encoded("hc_", "0xFFFFFF")
            .encoded("ft_", chance(30) ? QByteArray(phrase(0) + " " + phrase(1)) : QByteArray())
            .encoded("fc_", "0x333333");
        const bool moved = chance(40);
        text.encoded("GScale", QByteArray::number(chance(50) ? 100 : between(50, 150)))
            .encoded("GX", QByteArray::number(moved ? between(-60, 60) : 0))
            .encoded("GY", QByteArray::number(moved ? between(-40, 40) : 0));
    }

    void notes(GraphTextBuilder& text) {
        const int count = chance(70) ? 0 : between(1, 2);
        text.encoded("no_", QByteArray::number(count));
        if (count == 0)
            return;
        std::vector<QByteArray> xs, ys, widths, heights, headings, bodies;
        for (int i = 0; i < count; ++i) {
            const int width = between(120, 220);
            const int height = between(70, 130);
            xs.push_back(QByteArray::number(between(10, 690 - width)));
            ys.push_back(QByteArray::number(between(10, 465 - height)));
            widths.push_back(QByteArray::number(width));
            heights.push_back(QByteArray::number(height));
            headings.push_back(phrase(i));
            bodies.push_back(passage(chance(40) ? between(6, 14) : 3));
        }
        const std::size_t n = std::size_t(count);
        text.encoded("nox_", joinList(xs))
            .encoded("noy_", joinList(ys))
            .encoded("now_", joinList(widths))
            .encoded("noh_", joinList(heights))
            .encoded("nohd_", joinList(headings))
            .encoded("nobd_", joinList(bodies))
            .encoded("noal_", repeated("85", n))
            .encoded("nohf_", repeated("14", n))
            .encoded("nobf_", repeated("11", n))
            .encoded("nobc_", repeated("0xFFFFFF", n));
    }

    QRandomGenerator m_random;
    bool m_offsetValues = false;
};

} // namespace tivora::engine::testing
