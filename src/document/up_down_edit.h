#pragma once

#include <QString>
#include <algorithm>

namespace tivora {

// A read-only number edit with its up-down buttons (the font sizes). The edit's text is what the
// graph file carries; setting the up-down's position holds it within range and shows it in the
// edit, as the buddy edit of an up-down control does.
class UpDownEdit {
public:
    UpDownEdit(int minimum, int maximum, int position)
        : m_minimum(minimum)
        , m_maximum(maximum) {
        setPosition(position);
    }

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    const QString& text() const { return m_text; }
    // The text as read from a file, before the up-down takes it up.
    void setText(const QString& text) { m_text = text; }
    void setPosition(int position) {
        m_text = QString::number(std::clamp(position, m_minimum, m_maximum));
    }

    bool operator==(const UpDownEdit&) const = default;

private:
    int m_minimum;
    int m_maximum;
    QString m_text;
};

} // namespace tivora
