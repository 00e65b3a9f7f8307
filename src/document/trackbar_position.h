#pragma once

#include <algorithm>

namespace tivora {

// The position of a trackbar or scroll bar: any position set is held within the control's range,
// as the control itself would hold it.
class TrackbarPosition {
public:
    constexpr TrackbarPosition(int minimum, int maximum, int position)
        : m_minimum(minimum)
        , m_maximum(maximum)
        , m_position(std::clamp(position, minimum, maximum)) {}

    constexpr int minimum() const { return m_minimum; }
    constexpr int maximum() const { return m_maximum; }
    constexpr int position() const { return m_position; }
    constexpr void setPosition(int position) {
        m_position = std::clamp(position, m_minimum, m_maximum);
    }

    bool operator==(const TrackbarPosition&) const = default;

private:
    int m_minimum;
    int m_maximum;
    int m_position;
};

} // namespace tivora
