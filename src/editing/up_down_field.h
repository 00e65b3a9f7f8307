#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tivora {

// A read-only number edit with its up-down buttons: only the buttons, or the Up and Down keys in
// the edit, change the number, one step at a time, within the range.
class UpDownField : public QWidget {
    Q_OBJECT

public:
    UpDownField(const QString& editName, const QString& upDownName, int minimum, int maximum,
                QWidget* parent = nullptr);

    QLineEdit* edit() const { return m_edit; }
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }
    void setText(const QString& text);

Q_SIGNALS:
    // A button moved the number to position.
    void stepped(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int delta);

    QLineEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum;
    int m_maximum;
};

} // namespace tivora
