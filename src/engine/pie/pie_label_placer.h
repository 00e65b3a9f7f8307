#pragma once

#include <vector>

namespace tivora::engine {

// Stacks the labels of one side of the pie into a column so that none overlaps another: each
// label goes as near to where its slice points as the labels around it allow. When the column
// cannot hold them all, the labels of the smallest slices are left out.
class PieLabelPlacer {
public:
    struct Label {
        double wantedY = 0; // where the slice points, the label's vertical centre
        double height = 0;
        double weight = 0; // the slice's value: who keeps a place when room runs out
        double y = 0;      // placed vertical centre
        bool shown = true;
    };

    PieLabelPlacer(double top, double bottom);
    void place(std::vector<Label>& labels) const;

private:
    void dropSmallest(std::vector<Label>& labels) const;

    double m_top;
    double m_bottom;
};

} // namespace tivora::engine
