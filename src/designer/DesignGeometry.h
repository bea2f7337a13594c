#pragma once

/// Rectangles of designed controls in picture pixels, and the snapping of a
/// moved rectangle to a grid and to the edges of other controls. Pure
/// functions; the design model uses them for moving its selection.
///
///     Vtx_SnapOptions options;
///     options.gridStep = 10;
///     Vtx_DesignRect snapped = snapRect(moved, others, options);

#include <vector>

/// A rectangle in pixels (x to the right, y down).
struct Vtx_DesignRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double width() const { return right - left; }
    double height() const { return bottom - top; }
    bool operator==(const Vtx_DesignRect&) const = default;
};

struct Vtx_SnapOptions {
    /// Spacing of the grid in pixels; 0 or less: no grid.
    double gridStep = 0;
    /// Also snap to the left, right, top and bottom edges of other controls.
    bool toControls = true;
    /// An edge snaps when it lies at most this many pixels from a target.
    double tolerance = 4;
};

/// moved shifted (never resized) so that, on each axis separately, the one
/// edge nearest to a target (a grid line or an edge of one of others) within
/// the tolerance lies on it. On equal distances an edge of a control wins
/// over a grid line, and the earlier control in others over a later one.
/// An axis without a target in reach is left as it is.
Vtx_DesignRect snapRect(const Vtx_DesignRect& moved, const std::vector<Vtx_DesignRect>& others,
                        const Vtx_SnapOptions& options);
