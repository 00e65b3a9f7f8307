#include "publish/graph_preparation.h"

#include "document/ansi_text.h"
#include "document/graph_keys.h"
#include "document/regular_file.h"
#include "document/variable_text.h"
#include "engine/backdrop/backdrop_files.h"
#include "engine/backdrop/effect_file.h"
#include "publish/asp_parameters.h"
#include "publish/file_copy.h"
#include "publish/movie_patcher.h"
#include "publish/picture_bytes.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace tivora::publish {
namespace {

// The entries whose picture paths are cut to bare names, each as its key and "=".
const QByteArray kImagesEntry = keys::entryStart(keys::kBackImages);
const QByteArray kPieImageEntry = keys::entryStart(keys::kPieImage);
constexpr int kBackgroundPictures = 3;

QByteArray bareNameBytes(QByteArrayView path) {
    const qsizetype separator = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    const QByteArrayView name = path.sliced(separator + 1);
    return (name == "." || name == "..") ? QByteArray() : name.toByteArray();
}

// Replaces the value of key (which ends in "=") in line by value; the rest of the line keeps
// from the "&" after the key on.
QByteArray replaceValue(const QByteArray& line, QByteArrayView key, const QByteArray& value) {
    const qsizetype at = line.indexOf(key);
    if (at < 0)
        return line;
    const qsizetype next = line.indexOf('&', at + key.size());
    return line.first(at) + key.toByteArray() + value + (next >= 0 ? line.sliced(next) : "");
}

QList<QByteArray> graphLines(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QString> pictureRefusal(const QByteArray& bytes) {
    if (isPictureBytes(bytes))
        return std::nullopt;
    return u"it is no PNG, JPEG, GIF, BMP or SVG picture"_s;
}

std::optional<QString> effectRefusal(const QByteArray& bytes) {
    QString error;
    if (engine::EffectFile::parse(bytes, &error))
        return std::nullopt;
    return u"it is no effect file ("_s + error + u')';
}

class Preparation {
public:
    Preparation(const QString& graphPath, const PublishPlaces& places, PublishLog& log)
        : m_graphFolder(QFileInfo(graphPath).absoluteDir())
        , m_output(places.outputFolder)
        , m_data(places.dataFolder)
        , m_runOutputs(places.runOutputs)
        , m_log(log) {}

    void copyPictures(const QByteArray& list) {
        ListReader items(list);
        QList<QByteArray> copied;
        for (int i = 0; i < kBackgroundPictures; ++i) {
            const QByteArray item = items.NextListItem();
            if (!copied.contains(item))
                copyPicture(item);
            copied.append(item);
        }
    }

    void copyPicture(const QByteArray& item) {
        const QString path = ansiToString(item);
        const auto name = bareFileName(path);
        const auto source = engine::locatePicture(path, m_graphFolder);
        if (!name || !source) {
            m_log.failure(u"Could not copy the picture "_s + path + u": the file does not exist"_s);
            return;
        }
        if (copyChecked(*source, *name, u"picture "_s + path, pictureRefusal))
            m_log.line(path);
    }

    void copyEffect(const QByteArray& effect) {
        const QString name = ansiToString(effect);
        if (name.isEmpty()) {
            m_log.line(QString());
            return;
        }
        const auto bare = bareFileName(name);
        const auto source = bare ? engine::findInFolder(m_data, *bare) : std::nullopt;
        if (!source) {
            m_log.failure(u"Could not copy the effect "_s + name + u": it is not in "_s +
                          QDir::toNativeSeparators(m_data.path()));
            return;
        }
        if (copyChecked(*source, *bare, u"effect "_s + name, effectRefusal))
            m_log.line(*bare);
    }

    bool takeAsp(PreparedGraph& graph, const AspParameters& parameters, const QString& path) {
        if (const auto* problem = std::get_if<QString>(&parameters)) {
            m_log.failure(u"Skipped "_s + path + u": "_s + *problem);
            return false;
        }
        graph.aspParameters = std::get<QByteArray>(parameters);
        return true;
    }

private:
    using Refusal = std::optional<QString> (*)(const QByteArray&);

    // Copies the file at source into the output folder as name when it is what it is meant to
    // be. The bytes checked are the bytes written, so the file cannot change in between.
    bool copyChecked(const QString& source, const QString& name, const QString& shownAs,
                     Refusal refusal) {
        const QString skipped = u"Skipped the "_s + shownAs + u": "_s;
        if (m_runOutputs.contains(name.toLower())) {
            m_log.failure(skipped + u"its name "_s + name +
                          u" is that of a file this publish writes"_s);
            return false;
        }
        QByteArray bytes;
        auto reason = readInputFile(source, bytes);
        if (!reason)
            reason = refusal(bytes);
        if (!reason)
            reason = writeWholeFile(m_output.filePath(name), bytes);
        if (reason)
            m_log.failure(skipped + *reason);
        return !reason;
    }

    QDir m_graphFolder;
    QDir m_output;
    QDir m_data;
    const QSet<QString>& m_runOutputs;
    PublishLog& m_log;
};

} // namespace

QByteArray withBarePictureNames(const QByteArray& line) {
    QByteArray result = line;
    if (line.contains(kImagesEntry)) {
        ListReader items(GetEncodedValue(keys::kBackImages, line));
        QByteArray value;
        for (int i = 0; i < kBackgroundPictures; ++i) {
            if (i > 0)
                value += EncodeValue(kListSeparator);
            value += EncodeValue(bareNameBytes(items.nextItem()));
        }
        result = replaceValue(result, kImagesEntry, value);
    }
    if (result.contains(kPieImageEntry)) {
        ListReader items(GetEncodedValue(keys::kPieImage, result));
        result = replaceValue(result, kPieImageEntry, EncodeValue(bareNameBytes(items.nextItem())));
    }
    return result;
}

std::optional<PreparedGraph> PrepareGraphForPublish(const QString& graphPath,
                                                    const PublishPlaces& places, PublishLog& log) {
    QByteArray bytes;
    if (const auto reason = readInputFile(graphPath, bytes)) {
        log.failure(u"Skipped "_s + graphPath + u": the graph file could not be read: "_s +
                    *reason);
        return std::nullopt;
    }
    const QList<QByteArray> lines = graphLines(bytes);
    if (lines.size() > kSlotCount) {
        log.failure(u"Skipped "_s + graphPath +
                    u": it has %1 lines, more than the %2 a graph "
                    "movie holds"_s.arg(lines.size())
                        .arg(kSlotCount));
        return std::nullopt;
    }
    const VariableText text(lines.join());
    Preparation preparation(graphPath, places, log);
    PreparedGraph graph;
    graph.aspFlag = text.encodedValueAlias(keys::kAspFlagLong, keys::kAspFlag);
    graph.pageColour = text.valueAlias(keys::kBackColorLong, keys::kBackColor);
    graph.header = text.encodedValueAlias(keys::kHeaderLong, keys::kHeader);
    const QByteArray type =
        text.encodedValueAlias(keys::kGraphTypeLong, keys::kGraphType).toUpper();
    const bool asp = graph.aspFlag == "ASP";
    if (type == "SBAR" || type == "BAR" || type == "AREA" || type == "LINE") {
        if (asp && !preparation.takeAsp(graph, barAspParameters(text), graphPath))
            return std::nullopt;
        const QByteArray pictures = text.encodedValue(keys::kBackImages);
        if (!pictures.isEmpty())
            preparation.copyPictures(pictures);
        preparation.copyEffect(text.encodedValue(keys::kBackEffect));
    } else if (type == "PIE") {
        const QByteArray picture = text.encodedValue(keys::kPieImage);
        if (!picture.isEmpty())
            preparation.copyPicture(picture);
        if (asp && !preparation.takeAsp(graph, pieAspParameters(text), graphPath))
            return std::nullopt;
    }
    for (const QByteArray& line : lines)
        graph.lines.append(withBarePictureNames(line));
    return graph;
}

} // namespace tivora::publish
