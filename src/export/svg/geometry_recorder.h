#pragma once

#include <QBrush>
#include <QFont>
#include <QPaintDevice>
#include <QPainterPath>
#include <QPen>
#include <memory>
#include <optional>
#include <vector>

namespace tivora::exporting {

class GeometryRecorderEngine;

// A paint device that keeps only what a drawing is made of: what each drawing call draws (a
// shape, a text, a picture) with its look, and its points on the stage. Recording a frame this
// way costs a small part of writing it as SVG, so a writer can compare many moments of a large
// drawing and describe how it moves as a whole.
class GeometryRecorder : public QPaintDevice {
public:
    // What the painter's state gives a call: the same for every call until the state changes.
    struct Look {
        QPen pen;
        QBrush brush;
        double opacity = 1.0;
        std::optional<QPainterPath> clip; // in stage coordinates
        QFont font;

        bool operator==(const Look& other) const;
        bool stretchesAlike() const; // no stroke, no shade: a stretched shape looks stretched
    };
    struct Recording {
        std::vector<Look> looks;             // a new one whenever the state changed
        std::vector<std::size_t> callLooks;  // per call, its look
        std::vector<int> callKinds;          // per call, what it draws
        std::vector<std::size_t> callShapes; // per call, a path's element types as a hash
        std::vector<std::size_t> callEnds;   // per call, where its points end
        std::vector<QString> texts;          // the texts drawn, in turn
        std::vector<qint64> pictures;        // the cache keys of the pictures drawn, in turn
        std::vector<QPointF> points;

        std::size_t callCount() const { return callEnds.size(); }
        std::size_t pointsBegin(std::size_t call) const { return call ? callEnds[call - 1] : 0; }
        const Look& lookOf(std::size_t call) const { return looks[callLooks[call]]; }
        // Whether the call draws a shape, which stretches, rather than a text or a picture.
        bool isShape(std::size_t call) const;
        // Whether call draws what other's call draws, with the same look, wherever it lies.
        bool sameCall(std::size_t call, const Recording& other, std::size_t otherCall) const;
    };

    GeometryRecorder();
    ~GeometryRecorder() override;

    QPaintEngine* paintEngine() const override;
    // What was painted so far; call after the painter has ended.
    Recording takeRecording();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<GeometryRecorderEngine> m_engine;
};

} // namespace tivora::exporting
