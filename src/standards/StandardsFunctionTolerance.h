#pragma once

/// Snapping a dimension to a standard size within a tolerance window, as the
/// functions STDSIZEWITHTOLERANCE, STDTHICKNESSWITHTOLERANCE and
/// STDWIDTHWITHTOLERANCE do. With value v, down tolerance D and up tolerance
/// U the window is [v - D, v + U].
///
///     ToleranceRequest request{10.4, 1, 1, 5};     // v, D, U, step
///     double size = snapToStandard({8, 10, 12}, request);   // 10

#include "platform/core/VtxString.h"
#include "standards/DataFiles.h"

#include <vector>

struct ToleranceRequest {
    double value = 0; ///< v
    double down = 0;  ///< D
    double up = 0;    ///< U
    double step = 0;  ///< s, for the rounding fall-back
};

/// A side without a candidate counts as this far away.
constexpr double kNoCandidateDistance = 999999999.0;

/// The nearest candidate inside the window: the nearest above v and the
/// nearest at or below v (on equal distance the earlier in the list); the
/// nearer side is tried first (below on a tie), each side only within its
/// own tolerance. False when neither side fits.
bool nearestStandardValue(const std::vector<double>& candidates, const ToleranceRequest& request,
                          double& result);

/// The rounding fall-back when no candidate fits: v limited to the window,
/// rounded up and down to a multiple of the step, and the nearer of the two
/// that keeps its tolerance (down on a tie); the limited v when neither does.
double roundWithinTolerance(const ToleranceRequest& request);

/// nearestStandardValue, else roundWithinTolerance.
double snapToStandard(const std::vector<double>& candidates, const ToleranceRequest& request);

/// The candidates of the three functions from a size file's lines.
/// Sizes: every first number, in file order.
std::vector<double> sizeCandidates(const SizeList& sizes);
/// Thicknesses: every second number that is not 0, in file order (a line
/// without a thickness names no thickness).
std::vector<double> thicknessCandidates(const SizeList& sizes);
/// Widths: the first numbers of the lines whose second number is 0 or equal
/// to thickness, ascending.
std::vector<double> widthCandidates(const SizeList& sizes, double thickness);

/// The warning text for tolerances whose sum is not positive.
Vtx_String invalidToleranceMessage(double down, double up);
