// STDWIDTHWITHTOLERANCE, STDTHICKNESSWITHTOLERANCE and STDSIZEWITHTOLERANCE.

#include "standards/DataFiles.h"
#include "standards/StandardsFunctionBodies.h"
#include "standards/StandardsFunctionTolerance.h"
#include "standards/StandardsMessages.h"

namespace {

enum class SizeKind { Size, Thickness, Width };

/// The shared body: file, step, [thickness,] value, down and up tolerance.
bool withTolerance(StandardsCall& call, SizeKind kind) {
    Vtx_String file;
    ToleranceRequest request;
    double thickness = 0;
    int next = 2;
    if (!call.text(0, file) || !call.number(1, request.step))
        return false;
    if (kind == SizeKind::Width && !call.number(next++, thickness))
        return false;
    if (!call.number(next, request.value) || !call.number(next + 1, request.down) ||
        !call.number(next + 2, request.up))
        return false;

    if (request.down + request.up <= 0)
        showStandardsWarning(invalidToleranceMessage(request.down, request.up));

    // A size file that is missing or unreadable leaves only the rounding.
    std::vector<double> candidates;
    if (const std::shared_ptr<const SizeList> sizes = dataFileCache().sizes(file)) {
        switch (kind) {
        case SizeKind::Size:
            candidates = sizeCandidates(*sizes);
            break;
        case SizeKind::Thickness:
            candidates = thicknessCandidates(*sizes);
            break;
        case SizeKind::Width:
            candidates = widthCandidates(*sizes, thickness);
            break;
        }
    }
    call.setNumber(snapToStandard(candidates, request));
    return true;
}

} // namespace

namespace standards_bodies {

bool stdWidthWithTolerance(StandardsCall& call) {
    return withTolerance(call, SizeKind::Width);
}

bool stdThicknessWithTolerance(StandardsCall& call) {
    return withTolerance(call, SizeKind::Thickness);
}

bool stdSizeWithTolerance(StandardsCall& call) {
    return withTolerance(call, SizeKind::Size);
}

} // namespace standards_bodies
