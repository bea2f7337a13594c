#pragma once

/// The benchmark driver of the formula engine: reads a workload's cell list
/// (.cells, see docs/benchmarks.md), builds it in a grid through the model's
/// own cell operations, evaluates, applies the changes and prints one JSON
/// line with the timings and checksums.

#include <iosfwd>
#include <string>
#include <vector>

namespace vtx::sheet {

class SheetModel;

struct WorkloadCell {
    int row = 0; ///< 0-based, as in the file
    int col = 0;
    char kind = 'n'; ///< 'n' number, 's' text, 'f' formula
    std::string content;
};

struct WorkloadChange {
    std::string label;
    WorkloadCell cell;
};

struct Workload {
    std::string name;
    long long size = 0;
    std::vector<WorkloadCell> cells;
    std::vector<WorkloadChange> changes;
    int checkRange[4] = {0, 0, -1, -1}; ///< r0, c0, r1, c1 (0-based, inclusive)
};

struct WorkloadResult {
    double buildEvalMs = 0;
    double recalcMs = 0;
    double recalc2Ms = 0;
    double check = 0;
    double checkAfter = 0;
    double rssMb = 0;
};

/// Reads a .cells file (path: a core path, 8-bit text; see nativePath);
/// false with a reason (8-bit text) naming the file and line.
bool readWorkload(const std::string& path, Workload& workload, std::string& reason);
/// Puts every cell into the grid (formulas as formula texts), evaluates.
bool buildWorkload(const Workload& workload, SheetModel& sheet);
/// Applies one change (automatic recalculation does the rest).
bool applyChange(const WorkloadChange& change, SheetModel& sheet);
/// Numbers add their value, texts their length, over the check range (the
/// cells that exist in it, so a range over the whole grid costs its cells).
double workloadChecksum(const Workload& workload, const SheetModel& sheet);
/// Builds, evaluates and changes the workload, timing each step.
bool runWorkload(const Workload& workload, WorkloadResult& result, std::string& reason);
/// The whole benchmark of one file (a core path): prints the JSON line
/// (UTF-8) to out; 0 on success, 1 on failure (the reason printed to out as
/// {"error": ...}).
int runCellsBenchmark(const std::string& path, std::ostream& out);

} // namespace vtx::sheet
