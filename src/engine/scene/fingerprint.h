#pragma once

#include <QColor>
#include <QHashFunctions>
#include <QRectF>
#include <QTransform>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tivora::engine {

// A hash of everything that decides how a node looks, built up piece by piece. Equal inputs give
// equal fingerprints within one run of the program, which is as long as any picture is kept.
class Fingerprint {
public:
    Fingerprint& add(double value) { return addBytes(&value, sizeof value); }
    Fingerprint& add(const QRectF& rect) {
        return add(rect.x()).add(rect.y()).add(rect.width()).add(rect.height());
    }
    Fingerprint& add(const QColor& color) { return addWhole(color.rgba64()); }
    Fingerprint& addWhole(std::uint64_t value) { return addBytes(&value, sizeof value); }
    Fingerprint& add(const QTransform& transform) {
        return add(transform.m11())
            .add(transform.m12())
            .add(transform.m13())
            .add(transform.m21())
            .add(transform.m22())
            .add(transform.m23())
            .add(transform.dx())
            .add(transform.dy())
            .add(transform.m33());
    }
    template <typename T> Fingerprint& addAll(std::span<const T> values) {
        return addBytes(values.data(), values.size_bytes());
    }
    // Adds how each of nodes looks once settled; false when one of them cannot tell.
    template <typename Nodes> bool addSettled(const Nodes& nodes) {
        for (const auto& node : nodes) {
            const auto settled = node->settledFingerprint();
            if (!settled)
                return false;
            addWhole(*settled);
        }
        return true;
    }
    std::size_t value() const { return m_value; }

private:
    Fingerprint& addBytes(const void* bytes, std::size_t size) {
        m_value = qHashBits(bytes, size, m_value);
        return *this;
    }

    std::size_t m_value = 0;
};

} // namespace tivora::engine
