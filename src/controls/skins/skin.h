#pragma once

#include "controls/skins/skin_sheet.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <optional>

class QWidget;

namespace tivora {

// The kinds of control a window binds to the skin, each to the element of the same name.
enum class SkinKind {
    Button = 0x01,      // push buttons: "Button"
    GroupBox = 0x02,    // "Frame"
    CheckBox = 0x04,    // "Check"
    RadioButton = 0x08, // "Radio"
    TabSheet = 0x10,    // the pages of a page control: "Tab"
    SkinLabel = 0x20,   // text labels: "Label"
    Panel = 0x40,       // "Panel"
    ScrollBar = 0x80,   // "HScrollBar" or "VScrollBar" by orientation
};
Q_DECLARE_FLAGS(SkinKinds, SkinKind)
Q_DECLARE_OPERATORS_FOR_FLAGS(SkinKinds)

inline constexpr SkinKinds kAllSkinKinds = SkinKinds::fromInt(0xFF);

// Every kind but those left out.
constexpr SkinKinds allSkinKindsBut(SkinKinds leftOut) {
    return kAllSkinKinds & ~leftOut;
}

// A control of a window that carries an element of its own rather than that of its kind.
struct SkinElement {
    QWidget* widget;
    QString name;
};

// The skin every window is painted with: a skin file's style sheet, installed on the application,
// whose rules name elements by the "skin" property that binding a widget to an element sets.
// The main window holds the program's one skin (see installSkin); until a skin file is loaded it
// is the plain look.
class Skin {
public:
    Skin() = default;
    // A skin that goes takes its style sheet off the application.
    ~Skin();
    Skin(const Skin&) = delete;
    Skin& operator=(const Skin&) = delete;

    // Why the file at path cannot be a skin (missing, no ordinary file, too large, not UTF-8, or a
    // style sheet Qt cannot parse), in a sentence naming the file; nothing when it can, and then
    // the sheet read is put into sheet when one is given.
    [[nodiscard]] static std::optional<QString> read(const QString& path,
                                                     std::optional<SkinSheet>* sheet = nullptr);

    // Loads the skin file at path and installs it on the application. A file that cannot be
    // loaded changes nothing and gives false, with why (as read gives it) put into reason when
    // one is given.
    bool load(const QString& path, QString* reason = nullptr);
    // The skin file loaded; empty while the plain look is held.
    const QString& path() const { return m_path; }
    // Whether the skin draws a picture of its own for the element.
    bool givesPicture(const QString& element) const;

    // Paints the widget, and what the skin styles inside it, with the named element.
    void applyElement(QWidget& widget, const QString& name) const;
    // Skins a window as it is shown: the window itself, then each of its controls of the kinds
    // given in the order they were made, then the special elements. The controls of the special
    // elements carry only those.
    void skinWindow(QWidget& window, SkinKinds kinds,
                    const QList<SkinElement>& specialElements = {}) const;

private:
    std::optional<SkinSheet> m_sheet;
    QString m_path;
};

// The skin every window uses: the one installed, or the plain look when none is.
Skin& appSkin();
// Installs skin (owned by the caller, the main window) for every window; nullptr goes back to the
// plain look.
void installSkin(Skin* skin);

// Whether the skin paints the widget's element with a picture of its own, which the widget then
// does not cover with its own picture.
bool skinPaintsPicture(const QWidget& widget);

} // namespace tivora
