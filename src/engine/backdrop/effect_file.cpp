#include "engine/backdrop/effect_file.h"

#include "document/ansi_text.h"
#include "engine/layout/graph_style.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace tivora::engine {
namespace {

constexpr QByteArrayView kSignature = "TVEFFECT 1";
constexpr qsizetype kLargestFile = qsizetype{64} * 1024;
constexpr std::size_t kMostLayers = 16;
constexpr int kMostParticles = 2000;
constexpr int kMostRays = 36;
constexpr int kMostColors = 8;

struct ParseError {
    QString message;
};

double parseNumber(QByteArrayView text) {
    bool ok = false;
    const double value = text.toByteArray().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw ParseError{u"\"%1\" is not a number"_s.arg(ansiToString(text))};
    return value;
}

double bounded(QByteArrayView text, double min, double max) {
    return std::clamp(parseNumber(text), min, max);
}

EffectRange parseRange(QByteArrayView text, double min, double max) {
    // The dash of a range is the first one after the first character, so "-5" and "-5--2" read.
    const qsizetype dash = text.size() > 1 ? text.sliced(1).indexOf('-') : -1;
    if (dash < 0) {
        const double value = bounded(text, min, max);
        return {value, value};
    }
    const double low = bounded(text.first(dash + 1), min, max);
    const double high = bounded(text.sliced(dash + 2), min, max);
    return {std::min(low, high), std::max(low, high)};
}

std::vector<QColor> parseColors(QByteArrayView text) {
    std::vector<QColor> colors;
    for (const QByteArray& part : text.toByteArray().split(',')) {
        if (colors.size() >= std::size_t(kMostColors))
            break;
        const QColor color = colorFromText(part, QColor());
        if (!color.isValid() || !part.trimmed().startsWith("0x"))
            throw ParseError{u"\"%1\" is not a colour (write 0xRRGGBB)"_s.arg(ansiToString(part))};
        colors.push_back(color);
    }
    return colors;
}

ParticleShape parseShape(QByteArrayView text) {
    static const std::map<QByteArray, ParticleShape> shapes{
        {"dot", ParticleShape::Dot},     {"bubble", ParticleShape::Bubble},
        {"flake", ParticleShape::Flake}, {"star", ParticleShape::Star},
        {"spark", ParticleShape::Spark}, {"square", ParticleShape::Square},
        {"ring", ParticleShape::Ring}};
    const auto found = shapes.find(text.toByteArray().toLower());
    if (found == shapes.end())
        throw ParseError{u"\"%1\" is not a particle shape"_s.arg(ansiToString(text))};
    return found->second;
}

using Setter = std::function<void(EffectLayer&, QByteArrayView)>;

const std::map<QByteArray, Setter>& setters() {
    static const std::map<QByteArray, Setter> table{
        {"shape",
         [](EffectLayer& l, QByteArrayView v) {
             l.shape = parseShape(v);
         }},
        {"count",
         [](EffectLayer& l, QByteArrayView v) {
             l.count = int(bounded(v, 0, 400));
         }},
        {"size",
         [](EffectLayer& l, QByteArrayView v) {
             l.size = parseRange(v, 0.2, 80);
         }},
        {"color",
         [](EffectLayer& l, QByteArrayView v) {
             l.colors = parseColors(v);
         }},
        {"opacity",
         [](EffectLayer& l, QByteArrayView v) {
             l.opacity = parseRange(v, 0, 100);
         }},
        {"angle",
         [](EffectLayer& l, QByteArrayView v) {
             l.angle = bounded(v, -3600, 3600);
         }},
        {"speed",
         [](EffectLayer& l, QByteArrayView v) {
             l.speed = parseRange(v, -500, 500);
         }},
        {"sway",
         [](EffectLayer& l, QByteArrayView v) {
             l.sway = bounded(v, 0, 200);
         }},
        {"swayperiod",
         [](EffectLayer& l, QByteArrayView v) {
             l.swayPeriod = bounded(v, 100, 60000);
         }},
        {"spin",
         [](EffectLayer& l, QByteArrayView v) {
             l.spin = bounded(v, -1000, 1000);
         }},
        {"twinkle",
         [](EffectLayer& l, QByteArrayView v) {
             l.twinkle = bounded(v, 0, 60000);
         }},
        {"seed",
         [](EffectLayer& l, QByteArrayView v) {
             l.seed = quint32(bounded(v, 0, 4e9));
         }},
        {"x",
         [](EffectLayer& l, QByteArrayView v) {
             l.origin.setX(bounded(v, -100, 200));
         }},
        {"y",
         [](EffectLayer& l, QByteArrayView v) {
             l.origin.setY(bounded(v, -100, 200));
         }},
        {"width",
         [](EffectLayer& l, QByteArrayView v) {
             l.width = bounded(v, 0.5, 90);
         }},
        {"length",
         [](EffectLayer& l, QByteArrayView v) {
             l.length = bounded(v, 1, 2000);
         }},
        {"radius",
         [](EffectLayer& l, QByteArrayView v) {
             l.length = bounded(v, 1, 2000);
         }},
        {"swing",
         [](EffectLayer& l, QByteArrayView v) {
             l.swing = bounded(v, 0, 180);
         }},
        {"period",
         [](EffectLayer& l, QByteArrayView v) {
             l.period = bounded(v, 100, 120000);
         }},
    };
    return table;
}

EffectLayer parseLayer(const QByteArray& line) {
    const QList<QByteArray> words = line.simplified().split(' ');
    EffectLayer layer;
    if (words.first() == "particles")
        layer.kind = EffectLayer::Kind::Particles;
    else if (words.first() == "rays")
        layer.kind = EffectLayer::Kind::Rays;
    else if (words.first() == "glow")
        layer.kind = EffectLayer::Kind::Glow;
    else
        throw ParseError{u"\"%1\" is not a kind of layer"_s.arg(ansiToString(words.first()))};
    for (qsizetype i = 1; i < words.size(); ++i) {
        const qsizetype equals = words[i].indexOf('=');
        const QByteArray name = words[i].left(equals).toLower();
        const auto setter = setters().find(name);
        if (equals <= 0 || setter == setters().end())
            throw ParseError{u"\"%1\" is not a setting"_s.arg(ansiToString(words[i]))};
        setter->second(layer, QByteArrayView(words[i]).sliced(equals + 1));
    }
    if (layer.kind == EffectLayer::Kind::Rays)
        layer.count = std::min(layer.count, kMostRays);
    return layer;
}

EffectFile parseLines(const QList<QByteArray>& lines) {
    if (lines.isEmpty() || lines.first().trimmed() != kSignature)
        throw ParseError{u"the first line is not \"TVEFFECT 1\""_s};
    EffectFile effect;
    int particles = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        try {
            if (line.startsWith("name=")) {
                effect.name = ansiToString(line.sliced(5)).trimmed();
                continue;
            }
            if (effect.layers.size() >= kMostLayers)
                throw ParseError{u"an effect has at most 16 layers"_s};
            EffectLayer layer = parseLayer(line);
            if (layer.kind == EffectLayer::Kind::Particles) {
                layer.count = std::min(layer.count, kMostParticles - particles);
                particles += layer.count;
            }
            effect.layers.push_back(std::move(layer));
        } catch (const ParseError& error) {
            throw ParseError{u"line %1: %2"_s.arg(i + 1).arg(error.message)};
        }
    }
    return effect;
}

} // namespace

std::optional<EffectFile> EffectFile::parse(const QByteArray& bytes, QString* error) {
    try {
        if (bytes.size() > kLargestFile)
            throw ParseError{u"the file is larger than 64 kB"_s};
        return parseLines(bytes.split('\n'));
    } catch (const ParseError& failure) {
        if (error)
            *error = failure.message;
        return std::nullopt;
    }
}

} // namespace tivora::engine
