// Effect files are picked by the user from any folder and copied along when publishing: the
// reader must refuse or accept any bytes without fault, keep what it accepts within its limits,
// and the effect it accepts must paint at any time.
#include "engine/backdrop/effect_file.h"
#include "engine/backdrop/effect_node.h"

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tivora::engine;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const auto effect = EffectFile::parse(bytes, &error);
    if (!effect) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    int particles = 0;
    for (const EffectLayer& layer : effect->layers)
        particles += layer.kind == EffectLayer::Kind::Particles ? layer.count : 0;
    if (effect->layers.size() > 16 || particles > 2000)
        std::abort();
    QImage image(70, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.scale(0.1, 0.1);
    const EffectNode node(*effect, QRectF(0, 0, 700, 475), 0.7);
    node.paint(painter, 0.0);
    node.paint(painter, 123456.0);
    return 0;
}
