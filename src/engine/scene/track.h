#pragma once

#include <limits>
#include <vector>

namespace tivora::engine {

// Time on the movie clock, in milliseconds from the moment the movie was loaded.
using Millis = double;
inline constexpr Millis kForever = std::numeric_limits<Millis>::infinity();

enum class Easing { Linear, OutCubic, InOutSine };

// A property's value over time: a curve through keyframes, flat before the first and after the
// last. A looping track repeats its keyframes every period. Tracks are built at layout and only
// evaluated while painting, so evaluating must stay cheap.
class Track {
public:
    struct Key {
        Millis time;
        double value;
        Easing easing; // how the curve approaches this key from the one before
    };

    Track(double constant = 0.0); // NOLINT: a plain number is a constant track
    static Track ramp(double from, double to, Millis start, Millis duration,
                      Easing easing = Easing::OutCubic);

    Track& then(Millis time, double value, Easing easing = Easing::Linear);
    Track& looping(Millis period);

    double at(Millis time) const;
    // The time after which the value no longer changes; kForever for a looping track.
    Millis endTime() const;
    bool isConstant() const { return m_keys.size() < 2 && m_period <= 0; }

private:
    std::vector<Key> m_keys;
    Millis m_period = 0;
};

} // namespace tivora::engine
