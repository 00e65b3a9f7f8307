#pragma once

// The series graph texts the benchmarks measure: every series of one type, values spread over
// 5 .. 94, value labels that count, a shaded plot. Texts of different editions differ in the
// first value of the first series, as after an edit of one cell.
#include "document/variable_text.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace tivora::bench {

inline QByteArray graphText(const QByteArray& type, int seriesCount, int columns, int edition = 0) {
    const auto entry = [](const QByteArray& key, const QByteArray& value) {
        return QByteArray('&' + key + '=' + EncodeValue(value));
    };
    std::vector<QByteArray> types, colors, labels, speeds;
    for (int s = 0; s < seriesCount; ++s) {
        types.push_back(type);
        colors.push_back(s % 2 ? "0x2E6FB7" : "0xE07B24");
        speeds.push_back("15");
    }
    for (int c = 0; c < columns; ++c)
        labels.push_back("Column " + QByteArray::number(c + 1));
    QByteArray text = "&v_=2.0" + entry("gt_", type) + entry("hd_", "Sales") + "&bg_=0xFFFFFF" +
                      entry("sr_", QByteArray::number(seriesCount)) +
                      entry("co_", QByteArray::number(columns)) + entry("typ_", joinList(types)) +
                      entry("anim_", joinList(speeds)) + entry("bsc_", joinList(colors)) +
                      entry("xl_", joinList(labels)) + entry("CV_", "YES") + entry("GCV_", "YES");
    for (int s = 1; s <= seriesCount; ++s) {
        std::vector<QByteArray> values;
        for (int c = 0; c < columns; ++c)
            values.push_back(
                QByteArray::number((s * 37 + c * 11 + (s == 1 && c == 0 ? edition : 0)) % 90 + 5));
        text += entry("y" + QByteArray::number(s) + "v_", joinList(values));
    }
    text += entry("YMin", "auto") + entry("YMax", "auto") + entry("YStep", "auto") +
            entry("pcol_", "0xF4F7FB") + entry("pshl_", "40") + "&Textloaded=OK";
    return text;
}

} // namespace tivora::bench
