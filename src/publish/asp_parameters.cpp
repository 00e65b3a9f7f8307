#include "publish/asp_parameters.h"

#include "document/graph_keys.h"

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

QByteArray headerAndFooter(const VariableText& graph) {
    // The page passes them on under the long names of their keys.
    return keys::entryStart(keys::kHeaderLong) +
           graph.encodedValueAlias(keys::kHeaderLong, keys::kHeader) +
           keys::entryStart(keys::kFooterLong) +
           graph.encodedValueAlias(keys::kFooterLong, keys::kFooter);
}

// Counts beyond these cannot come from a graph anyone made (a graph movie holds under 5000
// characters of text); building billions of parameters would only hang the publish.
constexpr int kMaxCount = 9999;
constexpr qsizetype kMaxLength = 1 << 20;

QString tooLong() {
    return u"The ASP parameters could not be built: the graph's values make more than %1 "
           "characters."_s.arg(kMaxLength);
}

// A count the parameters are built from, or why it cannot give them.
std::variant<int, QString> countOf(const VariableText& graph, QByteArrayView key) {
    bool isNumber = false;
    const int count = graph.encodedValue(key).trimmed().toInt(&isNumber);
    const QString name = QLatin1StringView(key);
    if (!isNumber)
        return u"The ASP parameters could not be built: the value of \"%1\" is not a number."_s.arg(
            name);
    if (count > kMaxCount)
        return u"The ASP parameters could not be built: \"%1\" is %2, at most %3 can be passed."_s
            .arg(name)
            .arg(count)
            .arg(kMaxCount);
    return count;
}

} // namespace

AspParameters barAspParameters(const VariableText& graph) {
    const auto seriesRead = countOf(graph, keys::kSeriesCount);
    if (const auto* problem = std::get_if<QString>(&seriesRead))
        return *problem;
    const auto pointsRead = countOf(graph, keys::kColumnCount);
    if (const auto* problem = std::get_if<QString>(&pointsRead))
        return *problem;
    const int seriesCount = std::get<int>(seriesRead);
    const int pointCount = std::get<int>(pointsRead);
    QByteArray text = headerAndFooter(graph);
    ListReader labels(graph.encodedValueAlias(keys::kColumnLabelsLong, keys::kColumnLabels));
    for (int series = 1; series <= seriesCount; ++series) {
        const QByteArray values = graph.encodedValue(keys::seriesValues(series));
        if (values.isEmpty())
            continue;
        ListReader items(values);
        const char letter = char(64 + series);
        for (int point = 1; point <= pointCount; ++point) {
            text += '&' + QByteArray(1, letter) + QByteArray::number(point) + '=' +
                    items.NextListItem();
            if (series == 1)
                text += "&XVal" + QByteArray::number(point) + '=' + labels.NextListItem();
            if (text.size() > kMaxLength)
                return tooLong();
        }
    }
    return text;
}

AspParameters pieAspParameters(const VariableText& graph) {
    const auto slices = countOf(graph, keys::kSliceCount);
    if (const auto* problem = std::get_if<QString>(&slices))
        return *problem;
    const int sliceCount = std::get<int>(slices);
    QByteArray text = headerAndFooter(graph);
    const QByteArray values = graph.encodedValue(keys::kSliceValues);
    if (values.isEmpty())
        return text;
    ListReader valueItems(values);
    ListReader labelItems(graph.encodedValue(keys::kSliceLabels));
    for (int slice = 1; slice <= sliceCount; ++slice) {
        const QByteArray number = QByteArray::number(slice);
        text += "&S" + number + '=' + valueItems.NextListItem();
        text += "&L" + number + '=' + labelItems.NextListItem();
        if (text.size() > kMaxLength)
            return tooLong();
    }
    return text;
}

} // namespace tivora::publish
