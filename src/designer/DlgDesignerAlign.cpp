#include "designer/DesignChange.h"

#include <algorithm>
#include <cmath>
#include <vector>

using designer::ChangeScope;

namespace {

double centre(double low, double high) {
    return (low + high) / 2;
}

// How far a rectangle moves so that its edge lines up with the reference's.
double alignShift(Vtx_AlignEdge edge, const Vtx_DesignRect& rect, const Vtx_DesignRect& to) {
    switch (edge) {
    case Vtx_AlignEdge::Left:
        return to.left - rect.left;
    case Vtx_AlignEdge::Right:
        return to.right - rect.right;
    case Vtx_AlignEdge::Top:
        return to.top - rect.top;
    case Vtx_AlignEdge::Bottom:
        return to.bottom - rect.bottom;
    case Vtx_AlignEdge::CentreX:
        return centre(to.left, to.right) - centre(rect.left, rect.right);
    case Vtx_AlignEdge::CentreY:
        return centre(to.top, to.bottom) - centre(rect.top, rect.bottom);
    }
    return 0;
}

bool isHorizontal(Vtx_AlignEdge edge) {
    return edge == Vtx_AlignEdge::Left || edge == Vtx_AlignEdge::Right ||
           edge == Vtx_AlignEdge::CentreX;
}

} // namespace

bool Vtx_DlgDesignerData::alignCurCtrls(Vtx_AlignEdge edge) {
    const Vtx_Array<int> positions = selectedPositions();
    if (positions.length() < 2)
        return false;
    ChangeScope change(*this);
    const Vtx_DesignRect reference = pixelRect(m_controls[positions[0]]);
    for (const int i : positions) {
        if (i == positions[0])
            continue;
        const double shift = alignShift(edge, pixelRect(m_controls[i]), reference);
        if (isHorizontal(edge))
            shiftControl(m_controls[i], shift, 0);
        else
            shiftControl(m_controls[i], 0, shift);
    }
    return true;
}

bool Vtx_DlgDesignerData::distributeCurCtrls(bool horizontal) {
    Vtx_Array<int> positions = selectedPositions();
    if (positions.length() < 3)
        return false;
    ChangeScope change(*this);
    const auto low = [&](int i) {
        const Vtx_DesignRect rect = pixelRect(m_controls[i]);
        return horizontal ? rect.left : rect.top;
    };
    const auto extent = [&](int i) {
        const Vtx_DesignRect rect = pixelRect(m_controls[i]);
        return horizontal ? rect.width() : rect.height();
    };
    std::vector<int> order(positions.begin(), positions.end());
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return low(a) < low(b); });
    const double start = low(order.front());
    const double end = low(order.back()) + extent(order.back());
    double total = 0;
    for (const int i : order)
        total += extent(i);
    const double gap = (end - start - total) / static_cast<double>(order.size() - 1);
    double next = start;
    for (const int i : order) {
        const double shift = next - low(i);
        shiftControl(m_controls[i], horizontal ? shift : 0, horizontal ? 0 : shift);
        next += extent(i) + gap;
    }
    return true;
}

bool Vtx_DlgDesignerData::matchSizeOfCurCtrls(Vtx_SizeMatch what) {
    const Vtx_Array<int> positions = selectedPositions();
    if (positions.length() < 2)
        return false;
    ChangeScope change(*this);
    const Vtx_DesignerControl& reference = m_controls[positions[0]];
    const double width = getWidth(reference);
    const double height = getHeight(reference);
    for (const int i : positions) {
        Vtx_DesignerControl& control = m_controls[i];
        if (what != Vtx_SizeMatch::Height)
            setWidth(control, width);
        if (what != Vtx_SizeMatch::Width)
            setBottomRightY(control, getTopLeftY(control) + height);
    }
    return true;
}

bool Vtx_DlgDesignerData::moveCurCtrls(double dx, double dy, const Vtx_SnapOptions* snap) {
    const Vtx_Array<int> positions = selectedPositions();
    if (positions.isEmpty() || !std::isfinite(dx) || !std::isfinite(dy))
        return false;
    ChangeScope change(*this);
    if (snap) {
        Vtx_DesignRect bounds = pixelRect(m_controls[positions[0]]);
        for (const int i : positions) {
            const Vtx_DesignRect rect = pixelRect(m_controls[i]);
            bounds = {std::min(bounds.left, rect.left), std::min(bounds.top, rect.top),
                      std::max(bounds.right, rect.right), std::max(bounds.bottom, rect.bottom)};
        }
        std::vector<Vtx_DesignRect> others;
        for (int i = 0; i < m_controls.length(); ++i)
            if (!positions.contains(i))
                others.push_back(pixelRect(m_controls[i]));
        const Vtx_DesignRect moved{bounds.left + dx, bounds.top + dy, bounds.right + dx,
                                   bounds.bottom + dy};
        const Vtx_DesignRect snapped = snapRect(moved, others, *snap);
        dx = snapped.left - bounds.left;
        dy = snapped.top - bounds.top;
    }
    for (const int i : positions)
        shiftControl(m_controls[i], dx, dy);
    return true;
}
