#include "engine/scene/track.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tivora::engine {
namespace {

double eased(Easing easing, double progress) {
    switch (easing) {
    case Easing::Linear:
        return progress;
    case Easing::OutCubic:
        return 1.0 - std::pow(1.0 - progress, 3.0);
    case Easing::InOutSine:
        return 0.5 - 0.5 * std::cos(std::numbers::pi * progress);
    }
    return progress;
}

} // namespace

Track::Track(double constant)
    : m_keys{{0.0, constant, Easing::Linear}} {}

Track Track::ramp(double from, double to, Millis start, Millis duration, Easing easing) {
    Track track(from);
    track.m_keys.front().time = start;
    track.then(start + std::max(duration, 0.0), to, easing);
    return track;
}

Track& Track::then(Millis time, double value, Easing easing) {
    if (!m_keys.empty())
        time = std::max(time, m_keys.back().time);
    m_keys.push_back({time, value, easing});
    return *this;
}

Track& Track::looping(Millis period) {
    m_period = period;
    return *this;
}

double Track::at(Millis time) const {
    if (m_keys.size() == 1)
        return m_keys.front().value;
    if (m_period > 0 && time > m_keys.front().time)
        time = m_keys.front().time + std::fmod(time - m_keys.front().time, m_period);
    if (time <= m_keys.front().time)
        return m_keys.front().value;
    const auto next = std::upper_bound(m_keys.begin(), m_keys.end(), time,
                                       [](Millis t, const Key& key) { return t < key.time; });
    if (next == m_keys.end())
        return m_keys.back().value;
    const Key& before = *(next - 1);
    const double span = next->time - before.time;
    const double progress = span > 0 ? (time - before.time) / span : 1.0;
    return before.value + (next->value - before.value) * eased(next->easing, progress);
}

Millis Track::endTime() const {
    if (m_period > 0)
        return kForever;
    return m_keys.size() < 2 ? 0.0 : m_keys.back().time;
}

} // namespace tivora::engine
