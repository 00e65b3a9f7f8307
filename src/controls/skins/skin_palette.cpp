#include "controls/skins/skin_palette.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

// Text on its ground is readable from this contrast on (WCAG AA for ordinary text).
constexpr double kReadableContrast = 4.5;
constexpr int kStepsTowardsExtreme = 20;

constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive,
                                            QPalette::Disabled};

std::optional<QPalette>& plainPalette() {
    static std::optional<QPalette> plain;
    return plain;
}

double relativeLuminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

QColor mixed(const QColor& from, const QColor& to, double share) {
    const auto channel = [share](int a, int b) {
        return int(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

// plain with every role set, so that a widget given it keeps it whole rather than taking the
// roles it leaves unset from the application (which may hold the last skin's palette).
QPalette everyRoleOf(const QPalette& plain) {
    QPalette whole;
    for (const QPalette::ColorGroup group : kGroups) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colourRole = QPalette::ColorRole(role);
            whole.setBrush(group, colourRole, plain.brush(group, colourRole));
        }
    }
    return whole;
}

// Copies roles of one group from a polished probe widget into palette.
void take(QPalette& palette, const QWidget& probe, QPalette::ColorGroup group,
          std::initializer_list<QPalette::ColorRole> roles) {
    for (const QPalette::ColorRole role : roles)
        palette.setColor(group, role, probe.palette().color(group, role));
}

} // namespace

QPalette SkinPalette::fromStyleSheet(const QPalette& plain) {
    // Probes the rules as a skinned window and its controls would meet them; the probes are never
    // shown.
    QWidget window;
    window.setPalette(everyRoleOf(plain));
    window.setProperty("skin", u"Window"_s);
    auto* field = new QLineEdit(&window);
    auto* button = new QPushButton(&window);
    button->setProperty("skin", u"Button"_s);
    window.ensurePolished();

    QPalette palette = plain;
    for (const QPalette::ColorGroup group : kGroups) {
        take(palette, window, group, {QPalette::Window, QPalette::WindowText});
        take(palette, *field, group,
             {QPalette::Base, QPalette::Text, QPalette::Highlight, QPalette::HighlightedText});
        take(palette, *button, group, {QPalette::Button, QPalette::ButtonText});
        deriveShades(palette, group);
        keepTextsReadable(palette, group);
    }
    return palette;
}

void SkinPalette::deriveShades(QPalette& palette, QPalette::ColorGroup group) {
    const QColor base = palette.color(group, QPalette::Base);
    const QColor text = palette.color(group, QPalette::Text);
    const QColor face = palette.color(group, QPalette::Button);
    // The shades Qt's styles draw bevels and frames with follow the skin's buttons.
    palette.setColor(group, QPalette::Light, face.lighter(150));
    palette.setColor(group, QPalette::Midlight, face.lighter(125));
    palette.setColor(group, QPalette::Mid, face.darker(130));
    palette.setColor(group, QPalette::Dark, face.darker(200));
    palette.setColor(group, QPalette::Shadow, face.darker(300));
    palette.setColor(group, QPalette::AlternateBase, mixed(base, text, 0.06));
    palette.setColor(group, QPalette::PlaceholderText, mixed(base, text, 0.6));
    palette.setColor(group, QPalette::ToolTipBase, base);
    palette.setColor(group, QPalette::ToolTipText, text);
    palette.setColor(group, QPalette::Link, palette.color(group, QPalette::Highlight));
    palette.setColor(group, QPalette::LinkVisited, palette.color(group, QPalette::Highlight));
}

void SkinPalette::keepTextsReadable(QPalette& palette, QPalette::ColorGroup group) {
    const auto keep = [&](QPalette::ColorRole textRole, QPalette::ColorRole groundRole,
                          bool shaded) {
        const QColor ground = palette.color(group, groundRole);
        QList<QColor> grounds{ground};
        // Styles shade a button's face into a gradient, lighter on a dark face (Fusion brightens
        // a dark face by nearly half).
        if (shaded)
            grounds.append(isDark(ground) ? ground.lighter(150) : ground.darker(115));
        palette.setColor(group, textRole, readableOn(palette.color(group, textRole), grounds));
    };
    keep(QPalette::WindowText, QPalette::Window, false);
    keep(QPalette::Text, QPalette::Base, false);
    keep(QPalette::PlaceholderText, QPalette::Base, false);
    keep(QPalette::Link, QPalette::Base, false);
    keep(QPalette::LinkVisited, QPalette::Base, false);
    keep(QPalette::ToolTipText, QPalette::ToolTipBase, false);
    keep(QPalette::HighlightedText, QPalette::Highlight, false);
    keep(QPalette::ButtonText, QPalette::Button, true);
}

void SkinPalette::apply() {
    std::optional<QPalette>& plain = plainPalette();
    if (!plain)
        plain = QApplication::palette();
    QApplication::setPalette(fromStyleSheet(*plain));
}

void SkinPalette::restorePlain() {
    if (std::optional<QPalette>& plain = plainPalette()) {
        QApplication::setPalette(*plain);
        plain.reset();
    }
}

QColor SkinPalette::readableOn(const QColor& colour, const QList<QColor>& grounds) {
    if (grounds.isEmpty())
        return colour;
    const QColor extreme = isDark(grounds.first()) ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 0; step < kStepsTowardsExtreme; ++step) {
        const QColor candidate = mixed(colour, extreme, double(step) / kStepsTowardsExtreme);
        const bool readable =
            std::all_of(grounds.begin(), grounds.end(), [&candidate](const QColor& ground) {
                return contrast(candidate, ground) >= kReadableContrast;
            });
        if (readable)
            return candidate;
    }
    return extreme;
}

bool SkinPalette::isDark(const QColor& ground) {
    return contrast(Qt::white, ground) > contrast(Qt::black, ground);
}

double SkinPalette::contrast(const QColor& one, const QColor& other) {
    const double a = relativeLuminance(one);
    const double b = relativeLuminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace tivora
