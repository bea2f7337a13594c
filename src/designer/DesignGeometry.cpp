#include "designer/DesignGeometry.h"

#include <cmath>
#include <utility>

namespace {

// The best shift of one axis: the edges low and high of the moved rectangle
// against the others' edges on that axis and the grid.
struct AxisSnap {
    double shift = 0;
    double distance = 0;
    bool found = false;

    void offer(double candidate) {
        const double distanceOf = std::fabs(candidate);
        if (!found || distanceOf < distance) {
            shift = candidate;
            distance = distanceOf;
            found = true;
        }
    }
};

double snapAxis(double low, double high, const std::vector<std::pair<double, double>>& edges,
                const Vtx_SnapOptions& options) {
    AxisSnap best;
    if (options.toControls)
        for (const auto& [otherLow, otherHigh] : edges)
            for (const double target : {otherLow, otherHigh})
                for (const double edge : {low, high})
                    best.offer(target - edge);
    if (options.gridStep > 0 && std::isfinite(options.gridStep))
        for (const double edge : {low, high})
            best.offer(std::round(edge / options.gridStep) * options.gridStep - edge);
    if (!best.found || !(best.distance <= options.tolerance))
        return 0;
    return best.shift;
}

} // namespace

Vtx_DesignRect snapRect(const Vtx_DesignRect& moved, const std::vector<Vtx_DesignRect>& others,
                        const Vtx_SnapOptions& options) {
    std::vector<std::pair<double, double>> xEdges;
    std::vector<std::pair<double, double>> yEdges;
    for (const Vtx_DesignRect& other : others) {
        xEdges.emplace_back(other.left, other.right);
        yEdges.emplace_back(other.top, other.bottom);
    }
    const double dx = snapAxis(moved.left, moved.right, xEdges, options);
    const double dy = snapAxis(moved.top, moved.bottom, yEdges, options);
    return {moved.left + dx, moved.top + dy, moved.right + dx, moved.bottom + dy};
}
