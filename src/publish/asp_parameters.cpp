#include "publish/asp_parameters.h"

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

QByteArray headerAndFooter(const VariableText& graph) {
    return "&header=" + graph.encodedValueAlias("&header", "&hd_") +
           "&footer=" + graph.encodedValueAlias("&footer", "&ft_");
}

// A count the parameters are built from; a count that is not a number cannot give them.
std::optional<int> countOf(const VariableText& graph, QByteArrayView key) {
    bool isNumber = false;
    const int count = graph.encodedValue(key).trimmed().toInt(&isNumber);
    return isNumber ? std::optional<int>(count) : std::nullopt;
}

QString notANumber(QByteArrayView key) {
    return u"The ASP parameters could not be built: the value of \"%1\" is not a number."_s.arg(
        QLatin1StringView(key));
}

} // namespace

AspParameters barAspParameters(const VariableText& graph) {
    const auto seriesCount = countOf(graph, "&sr_");
    if (!seriesCount)
        return notANumber("&sr_");
    const auto pointCount = countOf(graph, "&co_");
    if (!pointCount)
        return notANumber("&co_");
    QByteArray text = headerAndFooter(graph);
    ListReader labels(graph.encodedValueAlias("&XLabels", "&xl_"));
    for (int series = 1; series <= *seriesCount; ++series) {
        const QByteArray key = "&y" + QByteArray::number(series) + "v_";
        const QByteArray values = graph.encodedValue(key);
        if (values.isEmpty())
            continue;
        ListReader items(values);
        const char letter = char(64 + series);
        for (int point = 1; point <= *pointCount; ++point) {
            text += '&' + QByteArray(1, letter) + QByteArray::number(point) + '=' +
                    items.NextListItem();
            if (series == 1)
                text += "&XVal" + QByteArray::number(point) + '=' + labels.NextListItem();
        }
    }
    return text;
}

AspParameters pieAspParameters(const VariableText& graph) {
    const auto sliceCount = countOf(graph, "&Sli_");
    if (!sliceCount)
        return notANumber("&Sli_");
    QByteArray text = headerAndFooter(graph);
    const QByteArray values = graph.encodedValue("&SliceValues");
    if (values.isEmpty())
        return text;
    ListReader valueItems(values);
    ListReader labelItems(graph.encodedValue("&SliceLabels"));
    for (int slice = 1; slice <= *sliceCount; ++slice) {
        const QByteArray number = QByteArray::number(slice);
        text += "&S" + number + '=' + valueItems.NextListItem();
        text += "&L" + number + '=' + labelItems.NextListItem();
    }
    return text;
}

} // namespace tivora::publish
