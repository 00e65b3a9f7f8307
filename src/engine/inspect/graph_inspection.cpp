#include "engine/inspect/graph_inspection.h"

#include "engine/movies/movie.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

// Pixels to a tenth are enough for any check and keep the listing short.
double rounded(double value) {
    return std::round(value * 10.0) / 10.0;
}

QJsonArray rectJson(const QRectF& rect) {
    return {rounded(rect.x()), rounded(rect.y()), rounded(rect.width()), rounded(rect.height())};
}

QJsonObject itemJson(const DrawnItem& item) {
    QJsonObject json{{u"kind"_s, kindName(item.tag.kind)}, {u"rect"_s, rectJson(item.rect)}};
    if (item.tag.series > 0)
        json.insert(u"series"_s, item.tag.series);
    if (item.tag.column > 0)
        json.insert(u"column"_s, item.tag.column);
    if (isTextKind(item.tag.kind)) {
        json.insert(u"text"_s, item.text);
        json.insert(u"fullText"_s, item.tag.fullText);
        json.insert(u"fontPx"_s, rounded(item.fontPx));
    }
    json.insert(u"color"_s, item.color.name(QColor::HexRgb).toUpper());
    if (!item.points.isEmpty()) {
        QJsonArray points;
        for (const QPointF& point : item.points)
            points.append(QJsonArray{rounded(point.x()), rounded(point.y())});
        json.insert(u"points"_s, points);
    }
    return json;
}

int fail(const QString& message) {
    std::fprintf(stderr, "tivora: %s\n", qPrintable(message));
    return 1;
}

} // namespace

Inspection inspectMovie(const Movie& movie, Millis time, QSize size) {
    const double scale = size.width() / movie.stageSize().width();
    DrawnItems items(QTransform::fromScale(scale, scale));
    movie.scene().inspect(items, time);
    return {size, items.items()};
}

std::optional<Inspection> inspectFile(const QString& inPath, const RenderOptions& options,
                                      QString& error) {
    const auto input = loadRenderInput(inPath, options.noInformation, error);
    if (!input)
        return std::nullopt;
    const auto size = pictureSize(input->movie->stageSize(), options.width, error);
    if (!size)
        return std::nullopt;
    return inspectMovie(*input->movie, options.time.value_or(input->movie->settledTime()), *size);
}

QJsonObject inspectionJson(const Inspection& inspection) {
    QJsonArray items;
    for (const DrawnItem& item : inspection.items)
        items.append(itemJson(item));
    return {{u"width"_s, inspection.picture.width()},
            {u"height"_s, inspection.picture.height()},
            {u"items"_s, items}};
}

int runInspectCommand(const QStringList& args) {
    if (args.isEmpty() || args.size() % 2 == 0)
        return fail(u"usage: tivora inspect GRAPH [--time MS] [--width W]"_s);
    RenderOptions options;
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        bool ok = false;
        const int number = args[i + 1].toInt(&ok);
        if (!ok || number < 0 || (args[i] == "--width"_L1 && number == 0))
            return fail(u"'%1' is not a valid number for %2"_s.arg(args[i + 1], args[i]));
        if (args[i] == "--time"_L1)
            options.time = number;
        else if (args[i] == "--width"_L1)
            options.width = number;
        else
            return fail(u"unknown option %1; use --time MS or --width W"_s.arg(args[i]));
    }
    QString error;
    const auto inspection = inspectFile(args[0], options, error);
    if (!inspection)
        return fail(error);
    const QByteArray json =
        QJsonDocument(inspectionJson(*inspection)).toJson(QJsonDocument::Compact);
    const bool written = std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout) ==
                             std::size_t(json.size()) &&
                         std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
    return written ? 0 : fail(u"cannot write the inspection to the standard output"_s);
}

} // namespace tivora::engine
