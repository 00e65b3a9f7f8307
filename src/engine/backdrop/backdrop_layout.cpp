#include "document/ansi_text.h"
#include "document/graph_keys.h"
#include "document/program_folder.h"
#include "document/variable_text.h"
#include "engine/backdrop/backdrop_files.h"
#include "engine/backdrop/backdrop_images_node.h"
#include "engine/backdrop/effect_file.h"
#include "engine/backdrop/effect_node.h"
#include "engine/layout/graph_frame_transform.h"
#include "engine/layout/graph_layout.h"
#include "engine/layout/graph_text.h"
#include "engine/scene/group_node.h"

#include <QFile>

namespace tivora::engine {
namespace {

constexpr int kMostImages = 3;

std::vector<QImage> loadImages(const GraphText& text, const QDir& movieFolder, QSizeF shown) {
    std::vector<QImage> images;
    const QByteArray list = text.bytes(keys::kBackImages);
    if (list.trimmed().isEmpty())
        return images;
    ListReader reader(list);
    QStringList seen;
    for (int i = 0; i < kMostImages; ++i) {
        const QString path = ansiToString(reader.NextListItem()).trimmed();
        if (path.isEmpty() || seen.contains(path))
            continue;
        seen.append(path);
        QImage image = loadPicture(path, movieFolder, shown);
        if (!image.isNull())
            images.push_back(std::move(image));
    }
    return images;
}

std::optional<EffectFile> loadEffect(const GraphText& text, const QDir& movieFolder) {
    // The effect is always a file of the movie folder or one the program ships, whatever folder
    // the text names. The designer stores the bare names of the effects it offers from its Data
    // folder, so a graph drawn from its own folder still finds them there.
    const QString name = fileNameOfPath(text.string(keys::kBackEffect));
    const QDir programData(programDataPath(QString()));
    auto path = findInFolder(movieFolder, name);
    if (!path && movieFolder != programData)
        path = findInFolder(programData, name);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return EffectFile::parse(file.read(qint64{256} * 1024));
}

} // namespace

void layoutBackdrop(const VariableText& variables, const GraphFrame& frame, const QDir& movieFolder,
                    Scene& scene) {
    const GraphText text(variables);
    const QRectF area = frame.plotArea;
    std::vector<QImage> images = loadImages(text, movieFolder, area.size());
    if (!images.empty()) {
        auto group = std::make_unique<GroupNode>(graphFrameTransform(frame), area);
        group->add(std::make_unique<BackdropImagesNode>(
            std::move(images), area, text.number(keys::kBackImageAlpha, 50, 0, 100) / 100.0));
        scene.add(Layer::Backdrop, std::move(group));
    }
    if (const auto effect = loadEffect(text, movieFolder); effect && !effect->layers.empty()) {
        auto group = std::make_unique<GroupNode>(graphFrameTransform(frame), area);
        group->add(std::make_unique<EffectNode>(
            *effect, area, text.number(keys::kBackEffectAlpha, 50, 0, 100) / 100.0));
        scene.add(Layer::Effect, std::move(group));
    }
}

} // namespace tivora::engine
