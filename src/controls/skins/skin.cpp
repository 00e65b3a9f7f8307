#include "controls/skins/skin.h"

#include "controls/skins/skin_palette.h"
#include "document/regular_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace tivora {
namespace {

const char* const kSkinProperty = "skin";
const QString kWindowElement = u"Window"_s;

// Qt drops a style sheet it cannot parse with no more than a warning; the warning is caught
// here while a throwaway widget parses the sheet.
bool s_parseRefused = false;
QtMessageHandler s_previousHandler = nullptr;

void catchParseWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(u"Could not parse"_s)) {
        s_parseRefused = true;
        return;
    }
    if (s_previousHandler)
        s_previousHandler(type, context, text);
}

// Runs parse, which makes Qt parse a style sheet, and tells whether Qt took the sheet.
template <typename Parse> bool qtTakes(Parse parse) {
    s_parseRefused = false;
    s_previousHandler = qInstallMessageHandler(catchParseWarning);
    parse();
    qInstallMessageHandler(s_previousHandler);
    return !s_parseRefused;
}

// Qt parses a sheet when the first widget under it is polished.
void polishAProbe(const QString& widgetSheet = {}) {
    QWidget probe;
    if (!widgetSheet.isEmpty())
        probe.setStyleSheet(widgetSheet);
    probe.ensurePolished();
}

// Our own reading of the skin file at path: why it is no skin, or nothing and the sheet.
std::optional<QString> readSheet(const QString& path, std::optional<SkinSheet>& sheet) {
    QByteArray bytes;
    if (auto reason = readInputFile(path, bytes))
        return reason;
    QString problem;
    sheet = SkinSheet::parse(bytes, QFileInfo(path).absolutePath(), &problem);
    if (!sheet)
        return u"%1 is no skin: %2"_s.arg(QFileInfo(path).fileName(), problem);
    return std::nullopt;
}

bool isPanel(const QWidget& widget) {
    // Panels are the window's plain containers, named as panels; subclasses of them (colour
    // panels, pictures, players) are controls of their own.
    const QMetaObject* type = widget.metaObject();
    const QString name = widget.objectName();
    return (type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject) &&
           (name.startsWith(u"pnl"_s) || name.startsWith(u"Panel"_s));
}

// The element of the widget's kind, when the window binds that kind; nothing otherwise.
std::optional<QString> elementOfKind(const QWidget& widget, SkinKinds kinds) {
    const auto bound = [kinds](SkinKind kind, const QString& element) -> std::optional<QString> {
        if (kinds.testFlag(kind))
            return element;
        return std::nullopt;
    };
    // Flat buttons stand for links and pictures, not push buttons.
    if (const auto* button = qobject_cast<const QPushButton*>(&widget))
        return button->isFlat() ? std::nullopt : bound(SkinKind::Button, u"Button"_s);
    if (qobject_cast<const QGroupBox*>(&widget))
        return bound(SkinKind::GroupBox, u"Frame"_s);
    if (qobject_cast<const QCheckBox*>(&widget))
        return bound(SkinKind::CheckBox, u"Check"_s);
    if (qobject_cast<const QRadioButton*>(&widget))
        return bound(SkinKind::RadioButton, u"Radio"_s);
    if (const auto* bar = qobject_cast<const QScrollBar*>(&widget)) {
        return bound(SkinKind::ScrollBar,
                     bar->orientation() == Qt::Horizontal ? u"HScrollBar"_s : u"VScrollBar"_s);
    }
    if (widget.metaObject() == &QLabel::staticMetaObject)
        return bound(SkinKind::SkinLabel, u"Label"_s);
    if (qobject_cast<const QStackedWidget*>(widget.parentWidget()))
        return bound(SkinKind::TabSheet, u"Tab"_s);
    if (isPanel(widget))
        return bound(SkinKind::Panel, u"Panel"_s);
    return std::nullopt;
}

// Calls visit for every widget of the window below root, depth first in the order they were
// made; other windows (dialogs owned by it, pop-ups) are theirs to skin.
template <typename Visit> void forEachOwnWidget(const QWidget& root, Visit&& visit) {
    for (QObject* child : root.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        visit(*widget);
        forEachOwnWidget(*widget, visit);
    }
}

