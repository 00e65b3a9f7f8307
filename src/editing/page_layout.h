#pragma once

#include <QString>
#include <utility>
#include <vector>

class QAbstractSlider;
class QGroupBox;
class QLabel;
class QLayout;
class QPushButton;
class QRadioButton;
class QWidget;

// Layout pieces the editing pages share, so that their groups look alike and stay compact in the
// narrow editing side of the main window.
namespace tivora {

class CaptionedTrackbar;

// A group box with a tight layout.
QGroupBox* compactGroup(const QString& title, QLayout* layout);
// A label for a control: its text, and the control it names as its buddy.
QLabel* fieldLabel(const QString& text, QWidget* buddy);
// A group of controls, each beneath its label, perRow to a row.
QGroupBox* labelledGroup(const QString& title,
                         const std::vector<std::pair<QString, QWidget*>>& fields, int perRow);
// A group with a bar across (its caption at its right) and a bar up and down (its caption
// beneath), with an optional note beside the bars.
QGroupBox* positionGroup(const QString& title, CaptionedTrackbar* across, CaptionedTrackbar* upDown,
                         QWidget* note = nullptr);
// A bar under its question, the bar's caption at its right and the meaning of its two ends
// beneath it ("Transparent" ... "Opaque").
QWidget* endedBar(const QString& question, CaptionedTrackbar* bar, const QString& lowEnd,
                  const QString& highEnd);
// The same with another widget showing the bar's position.
QWidget* endedBar(const QString& question, QAbstractSlider* bar, QWidget* position,
                  const QString& lowEnd, const QString& highEnd);
// The "Animate ... Opening?" group: "Yes" and "No" on the left, the speed bar between its end
// labels "5" and "100" on the right, "Speed" and the bar's caption above it.
QGroupBox* animateOpeningGroup(const QString& title, QRadioButton* yes, QRadioButton* no,
                               CaptionedTrackbar* speed);
// The small "..." button beside a field or colour panel that opens its dialog.
QPushButton* ellipsisButton(const QString& name, const QString& hint);
// The line under a grid whose rows open a dialog of their options, with the keys that do the
// same from the keyboard as its hint.
QLabel* rowOptionsHint();
// A radio button with its name, caption and hint.
QRadioButton* namedRadio(const QString& name, const QString& caption, const QString& hint);

// Makes Tab visit widgets in the order given, which is the order they are read in.
void setReadingTabOrder(const std::vector<QWidget*>& widgets);

// Gives a new control its system name (which tests and skins find it by) and its hint.
template <typename Widget>
Widget* named(Widget* widget, const QString& name, const QString& hint = QString()) {
    widget->setObjectName(name);
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

} // namespace tivora
