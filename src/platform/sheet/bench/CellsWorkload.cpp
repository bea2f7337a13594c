#include "platform/sheet/bench/CellsWorkload.h"

#include "platform/core/Files.h"
#include "platform/sheet/SheetModel.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>

namespace vtx::sheet {

namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos
                                                                       : tab - start));
        if (tab == std::string_view::npos)
            return out;
        start = tab + 1;
    }
}

bool toInt(std::string_view s, long long& out) {
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool readCell(const std::vector<std::string_view>& f, std::size_t at, WorkloadCell& cell) {
    long long row = 0;
    long long col = 0;
    if (f.size() < at + 4 || !toInt(f[at], row) || !toInt(f[at + 1], col) || f[at + 2].size() != 1)
        return false;
    if (row < 0 || row >= kMaxRows || col < 0 || col >= kMaxCols)
        return false;
    cell.row = static_cast<int>(row);
    cell.col = static_cast<int>(col);
    cell.kind = f[at + 2][0];
    if (cell.kind != 'n' && cell.kind != 's' && cell.kind != 'f')
        return false;
    // A text may hold tabs: everything after the kind field is the content.
    std::string content(f[at + 3]);
    for (std::size_t i = at + 4; i < f.size(); ++i) {
        content += '\t';
        content += f[i];
    }
    cell.content = std::move(content);
    return true;
}

double peakRssMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            double kb = std::strtod(line.c_str() + 6, nullptr);
            return kb / 1024.0;
        }
    }
    return 0;
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

std::string jsonNumber(double v) {
    char buffer[64];
    if (v == static_cast<double>(static_cast<long long>(v)) && v > -1e17 && v < 1e17) {
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(v));
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    double back = 0;
    // Shortest form that reads back exactly.
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, v);
        back = std::strtod(buffer, nullptr);
        if (back == v)
            break;
    }
    return buffer;
}

std::string jsonText(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
            continue;
        out += c;
    }
    return out + "\"";
}

bool setCell(const WorkloadCell& cell, SheetModel& sheet) {
    int col = cell.col + 1;
    int row = cell.row + 1;
    switch (cell.kind) {
    case 'n': {
        double v = 0;
        return parseNumber(cell.content, v) && sheet.setNumber(col, row, v);
    }
    case 's':
        return sheet.setText(col, row, cell.content);
    default:
        return sheet.setFormula(col, row, cell.content, false);
    }
}

} // namespace

bool readWorkload(const std::string& path, Workload& workload, std::string& reason) {
    std::string bytes;
    Vtx_String why;
    if (readFileBytes(Vtx_String(path), bytes, &why) != eOk) {
        reason = why.isEmpty() ? path + ": cannot be read" : why.str();
        return false;
    }
    workload = Workload();
    std::size_t pos = 0;
    int lineNo = 0;
    bool header = false;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        std::string_view line(bytes.data() + pos,
                              (nl == std::string::npos ? bytes.size() : nl) - pos);
        pos = nl == std::string::npos ? bytes.size() : nl + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        auto fail = [&](const char* what) {
            reason = path + ":" + std::to_string(lineNo) + ": " + what;
            return false;
        };
        auto f = splitTabs(line);
        if (f[0] == "W") {
            if (f.size() < 3 || !toInt(f[2], workload.size))
                return fail("bad W line");
            workload.name = std::string(f[1]);
            header = true;
        } else if (f[0] == "C") {
            WorkloadCell cell;
            if (!readCell(f, 1, cell))
                return fail("bad C line");
            workload.cells.push_back(std::move(cell));
        } else if (f[0] == "X") {
            WorkloadChange change;
            if (f.size() < 2 || !readCell(f, 2, change.cell))
                return fail("bad X line");
            change.label = std::string(f[1]);
            workload.changes.push_back(std::move(change));
        } else if (f[0] == "K") {
            long long v[4];
            if (f.size() != 5)
                return fail("bad K line");
            // Rows (fields 1 and 3) and columns (2 and 4) within the grid.
            for (int i = 0; i < 4; ++i)
                if (!toInt(f[static_cast<std::size_t>(i) + 1], v[i]) || v[i] < 0 ||
                    v[i] >= (i % 2 == 0 ? kMaxRows : kMaxCols))
                    return fail("bad K line");
            for (int i = 0; i < 4; ++i)
                workload.checkRange[i] = static_cast<int>(v[i]);
        } else {
            return fail("unknown line");
        }
    }
    if (!header) {
        reason = path + ": no W header line";
        return false;
    }
    return true;
}

