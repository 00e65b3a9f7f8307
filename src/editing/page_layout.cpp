#include "editing/page_layout.h"

#include "editing/captioned_trackbar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace tivora {

QGroupBox* compactGroup(const QString& title, QLayout* layout) {
    auto* group = new QGroupBox(title);
    // Groups keep their own height; a page's spare room goes below its last group.
    group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    group->setLayout(layout);
    return group;
}

QLabel* fieldLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QGroupBox* labelledGroup(const QString& title,
                         const std::vector<std::pair<QString, QWidget*>>& fields, int perRow) {
    auto* layout = new QGridLayout;
    layout->setVerticalSpacing(1);
    for (int index = 0; index < int(fields.size()); ++index) {
        const auto& [text, field] = fields[std::size_t(index)];
        const int row = index / perRow * 2;
        const int column = index % perRow;
        layout->addWidget(fieldLabel(text, field), row, column);
        layout->addWidget(field, row + 1, column);
    }
    layout->setColumnStretch(perRow, 1);
    return compactGroup(title, layout);
}

QGroupBox* positionGroup(const QString& title, CaptionedTrackbar* across, CaptionedTrackbar* upDown,
                         QWidget* note) {
    auto* layout = new QGridLayout;
    upDown->setFixedHeight(note ? 72 : 52);
    layout->addWidget(across, 0, 0);
    layout->addWidget(across->caption(), 0, 1);
    layout->addWidget(upDown, 0, 2, 2, 1);
    layout->addWidget(upDown->caption(), 0, 3, 2, 1);
    if (note)
        layout->addWidget(note, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    return compactGroup(title, layout);
}

QWidget* endedBar(const QString& question, CaptionedTrackbar* bar, const QString& lowEnd,
                  const QString& highEnd) {
    return endedBar(question, bar, bar->caption(), lowEnd, highEnd);
}

QWidget* endedBar(const QString& question, QAbstractSlider* bar, QWidget* position,
                  const QString& lowEnd, const QString& highEnd) {
    auto* widget = new QWidget;
    auto* layout = new QGridLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(0);
    if (!question.isEmpty())
        layout->addWidget(fieldLabel(question, bar), 0, 0, 1, 3);
    layout->addWidget(bar, 1, 0, 1, 2);
    layout->addWidget(position, 1, 2);
    layout->addWidget(new QLabel(lowEnd), 2, 0, Qt::AlignLeft);
    layout->addWidget(new QLabel(highEnd), 2, 1, Qt::AlignRight);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return widget;
}

QGroupBox* animateOpeningGroup(const QString& title, QRadioButton* yes, QRadioButton* no,
                               CaptionedTrackbar* speed) {
    auto* layout = new QGridLayout;
    layout->setVerticalSpacing(1);
    layout->addWidget(yes, 0, 0);
    layout->addWidget(no, 1, 0);
    auto* caption = new QHBoxLayout;
    caption->addWidget(fieldLabel(QStringLiteral("Speed"), speed));
    caption->addWidget(speed->caption());
    caption->addStretch();
    layout->addLayout(caption, 0, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("5")), 1, 1);
    layout->addWidget(speed, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("100")), 1, 3);
    layout->setColumnStretch(2, 1);
    layout->setColumnMinimumWidth(0, 60);
    return compactGroup(title, layout);
}

QPushButton* ellipsisButton(const QString& name, const QString& hint) {
    auto* button = named(new QPushButton(QStringLiteral("...")), name, hint);
    button->setFixedSize(24, 20);
    return button;
}

void setReadingTabOrder(const std::vector<QWidget*>& widgets) {
    for (std::size_t index = 1; index < widgets.size(); ++index)
        QWidget::setTabOrder(widgets[index - 1], widgets[index]);
}

QLabel* rowOptionsHint() {
    auto* hint = new QLabel(QStringLiteral("Select line and then Double-Click to edit properties"));
    hint->setWordWrap(true);
    hint->setToolTip(
        QStringLiteral("From the keyboard: Enter on the name, the context-menu key or Alt+Enter "
                       "opens the properties of the selected line, Ctrl+Tab leaves the grid."));
    return hint;
}

QRadioButton* namedRadio(const QString& name, const QString& caption, const QString& hint) {
    return named(new QRadioButton(caption), name, hint);
}

} // namespace tivora
