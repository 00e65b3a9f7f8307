#pragma once

#include <QSlider>

class QLabel;

namespace tivora {

// A position bar with the caption label beside it that shows its position as a plain integer.
// The label is set before anyone else hears of a new position, so whatever reacts to the change
// already finds the label right.
class CaptionedTrackbar : public QSlider {
    Q_OBJECT

public:
    CaptionedTrackbar(const QString& name, const QString& captionName, Qt::Orientation orientation,
                      QWidget* parent = nullptr);

    QLabel* caption() const { return m_caption; }

private:
    QLabel* m_caption;
};

} // namespace tivora
