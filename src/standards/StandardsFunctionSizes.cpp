// STDWIDTHWITHTOLERANCE, STDTHICKNESSWITHTOLERANCE and STDSIZEWITHTOLERANCE.

#include "platform/core/Files.h"
#include "standards/DataFileText.h"
#include "standards/DataFiles.h"
#include "standards/KsTrace.h"
#include "standards/StandardsFunctionBodies.h"
#include "standards/StandardsFunctionTolerance.h"
#include "standards/StandardsMessages.h"

namespace {

enum class SizeKind { Size, Thickness, Width };

const char* kindName(SizeKind kind) {
    return kind == SizeKind::Size ? "size" : kind == SizeKind::Thickness ? "thickness" : "width";
}

// The line of the size file that gave a listed result: the first line
// whose number of that kind is the result (for a width, on a line of any
// thickness or of the thickness asked for). The parsed list keeps no line
// numbers, so the file is read again; this runs only for a trace.
int sizeLine(const Vtx_String& path, SizeKind kind, double result, double thickness) {
    std::string bytes;
    if (path.isEmpty() || readFileBytes(path, bytes) != eOk)
        return 0;
    const std::string text = datafile::withoutSizeComments(bytes);
    int number = 0;
    int found = 0;
    datafile::forEachLine(text, [&](std::string_view line) {
        ++number;
        if (found > 0)
            return;
        const SizeList one = parseSizeList(line);
        if (one.empty())
            return;
        const SizeEntry& entry = one.front();
        const bool matches =
            kind == SizeKind::Size ? entry.first == result
            : kind == SizeKind::Thickness
                ? entry.second == result
                : entry.first == result && widthCandidates(one, thickness).size() == 1;
        if (matches)
            found = number;
    });
    return found;
}

void traceSnap(KsTraceCall& trace, const Vtx_String& name, SizeKind kind,
               const ToleranceRequest& request, double thickness,
               const std::vector<double>& candidates, bool listed, double result) {
    KsTraceSnap& snap = trace.snap;
    trace.hasSnap = true;
    if (!findDataFile(name, snap.file))
        snap.file.clear();
    snap.kind = kindName(kind);
    snap.value = request.value;
    snap.low = request.value - request.down;
    snap.high = request.value + request.up;
    snap.step = request.step;
    snap.result = result;
    snap.candidates = static_cast<int>(candidates.size());
    snap.listed = listed;
    snap.line = listed ? sizeLine(snap.file, kind, result, thickness) : 0;
}

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
    double result = 0;
    const bool listed = nearestStandardValue(candidates, request, result);
    if (!listed)
        result = roundWithinTolerance(request);
    call.setNumber(result);
    if (KsTraceCall* trace = call.trace())
        traceSnap(*trace, file, kind, request, thickness, candidates, listed, result);
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