// Sets the element; true when it changed. A widget class of the program's own paints itself and
// draws no style sheet background; with the attribute Qt paints the element's ground first.
bool bind(QWidget& widget, const QString& element) {
    if (widget.property(kSkinProperty).toString() == element)
        return false;
    widget.setProperty(kSkinProperty, element);
    if (!QByteArray(widget.metaObject()->className()).startsWith('Q'))
        widget.setAttribute(Qt::WA_StyledBackground);
    return true;
}

void repolish(QWidget& widget) {
    QStyle* style = widget.style();
    style->unpolish(&widget);
    style->polish(&widget);
    QEvent changed(QEvent::StyleChange);
    QCoreApplication::sendEvent(&widget, &changed);
}

// Rules match a widget by its element and by those of the widgets around it, so binding an
// element restyles everything inside the widget too. Without a skin there is nothing to restyle.
void restyle(QWidget& root) {
    if (qApp->styleSheet().isEmpty())
        return;
    repolish(root);
    forEachOwnWidget(root, repolish);
}

Skin*& installed() {
    static Skin* skin = nullptr;
    return skin;
}

QString unparsedSheet(const QString& path) {
    return u"%1 is no skin: its style sheet cannot be parsed."_s.arg(QFileInfo(path).fileName());
}

} // namespace

Skin::~Skin() {
    if (m_sheet && qApp && qApp->styleSheet() == m_sheet->styleSheet()) {
        qApp->setStyleSheet(QString());
        SkinPalette::restorePlain();
    }
}

std::optional<QString> Skin::read(const QString& path, std::optional<SkinSheet>* sheet) {
    std::optional<SkinSheet> parsed;
    if (auto reason = readSheet(path, parsed))
        return reason;
    if (!qtTakes([&parsed] { polishAProbe(parsed->styleSheet()); }))
        return unparsedSheet(path);
    if (sheet)
        *sheet = std::move(parsed);
    return std::nullopt;
}

bool Skin::load(const QString& path, QString* reason) {
    const auto refuse = [reason](QString why) {
        if (reason)
            *reason = std::move(why);
        return false;
    };
    std::optional<SkinSheet> sheet;
    if (auto why = readSheet(path, sheet))
        return refuse(std::move(*why));
    // Checked as the application's own sheet, so Qt parses it once, not once for a check and
    // again for the windows.
    const QString previous = qApp->styleSheet();
    if (!qtTakes([&sheet] {
            qApp->setStyleSheet(sheet->styleSheet());
            polishAProbe();
        })) {
        qApp->setStyleSheet(previous);
        return refuse(unparsedSheet(path));
    }
    m_sheet = std::move(sheet);
    m_path = path;
    SkinPalette::apply();
    // A widget given a style of its own before the sheet came (the main page control's compact
    // tab bar) keeps that style unsheeted; setting it again wraps it in the sheet.
    for (QWidget* widget : QApplication::allWidgets())
        if (widget->testAttribute(Qt::WA_SetStyle))
            widget->setStyle(widget->style());
    return true;
}

bool Skin::givesPicture(const QString& element) const {
    return m_sheet && m_sheet->pictureElements().contains(element);
}

void Skin::applyElement(QWidget& widget, const QString& name) const {
    if (bind(widget, name))
        restyle(widget);
}

void Skin::skinWindow(QWidget& window, SkinKinds kinds,
                      const QList<SkinElement>& specialElements) const {
    bool changed = bind(window, kWindowElement);
    forEachOwnWidget(window, [&](QWidget& widget) {
        const bool special = std::any_of(
            specialElements.begin(), specialElements.end(),
            [&widget](const SkinElement& element) { return element.widget == &widget; });
        if (special)
            return;
        if (const std::optional<QString> element = elementOfKind(widget, kinds))
            changed = bind(widget, *element) || changed;
    });
    for (const SkinElement& element : specialElements)
        changed = bind(*element.widget, element.name) || changed;
    if (changed)
        restyle(window);
}

Skin& appSkin() {
    static Skin plainLook;
    Skin* skin = installed();
    return skin ? *skin : plainLook;
}

void installSkin(Skin* skin) {
    installed() = skin;
}

bool skinPaintsPicture(const QWidget& widget) {
    return appSkin().givesPicture(widget.property(kSkinProperty).toString());
}

} // namespace tivora
