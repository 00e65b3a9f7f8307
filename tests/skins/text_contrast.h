#pragma once

// How readable the texts of a window are as drawn: for each text a control shows, the strongest
// ink found in the text's own rectangle against the ground that fills most of it. Text that
// blends into its ground (light on light, dark on dark) has no ink that stands out.
#include "controls/skins/skin_palette.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>
#include <QToolButton>

namespace tivora::test {

using namespace Qt::StringLiterals;

// WCAG AA for ordinary text.
inline constexpr double kReadableText = 4.5;

// A text on screen: what it says, and the rectangle (in the coordinates of the widget it was
// found in) that holds it and its ground only.
struct TextSpot {
    QString text;
    QRect rect;
};

// The contrast of the strongest ink in rect against the colour most of rect shows.
inline double inkContrast(const QImage& image, const QRect& rect) {
    QHash<QRgb, int> counts;
    const QRect inside = rect & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    if (counts.isEmpty())
        return 1.0;
    QRgb ground = counts.constBegin().key();
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        if (it.value() > counts.value(ground))
            ground = it.key();
    double strongest = 1.0;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        strongest = std::max(strongest, SkinPalette::contrast(QColor(it.key()), QColor(ground)));
    return strongest;
}

namespace detail {

inline QString plain(QString text) {
    return text.remove(u'&').trimmed();
}

// The rectangle a text of the widget's font takes when aligned in room.
inline QRect aligned(const QWidget& widget, const QString& text, Qt::Alignment alignment,
                     const QRect& room) {
    const QSize size = widget.fontMetrics().size(Qt::TextShowMnemonic, text);
    return QStyle::alignedRect(widget.layoutDirection(), alignment, size, room) & room;
}

inline void addButton(const QAbstractButton& button, QList<TextSpot>& spots) {
    const QString text = plain(button.text());
    if (text.isEmpty())
        return;
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    if (qobject_cast<const QCheckBox*>(&button) || qobject_cast<const QRadioButton*>(&button)) {
        const auto element = qobject_cast<const QCheckBox*>(&button)
                                 ? QStyle::SE_CheckBoxContents
                                 : QStyle::SE_RadioButtonContents;
        const QRect room = button.style()->subElementRect(element, &option, &button);
        spots.append({text, aligned(button, text, Qt::AlignLeft | Qt::AlignVCenter, room)});
        return;
    }
    if (const auto* tool = qobject_cast<const QToolButton*>(&button);
        tool && tool->toolButtonStyle() != Qt::ToolButtonTextOnly)
        return;
    const QRect room =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    spots.append({text, aligned(button, text, Qt::AlignCenter, room)});
}

inline void addLineEdit(const QLineEdit& edit, QList<TextSpot>& spots) {
    if (edit.text().trimmed().isEmpty() || edit.echoMode() != QLineEdit::Normal)
        return;
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth =
        edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect room = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    // The text starts a couple of pixels into the field and may be scrolled; only its first
    // part is taken, which the field always shows from its start.
    spots.append(
        {edit.text(), aligned(edit, edit.text(), edit.alignment(), room.adjusted(2, 0, -2, 0))});
}

inline void addGroupBox(const QGroupBox& box, QList<TextSpot>& spots) {
    if (plain(box.title()).isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.lineWidth = 1;
    option.textAlignment = box.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (box.isCheckable())
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
    option.features = box.isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    spots.append({box.title(), label});
}

inline void addComboBox(const QComboBox& combo, QList<TextSpot>& spots) {
    // An editable box shows its text in a line edit of its own.
    if (combo.isEditable() || combo.currentText().trimmed().isEmpty())
        return;
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.currentText = combo.currentText();
    option.frame = combo.hasFrame();
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    spots.append(
        {combo.currentText(), aligned(combo, combo.currentText(), Qt::AlignLeft | Qt::AlignVCenter,
                                      field.adjusted(2, 1, -2, -1))});
}

inline void addTabs(const QTabBar& bar, QList<TextSpot>& spots) {
    for (int index = 0; index < bar.count(); ++index) {
        const QString text = plain(bar.tabText(index));
        if (!bar.isTabVisible(index) || text.isEmpty())
            continue;
        spots.append({text, aligned(bar, text, Qt::AlignCenter, bar.tabRect(index))});
    }
}

// The rows an item view shows, right of their pictures; header sections without their borders.
inline void addItemView(const QAbstractItemView& view, QList<TextSpot>& spots) {
    const QAbstractItemModel* model = view.model();
    if (!model)
        return;
    const QPoint offset = view.viewport()->mapTo(&view, QPoint(0, 0));
    const int iconRoom =
        (view.iconSize().isValid() ? view.iconSize().width()
                                   : view.style()->pixelMetric(QStyle::PM_SmallIconSize)) +
        8;
    const int rows = std::min(model->rowCount(view.rootIndex()), 12);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < model->columnCount(view.rootIndex()); ++column) {
            const QModelIndex index = model->index(row, column, view.rootIndex());
            const QString text = index.data().toString().trimmed();
            QRect rect = view.visualRect(index);
            if (text.isEmpty() || !rect.isValid() || view.selectionModel()->isSelected(index))
                continue;
            if (!index.data(Qt::DecorationRole).isNull())
                rect.setLeft(rect.left() + iconRoom);
            spots.append({text, rect.adjusted(1, 1, -1, -1).translated(offset)});
        }
    }
}

inline void addHeader(const QHeaderView& header, QList<TextSpot>& spots) {
    const QAbstractItemModel* model = header.model();
    if (!model || header.isHidden())
        return;
    const QPoint offset = header.viewport()->mapTo(&header, QPoint(0, 0));
    for (int section = 0; section < header.count(); ++section) {
        const QString text = model->headerData(section, header.orientation()).toString().trimmed();
        if (text.isEmpty() || header.isSectionHidden(section))
            continue;
        const int position = header.sectionViewportPosition(section);
        const QRect rect = header.orientation() == Qt::Horizontal
                               ? QRect(position, 0, header.sectionSize(section), header.height())
                               : QRect(0, position, header.width(), header.sectionSize(section));
        spots.append({text, rect.adjusted(3, 3, -3, -3).translated(offset)});
    }
}

inline void addMenuItems(const QWidget& menu, QList<TextSpot>& spots) {
    for (QAction* action : menu.actions()) {
        const QString text = plain(action->text());
        if (!action->isVisible() || action->isSeparator() || text.isEmpty() || action->menu())
            continue;
        QRect rect;
        if (const auto* popup = qobject_cast<const QMenu*>(&menu))
            rect = popup->actionGeometry(action);
        else if (const auto* bar = qobject_cast<const QMenuBar*>(&menu))
            rect = bar->actionGeometry(action);
        spots.append({text, rect.adjusted(1, 1, -1, -1)});
    }
}

// The text spots of one widget, in its own coordinates.
inline QList<TextSpot> spotsOf(const QWidget& widget) {
    QList<TextSpot> spots;
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        if (!plain(label->text()).isEmpty())
            spots.append({label->text(), label->contentsRect()});
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        addButton(*button, spots);
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
        addLineEdit(*edit, spots);
    } else if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) {
        addGroupBox(*box, spots);
    } else if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        addComboBox(*combo, spots);
    } else if (const auto* bar = qobject_cast<const QTabBar*>(&widget)) {
        addTabs(*bar, spots);
    } else if (const auto* header = qobject_cast<const QHeaderView*>(&widget)) {
        addHeader(*header, spots);
    } else if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget)) {
        addItemView(*view, spots);
    } else if (qobject_cast<const QMenu*>(&widget) || qobject_cast<const QMenuBar*>(&widget)) {
        addMenuItems(widget, spots);
    }
    return spots;
}

} // namespace detail

