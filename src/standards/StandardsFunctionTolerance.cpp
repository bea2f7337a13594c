// Standard sizes within a tolerance window, and the rounding fall-back.

#include "standards/StandardsFunctionTolerance.h"

#include "platform/core/StringUtils.h"

#include <algorithm>
#include <cmath>

bool nearestStandardValue(const std::vector<double>& candidates, const ToleranceRequest& request,
                          double& result) {
    const double v = request.value;
    const double* above = nullptr;
    const double* below = nullptr;
    double aboveDistance = kNoCandidateDistance;
    double belowDistance = kNoCandidateDistance;
    for (const double& candidate : candidates) {
        const double distance = candidate - v;
        // Strictly nearer only, so that the earlier of two equal candidates stays.
        if (distance > 0) {
            if (above == nullptr || distance < aboveDistance) {
                above = &candidate;
                aboveDistance = distance;
            }
        } else if (distance <= 0 && (below == nullptr || -distance < belowDistance)) {
            below = &candidate;
            belowDistance = -distance;
        }
    }
    const double low = v - request.down;
    const double high = v + request.up;
    auto fitsAbove = [&] { return above != nullptr && aboveDistance <= request.up; };
    auto fitsBelow = [&] { return below != nullptr && belowDistance <= request.down; };
    const double* taken = nullptr;
    if (aboveDistance < belowDistance)
        taken = fitsAbove() ? above : fitsBelow() ? below : nullptr;
    else
        taken = fitsBelow() ? below : fitsAbove() ? above : nullptr;
    if (taken == nullptr || *taken < low || *taken > high)
        return false;
    result = *taken;
    return true;
}

double roundWithinTolerance(const ToleranceRequest& request) {
    const double v = request.value;
    const double s = request.step;
    const double high = v + request.up;
    const double low = v - request.down;
    double limited = std::min(v, high);
    limited = std::max(limited, low);

    const double up = ObjectExportRoundUp(limited, s, request.up);
    double down = ObjectExportRoundTo(limited, s);
    if (down > limited)
        down -= s;
    const double upDistance = up - v;
    const double downDistance = v - down;
    const bool upFits = upDistance <= request.up && up <= high;
    const bool downFits = downDistance <= request.down && down >= low;
    if (upDistance < downDistance)
        return upFits ? up : downFits ? down : limited;
    return downFits ? down : upFits ? up : limited;
}

double snapToStandard(const std::vector<double>& candidates, const ToleranceRequest& request) {
    double result = 0;
    if (nearestStandardValue(candidates, request, result))
        return result;
    return roundWithinTolerance(request);
}

std::vector<double> sizeCandidates(const SizeList& sizes) {
    std::vector<double> candidates;
    candidates.reserve(sizes.size());
    for (const SizeEntry& entry : sizes)
        candidates.push_back(entry.first);
    return candidates;
}

std::vector<double> thicknessCandidates(const SizeList& sizes) {
    std::vector<double> candidates;
    for (const SizeEntry& entry : sizes)
        if (entry.second != 0)
            candidates.push_back(entry.second);
    return candidates;
}

std::vector<double> widthCandidates(const SizeList& sizes, double thickness) {
    Vtx_Array<double> widths;
    for (const SizeEntry& entry : sizes) {
        // A thickness computed by a formula may carry floating-point noise.
        const double noise = kRoundTolerance * std::max(1.0, std::fabs(thickness));
        if (entry.second == 0 || std::fabs(entry.second - thickness) <= noise)
            widths.append(entry.first);
    }
    ObjectExportSort(widths);
    return std::vector<double>(widths.begin(), widths.end());
}

Vtx_String invalidToleranceMessage(double down, double up) {
    return Vtx_String("Invalid tolerances provided.\n DownTolerance is :") + Vtx_String(down, 2) +
           "UpTolerance is :" + Vtx_String(up, 2) +
           "\nAdding both tolerances should result in a positive value.";
}