bool buildWorkload(const Workload& workload, SheetModel& sheet) {
    int rows = workload.checkRange[2] + 1;
    int cols = workload.checkRange[3] + 1;
    for (const auto& c : workload.cells) {
        rows = std::max(rows, c.row + 1);
        cols = std::max(cols, c.col + 1);
    }
    for (const auto& x : workload.changes) {
        rows = std::max(rows, x.cell.row + 1);
        cols = std::max(cols, x.cell.col + 1);
    }
    sheet.setMaxRows(rows);
    sheet.setMaxCols(cols);
    // Build with recalculation off, then evaluate everything once.
    sheet.setOption(kOptionAutoCalc, false);
    for (const auto& c : workload.cells)
        if (!setCell(c, sheet))
            return false;
    sheet.recalcAll();
    sheet.setOption(kOptionAutoCalc, true);
    return true;
}

bool applyChange(const WorkloadChange& change, SheetModel& sheet) {
    return setCell(change.cell, sheet);
}

double workloadChecksum(const Workload& w, const SheetModel& sheet) {
    // The cells that exist, row by row as the range reads: a check range
    // over the whole grid costs what its cells cost.
    const CellRange range{w.checkRange[1] + 1, w.checkRange[0] + 1, w.checkRange[3] + 1,
                          w.checkRange[2] + 1};
    double sum = 0;
    if (!range.isValid())
        return sum; // an empty check range (none given)
    for (const CellPos& at : sheet.usedCells(range)) {
        const Value v = sheet.value(at.col, at.row);
        if (v.isNumber())
            sum += v.asNumber();
        else if (v.isText())
            sum += static_cast<double>(v.asText().size());
    }
    return sum;
}

bool runWorkload(const Workload& w, WorkloadResult& result, std::string& reason) {
    SheetModel sheet;
    auto start = std::chrono::steady_clock::now();
    if (!buildWorkload(w, sheet)) {
        reason = "a cell was refused while building " + w.name;
        return false;
    }
    volatile double sink = sheet.value(w.checkRange[1] + 1, w.checkRange[2] + 1).asNumber();
    result.buildEvalMs = msSince(start);
    result.check = workloadChecksum(w, sheet);
    for (std::size_t i = 0; i < w.changes.size() && i < 2; ++i) {
        const WorkloadChange& x = w.changes[i];
        start = std::chrono::steady_clock::now();
        if (!applyChange(x, sheet)) {
            reason = "change " + x.label + " was refused";
            return false;
        }
        sink = sheet.value(w.checkRange[3] + 1, w.checkRange[2] + 1).asNumber();
        (i == 0 ? result.recalcMs : result.recalc2Ms) = msSince(start);
    }
    (void)sink;
    result.checkAfter = workloadChecksum(w, sheet);
    result.rssMb = peakRssMb();
    return true;
}

int runCellsBenchmark(const std::string& path, std::ostream& out) {
    Workload w;
    std::string reason;
    WorkloadResult r;
    if (!readWorkload(path, w, reason) || !runWorkload(w, r, reason)) {
        // The reason is 8-bit text (it names the file); the line is UTF-8.
        out << "{\"engine\":\"ours\",\"error\":" << jsonText(toUtf8(reason)) << "}\n";
        return 1;
    }
    out << "{\"engine\":\"ours\",\"workload\":" << jsonText(w.name) << ",\"size\":" << w.size
        << ",\"build_eval_ms\":" << jsonNumber(r.buildEvalMs)
        << ",\"recalc_ms\":" << jsonNumber(r.recalcMs)
        << ",\"recalc2_ms\":" << jsonNumber(r.recalc2Ms) << ",\"check\":" << jsonNumber(r.check)
        << ",\"check_after\":" << jsonNumber(r.checkAfter) << ",\"rss_mb\":" << jsonNumber(r.rssMb)
        << "}\n";
    return 0;
}

} // namespace vtx::sheet