// Every text window shows that reads at less than kReadableText against its ground, each as
// "what 'text' ratio:1".
inline QStringList unreadableTexts(QWidget& window) {
    const QImage image = window.grab().toImage();
    const qreal scale = window.devicePixelRatioF();
    QList<const QWidget*> widgets{&window};
    for (const QWidget* child : window.findChildren<QWidget*>())
        if (child->window() == &window && child->isVisibleTo(&window))
            widgets.append(child);
    QStringList faults;
    for (const QWidget* widget : widgets) {
        // A colour panel shows its colour; its caption carries the colour text for the graph
        // file and is hidden in the panel's own colour on purpose.
        if (widget->inherits("tivora::ColourPanelLabel"))
            continue;
        const QRect visible = widget->visibleRegion().boundingRect();
        for (const TextSpot& spot : detail::spotsOf(*widget)) {
            const QRect rect = spot.rect & visible;
            if (rect.width() < 3 || rect.height() < 5)
                continue;
            const QRect inWindow(widget->mapTo(&window, rect.topLeft()) * scale,
                                 rect.size() * scale);
            const double ratio = inkContrast(image, inWindow);
            if (ratio < kReadableText)
                faults.append(u"%1 %2 '%3' %4:1"_s.arg(
                    QString::fromLatin1(widget->metaObject()->className()), widget->objectName(),
                    spot.text.left(40), QString::number(ratio, 'f', 2)));
        }
    }
    return faults;
}

} // namespace tivora::test
